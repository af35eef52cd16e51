#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// The login window: asks for the program password and records the outcome in gLoggedIn.
class frmLogin : public QDialog
{
    Q_OBJECT

public:
    explicit frmLogin(QWidget* parent = nullptr);

    QLabel* lblLabels = nullptr;
    QLineEdit* txtPassword = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

    void Form_Load();
    void cmdOK_Click();
    void cmdCancel_Click();
};
