#pragma once

#include "frame/Session.h"

#include <functional>

// The running program on Qt.
class QtSession : public Session
{
public:
    // beforeQuit runs when the main window has unloaded, before the clipboard is served to the end.
    explicit QtSession(std::function<void()> beforeQuit = {}) : m_beforeQuit(std::move(beforeQuit)) {}

    [[noreturn]] void End() override;
    void Quit() override;
    void DoEvents() override;
    void SetBusyPointer(bool busy) override;

    // Keeps the passwords in this process's memory out of core files: no core file is written and the
    // process cannot be dumped or attached to by other processes of the user.
    static void ForbidCoreDumps();

private:
    std::function<void()> m_beforeQuit;
};
