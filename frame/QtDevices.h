#pragma once

#include "frame/Devices.h"

// Files, the removable medium, the printer, the system clipboard and the help window on Qt.
class QtDevices : public Devices
{
public:
    FileWriter& writer() override;
    QStringList removableMedia() const override;
    std::unique_ptr<QPrinter> DefaultPrinter() override;
    void ClipboardClear() override;
    void ClipboardSetText(const QString& text, bool secret) override;
    bool WinHelp(const QString& helpFile, int command, int data) override;
};
