#include "ui/frmLogin.h"

#include "core/PasswordFile.h"
#include "frame/ListBox.h"
#include "frame/PictureBox.h"
#include "frame/Platform.h"
#include "frame/SHARED.h"
#include "frame/SMBASIC.h"
#include "frame/SMGLOBAL.h"
#include "frame/Twips.h"
#include "ui/Mainform.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

frmLogin::frmLogin(Mainform* main) : QDialog(main), m_main(main)
{
    setWindowTitle(QStringLiteral("Password Corvalen Security"));
    // A window of fixed size: nothing to minimise or maximise, only the close button.
    setWindowFlags(windowFlags() & ~(Qt::WindowContextHelpButtonHint | Qt::WindowMinMaxButtonsHint));
    setFixedSize(Twips(3750), Twips(1545));

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

    QWidget::setTabOrder(txtPassword, cmdOK);
    QWidget::setTabOrder(cmdOK, cmdCancel);

    connect(cmdOK, &QPushButton::clicked, this, &frmLogin::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmLogin::cmdCancel_Click);

    programPasswordLoaded =
        gProgramPassword != PasswordFile::kNotFound || (m_main && m_main->List1->entries().controlRecordIndex() >= 0);
    Form_Load();
}

void frmLogin::Form_Load()
{
    SetPointer(*this);
    CentreOnScreen(*this);
    txtPassword->setFocus();
}

void frmLogin::cmdOK_Click()
{
    if (!programPasswordLoaded) {
        // No control record, so there is no program password to ask for: protection counts as none,
        // as it will at the next start, and nothing typed here is compared with the "not found" mark.
        dialogs().MsgBox(QStringLiteral("No program password has been set, so none is needed.  "
                                        "Use Program Options to set one."),
                         vbInformation, kAppTitle);
        gLoggedIn = true;
        done(QDialog::Accepted);
        return;
    }
    if (txtPassword->text() == gProgramPassword) {
        gLoggedIn = true;
        done(QDialog::Accepted);
        return;
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

void frmLogin::paintEvent(QPaintEvent*)
{
    Form_Paint();
}

void frmLogin::Form_Paint()
{
    if (m_main && m_main->Back)
        TileBackground(*this, *m_main->Back);
}

void frmLogin::keyPressEvent(QKeyEvent* event)
{
    // Esc is the Cancel button; closing the window any other way goes through reject() and leaves
    // gLoggedIn as it was.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cmdCancel->click();
        return;
    }
    QDialog::keyPressEvent(event);
}
