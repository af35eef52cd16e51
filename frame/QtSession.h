#pragma once

#include "frame/Session.h"

// The running program on Qt.
class QtSession : public Session
{
public:
    [[noreturn]] void End() override;
    void Quit() override;
    void DoEvents() override;
    void SetBusyPointer(bool busy) override;
};
