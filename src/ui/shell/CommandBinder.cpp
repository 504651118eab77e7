#include "ui/shell/CommandBinder.h"

#include "ui/shell/CommandActions.h"

CCommandBinder::CCommandBinder(CCommandActions& actions, std::function<void()> afterEach)
    : actions_(actions), afterEach_(std::move(afterEach)) {}

void CCommandBinder::Bind(int id, std::function<void()> handler) {
    actions_.SetHandler(id, [afterEach = afterEach_, handler = std::move(handler)] {
        handler();
        afterEach();
    });
}

void CCommandBinder::BindWindowList(std::function<void(int)> handler) {
    actions_.SetWindowListHandler(
        [afterEach = afterEach_, handler = std::move(handler)](int index) {
            handler(index);
            afterEach();
        });
}
