#include "ui/Mainform.h"

#include "core/DeleteEntry.h"
#include "core/Finally.h"
#include "core/ListItem.h"
#include "core/Messages.h"
#include "core/PasswordStore.h"
#include "core/Protection.h"
#include "core/RunError.h"
#include "core/Talmor32.h"
#include "core/Version.h"
#include "frame/ListBox.h"
#include "frame/PictureBox.h"
#include "frame/Pictures.h"
#include "frame/Platform.h"
#include "frame/SHARED.h"
#include "frame/SMBASIC.h"
#include "frame/SMGLOBAL.h"
#include "frame/Twips.h"
#include "frame/WrapButton.h"
#include "ui/Ancillary.h"
#include "ui/Ops.h"
#include "ui/Passedit.h"
#include "ui/frmLogin.h"

#include <QCloseEvent>
#include <QFile>
#include <QLabel>
#include <QTimer>

namespace {

// clang-format off
enum Command { kAdd = 0, kDelete = 1, kEdit = 2, kCopyPassword = 3, kHelp = 4, kAncillary = 5, kOptions = 6,
               kCopyUserId = 7 };

// In tab order.
constexpr WrapButton::Spec kButtons[] = {
    {0, "Add New Password", 0, 0, 1200, 555},       {1, "Delete Password", 1200, 0, 1200, 555},
    {2, "Edit Password", 2400, 0, 1200, 555},       {3, "", 5280, 1500, 1815, 1755},
    {5, "Ancillary Functions", 3600, 0, 1200, 555}, {6, "Program Options", 4800, 0, 1200, 555},
    {4, "Help", 6000, 0, 1200, 555},                {7, "", 60, 1500, 1815, 1755},
};
// clang-format on

QLabel* makeLabel(QWidget* parent, const QString& text, const QRect& r)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(r);
    label->setAlignment(Qt::AlignCenter);
    label->setAttribute(Qt::WA_TranslucentBackground);
    return label;
}

template <class Window> void showModal(Mainform& main)
{
    Window window(main);
    dialogs().ShowModal(window);
}

} // namespace

Mainform::Mainform(QWidget* parent) : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Password Corvalen - By Brenhold Systems"));
    setFixedSize(Twips(7200), Twips(3900));
    // A window of fixed size has nothing to maximize; it can still be minimized.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    List1 = new ListBox(this);
    List1->setGeometry(TwipsRect(1980, 1200, 3195, 2460));
    QFont listFont = List1->font();
    listFont.setPointSize(12);
    List1->setFont(listFont);
    connect(List1, &ListBox::DblClick, this, &Mainform::List1_DblClick);

    WrapButton::MakeButtons(*this, kButtons, std::size(kButtons), Command1.data(),
                            [this](int index) { Command1_Click(index); });
    SetPictureButton(*Command1[3], QStringLiteral("store_password.png"), QStringLiteral("Store Password"));
    SetPictureButton(*Command1[7], QStringLiteral("store_userid.png"), QStringLiteral("Store User ID"));
    QWidget::setTabOrder(List1, Command1[0]);

    Label1 = makeLabel(this, QStringLiteral("Password List"), TwipsRect(2040, 840, 3075, 375));
    QFont headingFont = Label1->font();
    headingFont.setPointSize(12);
    headingFont.setBold(true);
    Label1->setFont(headingFont);
    Label2 = makeLabel(this, QString(), TwipsRect(5340, 3540, 1755, 255));
    Label3 = makeLabel(this, QString(), TwipsRect(0, 3360, 1935, 495));

    // Lies right of the client area: never seen, only the source of the tiled background.
    Back = new PictureBox(this);
    Back->setGeometry(TwipsRect(7620, 60, 1455, 1335));
    LoadBackPicture(*Back);

    Timer1 = new QTimer(this);
    Timer1->setInterval(1);
    connect(Timer1, &QTimer::timeout, this, &Mainform::Timer1_Timer);

    List1->setFocus();
}

void Mainform::paintEvent(QPaintEvent*)
{
    Form_Paint();
}

void Mainform::Form_Paint()
{
    TileBackground(*this, *Back);
}

void Mainform::gDisableForm()
{
    for (QPushButton* button : Command1)
        button->setEnabled(false);
    List1->setEnabled(false);
}

void Mainform::gEnableForm()
{
    for (QPushButton* button : Command1)
        button->setEnabled(true);
    List1->setEnabled(true);
}

void Mainform::Timer1_Timer()
{
    Timer1->stop();
    Label2->setText(QStringLiteral("Ver.: ") + VersionNumberText());
    List1->setListIndex(List1->ListCount() > 0 ? 0 : -1);
}

