#pragma once
// The command set as data: id, menu caption, keys, status-bar prompt, tool tip, and the rules
// that enable the command and put a check mark on it.
#include "shell/CommandId.h"
#include "shell/CommandRules.h"

#include <vector>

struct Command {
    int id;
    const char* caption; // menu caption; nullptr for key-only commands
    const char* keys;    // key sequences such as "Ctrl+R", separated by ", "
    const char* prompt;
    const char* tip;
    CommandRule enabled = rules::Always;
    CommandRule checked = nullptr; // nullptr: the command never carries a check mark
};

const std::vector<Command>& Commands();
const Command* FindCommand(int id);

bool IsEnabled(const Command& command, const CommandState& state);
bool IsCheckable(const Command& command);
bool IsChecked(const Command& command, const CommandState& state);
