#include "ui/Mainform.h"

#include "core/ListItem.h"
#include "frame/ListBox.h"
#include "frame/Platform.h"
#include "frame/SMGLOBAL.h"
#include "ui/Ancillary.h"
#include "ui/Ops.h"
#include "ui/Passedit.h"
#include "ui/frmLogin.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

enum Command
{
    kAdd = 0,
    kDelete = 1,
    kEdit = 2,
    kCopyPassword = 3,
    kHelp = 4,
    kAncillary = 5,
    kOptions = 6,
    kCopyUserId = 7,
};

constexpr int kHelpTopic = 10;
const QString kContinueOrAbort = QStringLiteral("Press OK to continue or CANCEL to abort the operation.");

ListItem::Fields selectedFields(const ListBox& list)
{
    ListItem::Fields fields;
    if (list.ListIndex() >= 0)
        ListItem::Split(list.List(list.ListIndex()), fields);
    return fields;
}

// Keeps the main window inert while a window it opened is up, also when that window ends by an exception.
class Disabled
{
public:
    explicit Disabled(Mainform& main) : m_main(main) { m_main.gDisableForm(); }
    ~Disabled() { m_main.gEnableForm(); }
    Disabled(const Disabled&) = delete;
    Disabled& operator=(const Disabled&) = delete;

private:
    Mainform& m_main;
};

} // namespace

bool Mainform::LoginStep()
{
    if (gProtectionMode != 0 && !gLoggedIn) {
        frmLogin login(this);
        platform().ShowModal(login);
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
        Disabled disabled(*this);
        RunGuarded(Index);
        return;
    }
    case kCopyPassword: CopyToClipboard(true); return;
    case kCopyUserId: CopyToClipboard(false); return;
    case kHelp: platform().WinHelp(gHelpFile, HELP_CONTEXT, kHelpTopic); return;
    default: platform().MsgBox(QStringLiteral("Not Programmed"), vbOKOnly); return;
    }
}

void Mainform::RunGuarded(int Index)
{
    switch (Index) {
    case kAdd: {
        Passedit editor(*this);
        editor.EditMode = QStringLiteral("ADD");
        editor.SetTabOrder({editor.Text1[0], editor.Text1[1], editor.Text1[2], editor.Command1[2],
                            editor.Command1[1], editor.Command1[0]});
        platform().ShowModal(editor);
        break;
    }
    case kDelete: DeleteSelected(); break;
    case kEdit: EditSelected(); break;
    case kAncillary: {
        Ancillary window(*this);
        platform().ShowModal(window);
        break;
    }
    case kOptions: {
        Ops window(*this);
        platform().ShowModal(window);
        break;
    }
    default: break;
    }
}

void Mainform::DeleteSelected()
{
    const int i = List1->ListIndex();
    if (i < 0) {
        platform().MsgBox(QStringLiteral("Nothing Selected to Delete"), vbInformation, kAppTitle);
        return;
    }
    const QString item = List1->List(i);
    // Only the control record itself: an entry whose name merely begins with its name is an ordinary one.
    if (ListItem::IsControlRecord(item)) {
        if (gProtectionMode != 0) {
            const QString question = QStringLiteral("This will delete the program's password protection.  You may "
                                                    "re-establish it at a later time if desired.  ") +
                                     kContinueOrAbort;
            if (platform().MsgBox(question, vbOKCancel + vbExclamation, kAppTitle) == vbCancel)
                return;
            gProtectionMode = 0;
        }
    } else {
        const QString question = QStringLiteral("Are you sure you want to delete the password for ") +
                                 ListItem::NameOf(item) + QStringLiteral("?") + kCrLf + kCrLf + kContinueOrAbort;
        if (platform().MsgBox(question, vbOKCancel + vbExclamation, kAppTitle) == vbCancel)
            return;
    }
    List1->RemoveItem(i);
    if (!StorePasswords()) {
        // The file still holds the entry (and its protection): show what it holds, the entry still selected.
        LoadPasswords(QStringLiteral("Normal"));
        List1->setListIndex(i);
        return;
    }
    List1->setListIndex(i - 1);
}

void Mainform::EditSelected()
{
    const int i = List1->ListIndex();
    if (i < 0) {
        platform().MsgBox(QStringLiteral("Nothing Selected to Edit"), vbInformation, kAppTitle);
        return;
    }
    ListItem::Fields fields;
    ListItem::Split(List1->List(i), fields);
    const bool control = fields.name == ListItem::kControlName;
    if (control) {
        fields.password.chop(1); // the protection-mode digit
        fields.userId.clear();
    }

    Passedit editor(*this);
    editor.EditMode = QStringLiteral("EDIT");
    editor.Text1[0]->setText(fields.name);
    editor.Text1[1]->setText(fields.password);
    editor.Text1[2]->setVisible(!control);
    editor.Label1[2]->setVisible(!control);
    if (!control)
        editor.Text1[2]->setText(fields.userId);
    // The name identifies the entry: it cannot change while editing.
    editor.Text1[0]->setReadOnly(true);
    editor.SetTabOrder({editor.Text1[1], editor.Text1[0], editor.Text1[2], editor.Command1[2], editor.Command1[1],
                        editor.Command1[0]});
    platform().ShowModal(editor);

    LoadPasswords(QStringLiteral("Normal"));
    List1->setListIndex(i);
}

void Mainform::List1_DblClick()
{
    CopyToClipboard(true);
}

void Mainform::CopyToClipboard(bool password)
{
    const ListItem::Fields fields = selectedFields(*List1);
    platform().ClipboardClear();
    // A password is marked as a secret, so clipboard managers keep it out of their history.
    platform().ClipboardSetText(password ? fields.password : fields.userId, password);
    if (password && gTerminateAfter)
        close();
}
