#pragma once
// Binds command ids to what carries them out. Every command group of the main window registers
// its handlers here; the window's actions run them, and the command states are refreshed after
// each. A command that no group binds stays disabled.
#include <functional>

class CCommandActions;

class CCommandBinder {
public:
    // afterEach runs after every handler, so that the command states follow what it changed.
    CCommandBinder(CCommandActions& actions, std::function<void()> afterEach);

    void Bind(int id, std::function<void()> handler);
    // Runs handler with the window's index in the window list when one of its items is chosen.
    void BindWindowList(std::function<void(int)> handler);

private:
    CCommandActions& actions_;
    std::function<void()> afterEach_;
};
