#pragma once

#include "frame/Dialogs.h"

// Message boxes and modal windows on Qt.
class QtDialogs : public Dialogs
{
public:
    int MsgBox(const QString& prompt, int flags = 0, const QString& title = QString()) override;
    void ShowModal(QDialog& window) override;
    QString ChooseFolder(const QString& title, const QString& start) override;
    int ChooseItem(const QString& title, const QString& label, const QStringList& items) override;
};
