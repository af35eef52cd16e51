#pragma once

// The running program as the platform sees it: how it ends, its pending events, its mouse pointer.
class Session
{
public:
    virtual ~Session() = default;

    // Ends the program at once: no unload handler runs, nothing more of the caller runs.
    [[noreturn]] virtual void End() = 0;

    // Ends the program after the main window has unloaded normally.
    virtual void Quit() = 0;

    // Lets pending window events run (repaints and timers; user input waits).
    virtual void DoEvents() = 0;

    // The screen's mouse pointer: the hourglass while true, the default otherwise.
    virtual void SetBusyPointer(bool busy) = 0;
};
