#include "support/MainWindowTest.h"

#include "core/ListItem.h"
#include "frame/ListBox.h"
#include "frame/SMGLOBAL.h"
#include "ui/Ops.h"
#include "ui/Passedit.h"
#include "ui/frmLogin.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>

namespace {

const QString kControl = QStringLiteral("Password Corvalen|Secret%1| ");
const QStringList kEntries = {QStringLiteral("Bank|b4nk|me"), QStringLiteral("Mail|m41l|")};

class OpsTest : public MainWindowTest
{
protected:
    // Opens the options window over the running program, as the main window's command does.
    std::unique_ptr<Ops> open()
    {
        auto window = std::make_unique<Ops>(*main);
        window->show();
        return window;
    }

    QVariant setting(const QString& key) const
    {
        QSettings store(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Brenhold"),
                        QStringLiteral("Password Corvalen"));
        return store.value(QStringLiteral("Constants/") + key);
    }

    QByteArray fileBytes() const
    {
        QFile file(passwordFile());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    int selectedOption(const Ops& window) const
    {
        for (int i = 0; i < 3; ++i)
            if (window.Option1[size_t(i)]->isChecked())
                return i;
        return -1;
    }

    void expectOpenedState(const Ops& window)
    {
        EXPECT_FALSE(window.Command1[1]->isEnabled());
        EXPECT_EQ(window.Command1[0]->text(), QStringLiteral("&Close"));
    }
};

TEST_F(OpsTest, ChoicesPutBackLeaveApplyOffAndClosingStoresNothing)
{
    start(kEntries + QStringList{kControl.arg(0)});
    gTerminateAfter = false;
    auto window = open();
    EXPECT_EQ(selectedOption(*window), 0);
    EXPECT_FALSE(window->Check1->isChecked());
    EXPECT_TRUE(window->Check2->isChecked());
    expectOpenedState(*window);
    for (QCheckBox* choice : {window->Check1, window->Check2}) {
        choice->click();
        EXPECT_TRUE(window->Command1[1]->isEnabled());
        EXPECT_EQ(window->Command1[0]->text(), QStringLiteral("&Cancel"));
        choice->click();
        expectOpenedState(*window);
    }
    window->Option1[2]->click();
    EXPECT_TRUE(window->Command1[1]->isEnabled());
    window->Option1[0]->click();
    expectOpenedState(*window);

    window->Command1[0]->click();
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(setting(QStringLiteral("TerminateAfter")).isValid());
    EXPECT_FALSE(setting(QStringLiteral("DesignerMode")).isValid());
}

TEST_F(OpsTest, ApplyingACheckBoxAloneStoresBothSettingsAndLeavesTheFile)
{
    start(kEntries + QStringList{kControl.arg(0)});
    const QByteArray before = fileBytes();
    auto window = open();
    window->Check2->click();
    EXPECT_EQ(window->Command1[0]->text(), QStringLiteral("&Cancel"));
    window->Command1[1]->click();
    EXPECT_FALSE(gDesignerMode);
    EXPECT_TRUE(gTerminateAfter);
    EXPECT_EQ(setting(QStringLiteral("DesignerMode")).toString(), QStringLiteral("False"));
    EXPECT_EQ(setting(QStringLiteral("TerminateAfter")).toString(), QStringLiteral("True"));
    EXPECT_EQ(fileBytes(), before);
    EXPECT_EQ(gProtectionMode, 0);
    expectOpenedState(*window);
    EXPECT_TRUE(window->isVisible()) << "Apply leaves the window open";
}

TEST_F(OpsTest, ModesRewriteTheDigitKeepThePasswordAndTheNextStartAsks)
{
    start(kEntries + QStringList{kControl.arg(0)});
    auto window = open();
    for (int mode : {2, 0, 2}) {
        window->Option1[size_t(mode)]->click();
        window->Command1[1]->click();
        EXPECT_EQ(gProtectionMode, mode);
        EXPECT_EQ(readPlainFile(), kEntries + QStringList{kControl.arg(mode)});
    }
    EXPECT_TRUE(p->messages.empty());
    EXPECT_TRUE(gLoggedIn) << "a new mode locks nothing in the running program";
    window.reset();

    p->onModal<frmLogin>([](frmLogin& login) { login.cmdCancel->click(); });
    start(readPlainFile());
    EXPECT_EQ(p->modalShown, (std::vector<QString>{QStringLiteral("frmLogin")}));
}

TEST_F(OpsTest, AModeWithoutProgramPasswordCreatesOneThroughTheEditor)
{
    start(kEntries);
    bool editorChecked = false;
    p->onModal<Passedit>([&](Passedit& editor) {
        EXPECT_EQ(editor.EditMode, QStringLiteral("ADD"));
        EXPECT_EQ(editor.Text1[0]->text(), ListItem::kControlName);
        EXPECT_TRUE(editor.Text1[0]->isReadOnly());
        EXPECT_TRUE(editor.Text1[1]->text().isEmpty());
        EXPECT_EQ(editor.focusWidget(), editor.Text1[1]);
        editor.Text1[1]->setText(QStringLiteral("Open Sesame"));
        editor.Command1[0]->click();
        editorChecked = true;
    });
    auto window = open();
    window->Option1[1]->click();
    window->Command1[1]->click();
    EXPECT_TRUE(editorChecked);
    ASSERT_EQ(p->messages.size(), 1u);
    EXPECT_EQ(p->messages[0].prompt, QStringLiteral("No password entry currently exists for the Password Corvalen "
                                                    "Program.  You will be prompted to create one now."));
    EXPECT_EQ(p->messages[0].flags, 64);
    EXPECT_EQ(p->messages[0].title, kAppTitle);
    EXPECT_EQ(gProtectionMode, 1);
    EXPECT_TRUE(readPlainFile().contains(QStringLiteral("Password Corvalen|Open Sesame1| ")));

    // A second change in the same opening takes the control-record path: no message, no editor.
    window->Option1[2]->click();
    window->Command1[1]->click();
    EXPECT_EQ(p->messages.size(), 1u);
    EXPECT_EQ(p->modalShown.size(), 1u);
    EXPECT_TRUE(readPlainFile().contains(QStringLiteral("Password Corvalen|Open Sesame2| ")));
}

TEST_F(OpsTest, CancellingTheEditorRevertsTheModeAndAppliesTheBoxes)
{
    start(kEntries);
    p->onModal<Passedit>([](Passedit& editor) { editor.Command1[1]->click(); });
    auto window = open();
    window->Option1[2]->click();
    window->Check1->click();
    window->Command1[1]->click();
    EXPECT_EQ(gProtectionMode, 0);
    EXPECT_EQ(readPlainFile(), kEntries);
    EXPECT_EQ(setting(QStringLiteral("TerminateAfter")).toString(), QStringLiteral("False"));
    EXPECT_EQ(selectedOption(*window), 0);
}

TEST_F(OpsTest, ARepaintPutsTheSelectionBackAndADamagedModeSelectsNone)
{
    start(kEntries + QStringList{kControl.arg(7)});
    gLoggedIn = true;
    auto window = open();
    EXPECT_EQ(selectedOption(*window), -1);
    EXPECT_FALSE(window->grab().isNull());
    expectOpenedState(*window);
    // Choosing a real mode repairs the record; an unapplied choice goes at the next repaint.
    window->Option1[1]->click();
    window->Command1[1]->click();
    EXPECT_TRUE(readPlainFile().contains(QStringLiteral("Password Corvalen|Secret1| ")));
    window->Option1[2]->click();
    window->hide();
    window->show();
    EXPECT_EQ(selectedOption(*window), 1);
    expectOpenedState(*window);
}

} // namespace