void Mainform::Form_Load()
{
    gLoggedIn = false;
    // A text that is neither a Boolean word nor a number keeps the designer look, as when the setting is absent.
    bool ok = false;
    gDesignerMode = CBool(RegDB_GetValue(QStringLiteral("DesignerMode"), QStringLiteral("True")), &ok);
    if (!ok)
        gDesignerMode = true;
    SplashRoutines();
    passwordStore().StartRun();
    LoadPasswords(QStringLiteral("Load"));
    SetPointer(*this);
    Timer1->start();
}

void Mainform::SplashRoutines()
{
    const QString procName = QStringLiteral("SplashRoutines");
    const auto step = [&procName](const std::function<void()>& statement) {
        ResumeNext(procName, statement, RunError::IsFileError);
    };
    step([this] { CentreOnScreen(*this); });
    // Visible from here on, with an empty list, so that the prompts of the load appear over it.
    step([this] { show(); });
    // Once shown the window has its frame: centring again puts the whole window in the middle of the screen.
    step([this] { CentreOnScreen(*this); });
    step([] { gWindowsVersion = GetWindowsVersion(); });
    step([] { gVersionText = QStringLiteral(" Version ") + VersionNumberText(); });
    step([] { gDoubleBreak = kCrLf + kCrLf; });
    step([] { gContactText = Messages::ContactText(); });
    step([] { gWindowsDir = QFile::decodeName(Talmor32::Export330(environment().windowsDirectoryBuffer())); });
    step([] { RegDB_CheckVersion(); });
    step([] { Main(); });
}

void Mainform::Form_Unload()
{
    // Closes any help window the program opened; nothing is saved, as every change was written when made.
    devices().WinHelp(QString(), HELP_QUIT, 0);
}

void Mainform::closeEvent(QCloseEvent* event)
{
    if (!m_unloaded) {
        m_unloaded = true;
        Form_Unload();
    }
    event->accept();
    session().Quit();
}

void Mainform::OfferNewFile()
{
    PasswordStore& store = passwordStore();
    // A link whose target is away (a stick or a vault not mounted yet) is named, so the user can bring it back.
    gErrorText = store.linkTargetMissing() ? Messages::LinkTargetMissing(store.path()) : Messages::NoPasswordFile();
    if (dialogs().MsgBox(gErrorText, vbOKCancel + vbCritical, kAppTitle) != vbOK)
        session().End();
    store.CreateEmpty();
}

void Mainform::LoadPasswords(const QString& how)
{
    const QString procName = QStringLiteral("LoadPasswords");
    try {
        PasswordStore& store = passwordStore();
        PasswordFile::Loaded loaded;
        try {
            loaded = store.Load();
        } catch (const RunError& error) {
            if (error.number() != RunError::FileNotFound)
                throw;
            OfferNewFile();
        }
        List1->Clear();
        if (loaded.scan.earlierLayout) {
            ConvertPasswords();
            loaded = store.Load();
        }

        const Protection::How applying = Protection::HowOf(how);
        const Protection::OnLoad outcome = Protection::Decide(gProtectionMode, loaded.scan, applying);
        gProgramPassword = outcome.programPassword;
        gProtectionMode = outcome.mode;
        switch (outcome.action) {
        case Protection::Action::LogIn: gLoggedIn = true; break;
        case Protection::Action::Lock: gLoggedIn = false; break;
        case Protection::Action::LoginWindow: {
            // The list is still empty here, so the window is told that a control record was read.
            frmLogin login(this, Back, true);
            dialogs().ShowModal(login);
            break;
        }
        case Protection::Action::NotProgrammed: dialogs().MsgBox(QStringLiteral("Not Programmed"), vbOKOnly); break;
        case Protection::Action::None: break;
        }

        List1->SetRows(std::move(loaded.rows));
        // Told when the file is opened; the entries stay in the file as they are at every store.
        if (applying == Protection::How::Load)
            for (const QString& line : loaded.unlisted)
                dialogs().MsgBox(Messages::EntryNotListed(PasswordFile::Parse(line).name.toString()), vbExclamation,
                                 kAppTitle);
        if (loaded.corrupted)
            dialogs().MsgBox(QStringLiteral("Password File is corrupted.  Please use your Backup Copy."), vbOKOnly);
    } catch (const RunError& error) {
        LogError(error, procName);
        session().End();
    }
}

bool Mainform::StorePasswords()
{
    // Events run during a store, but user input waits for it, so only a timer could start a second
    // store inside this one: it is refused, and this one goes on from its own copy of the list.
    if (m_storing)
        return false;
    m_storing = true;
    const Finally done([this] { m_storing = false; });

    PasswordStore& store = passwordStore();
    const PasswordFile::Stored stored =
        PasswordFile::StoreItems(List1->entries().items(), store.unlisted(), [] { session().DoEvents(); });
    for (const QString& name : stored.refusedNames)
        dialogs().MsgBox(Messages::EntryNotStored(name), vbOKOnly);
    try {
        store.Write(stored.content);
    } catch (const RunError& error) {
        dialogs().MsgBox(Messages::StoreFailed(ErrorText(error)), vbCritical, kAppTitle);
        return false;
    }
    return true;
}

