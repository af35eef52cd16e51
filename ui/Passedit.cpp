#include "ui/Passedit.h"

#include "core/EditorSave.h"
#include "core/EntryInput.h"
#include "core/EntryList.h"
#include "core/ListItem.h"
#include "core/RandomPassword.h"
#include "frame/Platform.h"
#include "frame/SMGLOBAL.h"
#include "frame/SecretLineEdit.h"
#include "frame/Twips.h"
#include "frame/WrapButton.h"
#include "ui/ListDoor.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

struct LabelSpec
{
    const char* caption;
    int left, top, width, height;
};
constexpr LabelSpec kLabels[] = {
    {"Password Name", 1560, 240, 2895, 255},
    {"Password", 1680, 1680, 2775, 255},
    {"Password User ID (If Required)", 1680, 1020, 2775, 255},
};

} // namespace

Passedit::Passedit(ListDoor& door)
    : FixedDialog(door.owner(), door.tileSource(), QStringLiteral("Password Editor"), 6090, 2355), m_door(door)
{
    createControls();
    Form_Load();
}

void Passedit::createControls()
{
    QFont labelFont = font();
    labelFont.setPointSizeF(8.25);
    labelFont.setBold(true);
    for (size_t i = 0; i < Label1.size(); ++i) {
        const LabelSpec& spec = kLabels[i];
        Label1[i] = new QLabel(QString::fromLatin1(spec.caption), this);
        Label1[i]->setGeometry(TwipsRect(spec.left, spec.top, spec.width, spec.height));
        Label1[i]->setAlignment(Qt::AlignCenter);
        Label1[i]->setAttribute(Qt::WA_TranslucentBackground);
        // The captions were laid out for a narrower face: shrink the font until each one fits its label.
        QFont fitted = labelFont;
        while (QFontMetrics(fitted).horizontalAdvance(Label1[i]->text()) > Label1[i]->width() &&
               fitted.pointSizeF() > 6.0)
            fitted.setPointSizeF(fitted.pointSizeF() - 0.25);
        Label1[i]->setFont(fitted);
    }

    const QRect boxes[] = {TwipsRect(1560, 480, 2835, 285), TwipsRect(2160, 1920, 1815, 285),
                           TwipsRect(2160, 1260, 1815, 285)};
    for (size_t i = 0; i < Text1.size(); ++i) {
        // The password shows in clear: what leaves its box goes as a password, cleared after its time.
        Text1[i] = i == size_t(EntryInput::kPassword) ? new SecretLineEdit(this) : new QLineEdit(this);
        Text1[i]->setGeometry(boxes[i]);
        const int index = int(i);
        connect(Text1[i], &QLineEdit::textChanged, this, [this, index] { Text1_Change(index); });
    }

    Command1[0] = new QPushButton(QStringLiteral("&Save"), this);
    Command1[0]->setGeometry(TwipsRect(4920, 600, 1035, 315));
    Command1[0]->setEnabled(false);
    Command1[1] = new QPushButton(QStringLiteral("&Cancel"), this);
    Command1[1]->setGeometry(TwipsRect(4920, 180, 1035, 315));
    Command1[2] = new WrapButton(QStringLiteral("&Generate Random Password"), this);
    Command1[2]->setGeometry(TwipsRect(120, 180, 1035, 735));
    Command1[2]->setToolTip(QStringLiteral("Generate Random Password"));
    for (size_t i = 0; i < Command1.size(); ++i) {
        // No default button: Enter pressed in a box must never save or close by surprise; on a button it presses it.
        Command1[i]->setAutoDefault(false);
        const int index = int(i);
        connect(Command1[i], &QPushButton::clicked, this, [this, index] { Command1_Click(index); });
    }

    SetTabOrder({Text1[0], Text1[2], Text1[1], Command1[2], Command1[1], Command1[0]});
    Text1[0]->setFocus();
}

void Passedit::SetTabOrder(const std::vector<QWidget*>& order)
{
    for (size_t i = 0; i + 1 < order.size(); ++i)
        QWidget::setTabOrder(order[i], order[i + 1]);
    if (!order.empty())
        order.front()->setFocus();
}

void Passedit::BeginAdd()
{
    EditMode = QStringLiteral("ADD");
    SetTabOrder({Text1[0], Text1[1], Text1[2], Command1[2], Command1[1], Command1[0]});
}

void Passedit::BeginEdit(const QString& item)
{
    EditMode = QStringLiteral("EDIT");
    m_editing = item;
    const ListItem::Fields fields = ListItem::Shown(item);
    const bool control = ListItem::IsControlRecord(item);
    Text1[0]->setText(fields.name);
    Text1[1]->setText(fields.password);
    Text1[2]->setText(fields.userId);
    Text1[2]->setVisible(!control);
    Label1[2]->setVisible(!control);
    // The name identifies the entry: it cannot change while editing.
    Text1[0]->setReadOnly(true);
    SetTabOrder({Text1[1], Text1[0], Text1[2], Command1[2], Command1[1], Command1[0]});
}

void Passedit::BeginProgramPassword()
{
    EditMode = QStringLiteral("ADD");
    Text1[0]->setText(ListItem::kControlName);
    Text1[0]->setReadOnly(true);
    Text1[1]->clear();
    // The password box first, then the others in their usual order.
    SetTabOrder({Text1[1], Text1[0], Text1[2], Command1[2], Command1[1], Command1[0]});
}

void Passedit::Form_Load()
{
    Dress();
}

void Passedit::Text1_Change(int /*Index*/)
{
    // While the name is empty Save keeps its state, so clearing the name never hides a pending Save.
    if (!Text1[0]->text().isEmpty())
        Command1[0]->setEnabled(!Text1[1]->text().isEmpty());
}

void Passedit::Command1_Click(int Index)
{
    gEntrySaved = false;
    switch (Index) {
    case 0: Save(); break;
    case 1:
        gEntrySaved = false;
        reject();
        break;
    case 2: Text1[1]->setText(RandomPassword::Generate([] { return environment().Rnd(); })); break;
    default: break;
    }
}

void Passedit::Save()
{
    EditorSave::Input input;
    input.add = EditMode == QLatin1String("ADD");
    input.name = Text1[0]->text();
    input.password = Text1[1]->text();
    input.userId = Text1[2]->text();
    input.protectionMode = gProtectionMode;
    input.editing = m_editing;
    EntryList& list = m_door.entries();
    const EditorSave::Outcome outcome = EditorSave::Save(input, list);
    gEntrySaved = outcome.entrySaved;
    if (outcome.addItem.isEmpty()) {
        dialogs().MsgBox(outcome.warning, vbExclamation, kAppTitle);
        // The box whose text is the problem, so the user can mend it at once.
        Text1[size_t(outcome.focus)]->setFocus();
        return;
    }
    // The entry the window was opened on, not whatever is selected now: a failed store reloads the list and
    // clears the selection, and Save again must still replace the entry, never add a second one.
    const int at = outcome.removeItem.isEmpty() ? -1 : list.indexOf(outcome.removeItem);
    if (at >= 0)
        list.remove(at);
    list.add(outcome.addItem);

    const bool stored = m_door.StorePasswords();
    m_door.LoadPasswords(QStringLiteral("Normal"));
    if (!stored) {
        // The file kept its old content and the list was read back from it; the window stays open with
        // the input, so nothing typed is lost and the user can try again or cancel.
        gEntrySaved = false;
        return;
    }
    m_saved = outcome.addItem;
    accept();
}
