#pragma once

#include "frame/Platform.h"

// The platform on Qt: message boxes, modal dialogs, the system clipboard, the printer.
class QtPlatform : public Platform
{
public:
    int MsgBox(const QString& prompt, int flags = 0, const QString& title = QString()) override;
    void ShowModal(QDialog& window) override;
    [[noreturn]] void End() override;
    void Quit() override;
    void DoEvents() override;
    void SetBusyPointer(bool busy) override;
    QString programDir() const override;
    QByteArray windowsDirectoryBuffer() const override;
    QString environment(const QString& name) const override;
    OsVersion osVersion() const override;
    QDateTime now() const override;
    QString removableMedium() const override;
    void ClipboardClear() override;
    void ClipboardSetText(const QString& text, bool secret) override;
    void WinHelp(const QString& helpFile, int command, int data) override;
    std::unique_ptr<QPrinter> DefaultPrinter() override;
    double Rnd() override;

    // The id reported for this system. The error log's marker reads "?" for it, as the system is
    // neither Windows 95 (1) nor NT (2).
    static constexpr int kPlatformIdLinux = 0;
};
