#include "ui/frmLogin.h"

#include "frame/SMGLOBAL.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

frmLogin::frmLogin(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Password Corvalen Security"));
    txtPassword = new QLineEdit(this);
    txtPassword->setEchoMode(QLineEdit::Password);
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    connect(cmdOK, &QPushButton::clicked, this, &frmLogin::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmLogin::cmdCancel_Click);
    Form_Load();
}

void frmLogin::Form_Load() {}

void frmLogin::cmdOK_Click()
{
    if (txtPassword->text() == gProgramPassword) {
        gLoggedIn = true;
        done(QDialog::Accepted);
    }
}

void frmLogin::cmdCancel_Click()
{
    gLoggedIn = false;
    done(QDialog::Rejected);
}
