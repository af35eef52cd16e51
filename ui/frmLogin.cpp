#include "ui/frmLogin.h"

#include "core/Protection.h"
#include "frame/Platform.h"
#include "frame/SMGLOBAL.h"
#include "frame/Twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

frmLogin::frmLogin(QWidget* parent, const QWidget* tileSource, bool programPasswordLoaded)
    : FixedDialog(parent, tileSource, QStringLiteral("Password Corvalen Security"), 3750, 1545),
      m_programPasswordLoaded(programPasswordLoaded)
{
    lblLabels = new QLabel(QStringLiteral("&Password:"), this);
    lblLabels->setGeometry(TwipsRect(105, 300, 1080, 270));
    txtPassword = new QLineEdit(this);
    txtPassword->setGeometry(TwipsRect(1290, 285, 2325, 345));
    txtPassword->setEchoMode(QLineEdit::Password);
    // Each typed character shows as an asterisk, as it always has in this box.
    txtPassword->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
    lblLabels->setBuddy(txtPassword);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setGeometry(TwipsRect(495, 900, 1140, 390));
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setGeometry(TwipsRect(2100, 900, 1140, 390));
    setCancelButton(cmdCancel);

    QWidget::setTabOrder(txtPassword, cmdOK);
    QWidget::setTabOrder(cmdOK, cmdCancel);

    connect(cmdOK, &QPushButton::clicked, this, &frmLogin::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmLogin::cmdCancel_Click);
    Form_Load();
}

void frmLogin::Form_Load()
{
    Dress();
    txtPassword->setFocus();
}

void frmLogin::cmdOK_Click()
{
    switch (Protection::CheckLogin(txtPassword->text(), gProgramPassword, m_programPasswordLoaded)) {
    case Protection::Login::NoPassword:
        // No control record, so there is no program password to ask for: protection counts as none, as it will
        // at the next start, and nothing typed here is compared with the "not found" mark.
        dialogs().MsgBox(QStringLiteral("No program password has been set, so none is needed.  "
                                        "Use Program Options to set one."),
                         vbInformation, kAppTitle);
        gLoggedIn = true;
        done(QDialog::Accepted);
        return;
    case Protection::Login::Accepted:
        gLoggedIn = true;
        done(QDialog::Accepted);
        return;
    case Protection::Login::Refused: break;
    }
    dialogs().MsgBox(QStringLiteral("Invalid Password, try again!"), vbCritical, kAppTitle);
    // Caret to the start and the selection stretched to the end: the next keystroke replaces the entry.
    txtPassword->setFocus();
    txtPassword->home(false);
    txtPassword->end(true);
}

void frmLogin::cmdCancel_Click()
{
    gLoggedIn = false;
    done(QDialog::Rejected);
}
