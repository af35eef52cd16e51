#include "ui/Ops.h"

#include "core/EntryList.h"
#include "core/ListItem.h"
#include "core/OptionsApply.h"
#include "frame/PictureBox.h"
#include "frame/Platform.h"
#include "frame/SHARED.h"
#include "frame/SMGLOBAL.h"
#include "frame/Twips.h"
#include "ui/ListDoor.h"
#include "ui/Passedit.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWindow>

namespace {

const char* const kOptionCaptions[] = {"None", "When adding, changing, or deleting passwords", "When Launched"};

} // namespace

Ops::Ops(ListDoor& door)
    : FixedDialog(door.owner(), door.tileSource(), QStringLiteral("Corvalen Options"), 5400, 2895), m_door(door)
{
    createControls();
    Form_Load();
    connect(Check1, &QCheckBox::toggled, this, &Ops::Check1_Click);
    connect(Check2, &QCheckBox::toggled, this, &Ops::Check2_Click);
}

void Ops::createControls()
{
    // An opaque panel: the option buttons repaint on it, never on the window behind.
    Picture1 = new PictureBox(this);
    Picture1->setGeometry(TwipsRect(120, 120, 5160, 2160));
    Picture1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Picture1->setAutoFillBackground(true);

    Label1 = new QLabel(QStringLiteral("Program Security Options"), Picture1);
    Label1->setGeometry(TwipsRect(120, 60, 4920, 255));
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);

    for (int i = 0; i < 3; ++i) {
        auto* option = new QRadioButton(QString::fromLatin1(kOptionCaptions[i]), Picture1);
        option->setGeometry(TwipsRect(360, 360 + i * 300, 4680, 255));
        connect(option, &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                Option1_Click(i);
        });
        Option1[size_t(i)] = option;
    }

    Line1 = new QFrame(Picture1);
    Line1->setGeometry(TwipsRect(120, 1335, 4920, 30));
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Sunken);

    Check1 = new QCheckBox(QStringLiteral("Program Terminates After Selecting Password"), Picture1);
    Check1->setGeometry(TwipsRect(360, 1470, 4680, 255));
    Check2 = new QCheckBox(QStringLiteral("Program has Designer Look"), Picture1);
    Check2->setGeometry(TwipsRect(360, 1770, 4680, 255));

    Command1[1] = new QPushButton(QStringLiteral("&Apply"), this);
    Command1[1]->setGeometry(TwipsRect(2760, 2400, 1215, 375));
    Command1[1]->setEnabled(false);
    Command1[0] = new QPushButton(QStringLiteral("&Close"), this);
    Command1[0]->setGeometry(TwipsRect(4065, 2400, 1215, 375));
    for (int i = 0; i < 2; ++i)
        connect(Command1[size_t(i)], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });

    QWidget* order[] = {Option1[0], Option1[1], Option1[2], Check1, Check2, Command1[1], Command1[0]};
    for (size_t i = 0; i + 1 < std::size(order); ++i)
        QWidget::setTabOrder(order[i], order[i + 1]);
}

void Ops::Form_Load()
{
    Check1->setChecked(gTerminateAfter);
    PendingTerminate = gTerminateAfter;
    Check2->setChecked(gDesignerMode);
    PendingDesigner = gDesignerMode;
    Dress();
}

void Ops::TestApply()
{
    Command1[1]->setEnabled(OptionsApply::ApplyEnabled({PendingMode, PendingTerminate, PendingDesigner},
                                                       {gProtectionMode, gTerminateAfter, gDesignerMode}));
    Command1[0]->setText(Command1[1]->isEnabled() ? QStringLiteral("&Cancel") : QStringLiteral("&Close"));
}

void Ops::Option1_Click(int Index)
{
    PendingMode = qint16(Index);
    TestApply();
}

void Ops::Check1_Click()
{
    PendingTerminate = Check1->isChecked();
    TestApply();
}

void Ops::Check2_Click()
{
    PendingDesigner = Check2->isChecked();
    TestApply();
}

void Ops::Command1_Click(int Index)
{
    if (Index == 0) {
        done(QDialog::Rejected);
        return;
    }
    if (Index != 1)
        return;
    ApplyMode();
    gTerminateAfter = Check1->isChecked();
    gDesignerMode = Check2->isChecked();
    RegDB_SetValue(QStringLiteral("TerminateAfter"), BoolText(gTerminateAfter));
    RegDB_SetValue(QStringLiteral("DesignerMode"), BoolText(gDesignerMode));
    Command1[1]->setEnabled(false);
    Command1[0]->setText(QStringLiteral("&Close"));
    // The look may have changed; and the windows that came over this one have gone, which puts the
    // selection back to the mode now in force (the old one when the editor was cancelled).
    update();
    m_door.owner()->update();
    SelectCurrentMode();
}

void Ops::ApplyMode()
{
    const int at = m_door.entries().controlRecordIndex();
    switch (OptionsApply::Decide(PendingMode, gProtectionMode, at >= 0)) {
    case OptionsApply::ModeStep::RewriteControlRecord: RewriteControlRecord(at); break;
    case OptionsApply::ModeStep::CreateControlRecord: CreateControlRecord(); break;
    case OptionsApply::ModeStep::Keep: break;
    }
}

void Ops::RewriteControlRecord(int at)
{
    PreviousMode = gProtectionMode;
    gProtectionMode = PendingMode;
    EntryList& list = m_door.entries();
    list.remove(at);
    list.add(ListItem::MakeControl(gProgramPassword, gProtectionMode));
    // A failed store keeps the old file, and the reload then brings back its mode.
    m_door.StorePasswords();
    m_door.LoadPasswords(QStringLiteral("Normal"));
}

void Ops::CreateControlRecord()
{
    // Taken now: a repaint while the message is up must not change which mode is applied.
    const qint16 wanted = PendingMode;
    dialogs().MsgBox(QStringLiteral("No password entry currently exists for the Password Corvalen Program.  "
                                    "You will be prompted to create one now."),
                     vbInformation, kAppTitle);
    PreviousMode = gProtectionMode;
    gProtectionMode = wanted;

    Passedit editor(m_door);
    editor.BeginProgramPassword();
    dialogs().ShowModal(editor);

    // A Save that passed the blank checks can still have stored nothing (a failed write): without a control
    // record in the list the mode has no password behind it.
    if (!OptionsApply::KeepsNewMode(gEntrySaved, m_door.entries().controlRecordIndex() >= 0))
        gProtectionMode = PreviousMode;
}

void Ops::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (QWindow* window = windowHandle())
        window->installEventFilter(this);
    SelectCurrentMode();
}

bool Ops::eventFilter(QObject* watched, QEvent* event)
{
    // The window shown again or uncovered: its repaint puts the selection back to the current mode. The
    // repaints its own controls cause as they change do not, or they would undo the choice being made.
    if (watched == windowHandle() && event->type() == QEvent::Expose && windowHandle()->isExposed())
        SelectCurrentMode();
    return QDialog::eventFilter(watched, event);
}

void Ops::SelectCurrentMode()
{
    if (gProtectionMode >= 0 && gProtectionMode < qint16(Option1.size())) {
        // Selecting a button that was not selected runs its Option1_Click.
        Option1[size_t(gProtectionMode)]->setChecked(true);
        return;
    }
    // A mode from a damaged control record has no button: none is selected, and Apply stays off until
    // a real mode is chosen, which then repairs the record.
    for (QRadioButton* option : Option1) {
        option->setAutoExclusive(false);
        option->setChecked(false);
        option->setAutoExclusive(true);
    }
    PendingMode = gProtectionMode;
    TestApply();
}
