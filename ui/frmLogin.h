#pragma once

#include "frame/FixedDialog.h"

class QLabel;
class QLineEdit;
class QPushButton;

// The login window: asks for the program password and records the outcome in gLoggedIn.
class frmLogin : public FixedDialog
{
    Q_OBJECT

public:
    // programPasswordLoaded: whether a control record stands behind gProgramPassword ("not found" there is either
    // the mark of a file without one or, rarely, a password someone chose); the opener knows.
    frmLogin(QWidget* parent, const QWidget* tileSource, bool programPasswordLoaded);

    // Index 1 is the only label.
    QLabel* lblLabels = nullptr;
    QLineEdit* txtPassword = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

    void Form_Load();
    void cmdOK_Click();
    void cmdCancel_Click();

private:
    bool m_programPasswordLoaded;
};