void Mainform::ConvertPasswords()
{
    PasswordStore& store = passwordStore();
    const std::vector<QString> lines = PasswordFile::PlainLines(store.Read());
    dialogs().MsgBox(Messages::UpgradeMessage(), vbInformation, QStringLiteral("Upgrade Detected..."));
    const PasswordFile::Converted converted = PasswordFile::ConvertLines(lines);
    if (converted.corruptLine >= 0) {
        dialogs().MsgBox(
            QStringLiteral("Conversion Routine: Password File is corrupted.  Please use your Backup Copy."), vbOKOnly);
        session().End();
    }
    store.WriteConverted(converted.plainLines);
}

bool Mainform::LoginStep()
{
    if (Protection::LoginNeeded(gProtectionMode, gLoggedIn)) {
        // "not found" is the mark of a file without a control record, or rarely a password someone chose.
        const bool loaded = gProgramPassword != PasswordFile::kNotFound || entries().controlRecordIndex() >= 0;
        frmLogin login(this, Back, loaded);
        dialogs().ShowModal(login);
    }
    return gLoggedIn;
}

void Mainform::Command1_Click(int Index)
{
    switch (Index) {
    case kAdd:
    case kDelete:
    case kEdit:
    case kAncillary:
    case kOptions: {
        if (!LoginStep())
            return;
        // The main window stays inert while a window it opened is up, also when that window ends by an exception.
        gDisableForm();
        const Finally enable([this] { gEnableForm(); });
        RunGuarded(Index);
        return;
    }
    case kCopyPassword: CopyToClipboard(true); return;
    case kCopyUserId: CopyToClipboard(false); return;
    case kHelp: ShowHelpContents(); return;
    default: dialogs().MsgBox(QStringLiteral("Not Programmed"), vbOKOnly); return;
    }
}

void Mainform::RunGuarded(int Index)
{
    switch (Index) {
    case kAdd: {
        Passedit editor(*this);
        editor.BeginAdd();
        dialogs().ShowModal(editor);
        break;
    }
    case kDelete: DeleteSelected(); break;
    case kEdit: EditSelected(); break;
    case kAncillary: showModal<Ancillary>(*this); break;
    case kOptions: showModal<Ops>(*this); break;
    default: break;
    }
}

void Mainform::DeleteSelected()
{
    const int i = List1->ListIndex();
    const QString item = i >= 0 ? List1->List(i) : QString();
    const DeleteEntry::Plan plan = DeleteEntry::Decide(i, item, gProtectionMode);
    if (!plan.message.isEmpty()) {
        const int answer = dialogs().MsgBox(plan.message, plan.flags, kAppTitle);
        if (plan.asks && answer == vbCancel)
            return;
    }
    if (!plan.deletes)
        return;
    if (plan.endsProtection)
        gProtectionMode = 0;
    List1->RemoveItem(i);
    const bool stored = StorePasswords();
    // The file still holds the entry (and its protection) when it could not be written: show what it holds.
    if (!stored)
        LoadPasswords(QStringLiteral("Normal"));
    List1->setListIndex(DeleteEntry::SelectionAfter(i, stored));
}

void Mainform::EditSelected()
{
    const int i = List1->ListIndex();
    if (i < 0) {
        dialogs().MsgBox(QStringLiteral("Nothing Selected to Edit"), vbInformation, kAppTitle);
        return;
    }
    const QString item = List1->List(i);
    Passedit editor(*this);
    editor.BeginEdit(item);
    dialogs().ShowModal(editor);

    LoadPasswords(QStringLiteral("Normal"));
    // The edited entry by what it is, not by its row: names that sort alike may have changed places.
    const QString saved = editor.SavedItem().isEmpty() ? item : editor.SavedItem();
    const int at = List1->entries().indexOf(saved);
    List1->setListIndex(at >= 0 ? at : i);
}

void Mainform::List1_DblClick()
{
    CopyToClipboard(true);
}

void Mainform::CopyToClipboard(bool password)
{
    const int i = List1->ListIndex();
    const Protection::Copy copy = Protection::CopyDecision(i, i >= 0 ? List1->List(i) : QString(), password,
                                                           gProtectionMode, gLoggedIn, gTerminateAfter);
    if (!copy.copies || (copy.needsLogin && !LoginStep()))
        return;
    devices().ClipboardClear();
    // A password is marked as a secret, so clipboard managers keep it out of their history.
    devices().ClipboardSetText(copy.text, copy.secret);
    if (copy.endsProgram)
        close();
}
