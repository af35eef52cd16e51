#include "ui/Ancillary.h"

#include "core/EntryList.h"
#include "core/MediumChoice.h"
#include "core/Merge.h"
#include "core/Messages.h"
#include "core/PasswordStore.h"
#include "core/PrintLayout.h"
#include "core/RunError.h"
#include "frame/Platform.h"
#include "frame/PrintRenderer.h"
#include "frame/SHARED.h"
#include "frame/SMBASIC.h"
#include "frame/SMGLOBAL.h"
#include "frame/WrapButton.h"
#include "ui/ListDoor.h"
#include "ui/import.h"

#include <QFileInfo>
#include <QPrinter>

namespace {

// By index, which is also the tab order.
constexpr WrapButton::Spec kButtons[] = {
    {0, "Print Password List", 240, 120, 1155, 675},
    {1, "Export Password File to Diskette", 240, 960, 1155, 675},
    {2, "Import Password File from Diskette", 240, 1800, 1155, 675},
    {3, "&Close", 1800, 480, 1155, 315},
};

const QString kNotValid = QStringLiteral("The file PASSWORD.DAT on the diskette is not a valid Password Corvalen "
                                         "Passwword File.  This Operation will be aborted.");

const QString kDiskDrive = QStringLiteral("DiskDrive");

// The folder that stands for drive A:; empty when the user cancelled the choice among several media. Raises the
// disk-not-ready error when there is none.
QString mediumFolder()
{
    const QString setting = RegDB_GetValue(kDiskDrive, QString());
    const MediumChoice::Choice choice = MediumChoice::Decide(
        setting, QFileInfo(setting).isDir(), setting.isEmpty() ? devices().removableMedia() : QStringList());
    if (choice.notReady)
        throw RunError(RunError::DiskNotReady);
    if (choice.pickFrom.isEmpty())
        return choice.folder;
    const int picked = dialogs().ChooseItem(
        kAppTitle, QStringLiteral("Several removable media are mounted.  Choose the one to use:"), choice.pickFrom);
    return picked < 0 ? QString() : choice.pickFrom.at(picked);
}

// After "Diskette Drive Not Ready" the user may choose the folder with the desktop's chooser; it is kept as the
// DiskDrive setting. True when one was chosen.
bool chooseMediumFolder()
{
    if (dialogs().MsgBox(MediumChoice::ChooseFolderQuestion(), vbOKCancel + vbQuestion, kAppTitle) != vbOK)
        return false;
    const QString folder = dialogs().ChooseFolder(QStringLiteral("Choose the folder for the diskette drive"),
                                                  environment().variable(QStringLiteral("HOME")));
    if (folder.isEmpty())
        return false;
    RegDB_SetValue(kDiskDrive, folder);
    return true;
}

// Whether a medium that was there has gone since: a failure on it is then the not-ready case.
bool mediumGone(const QString& folder)
{
    return !folder.isEmpty() && !QFileInfo(folder).isDir();
}

// A failure on a medium that has gone since it was found is reported as the drive not being ready.
template <class Statement> void onMedium(const QString& folder, Statement&& statement)
{
    try {
        statement();
    } catch (const RunError&) {
        if (mediumGone(folder))
            throw RunError(RunError::DiskNotReady);
        throw;
    }
}

} // namespace

Ancillary::Ancillary(ListDoor& door)
    : FixedDialog(door.owner(), door.tileSource(), QStringLiteral("Ancillary Functions"), 3195, 2715), m_door(door)
{
    WrapButton::MakeButtons(*this, kButtons, std::size(kButtons), Command1.data(),
                            [this](int index) { Command1_Click(index); });
    Form_Load();
}

void Ancillary::Form_Load()
{
    Dress();
}

void Ancillary::Command1_Click(int Index)
{
    const std::function<void()> commands[] = {[this] { PrintList(); }, [this] { ExportList(); },
                                              [this] { ImportList(); }};
    if (Index == 3) {
        done(QDialog::Accepted);
    } else if (Index >= 0 && Index < 3) {
        DisableButtons();
        commands[Index]();
        EnableButtons();
    }
}

void Ancillary::DisableButtons()
{
    for (QPushButton* button : Command1)
        button->setEnabled(false);
}

void Ancillary::EnableButtons()
{
    for (QPushButton* button : Command1)
        button->setEnabled(true);
}

void Ancillary::ExportList()
{
    const QString procName = QStringLiteral("ExportList");
    if (dialogs().MsgBox(Messages::ExportPrompt(), vbOKCancel + vbInformation, kAppTitle) == vbCancel)
        return;
    for (;;) {
        QString medium;
        try {
            medium = mediumFolder();
            if (medium.isEmpty())
                return;
            // Written in one step: a full or pulled medium never holds a truncated copy under the real name.
            passwordStore().Export(medium);
            session().DoEvents();
            break;
        } catch (const RunError& error) {
            if (error.number() != RunError::DiskNotReady && !mediumGone(medium)) {
                LogError(error, procName);
                session().End();
            }
            dialogs().MsgBox(QStringLiteral("Diskette Drive Not Ready"), vbOKOnly);
            if (!chooseMediumFolder())
                return;
        }
    }
    dialogs().MsgBox(QStringLiteral("Export is Complete"), vbOKOnly);
}

Ancillary::Step Ancillary::importStep(const std::function<void()>& statement)
{
    try {
        statement();
        return Step::Done;
    } catch (const RunError& error) {
        if (error.number() == RunError::FileNotFound) {
            dialogs().MsgBox(QStringLiteral("Required File (PASSWORD.DAT) Not Found."), vbExclamation, kAppTitle);
            return Step::Stop;
        }
        if (error.number() == RunError::DiskNotReady) {
            dialogs().MsgBox(QStringLiteral("Diskette Drive Not Ready"), vbOKOnly);
            return Step::NotReady;
        }
        LogError(error, QStringLiteral("ImportList"));
        return Step::Failed;
    }
}

void Ancillary::ImportList()
{
    if (dialogs().MsgBox(Messages::ImportPrompt(), vbOKCancel + vbInformation, kAppTitle) == vbCancel)
        return;

    // The medium's file is read whole at once, so it is open only for that moment, and a missing medium
    // or file is reported before the options window opens.
    QByteArray content;
    QString medium;
    Step opened = Step::NotReady;
    while (opened == Step::NotReady) {
        opened = importStep([&] {
            medium = mediumFolder();
            if (!medium.isEmpty())
                onMedium(medium, [&] { content = passwordStore().ReadMedium(medium); });
        });
        if (opened == Step::NotReady && !chooseMediumFolder())
            return;
    }
    // A file that cannot be read leaves nothing to import: the error has been logged.
    if (opened != Step::Done || medium.isEmpty())
        return;

    ImportCancelled = false;
    {
        ::import options(*this, m_door.tileSource());
        dialogs().ShowModal(options);
    }
    if (ImportCancelled)
        return;
    switch (ImportOption) {
    case 0: overwrite(content); break;
    case 1: merge(PasswordFile::PlainLines(content)); break;
    default: dialogs().MsgBox(QStringLiteral("Unexpected error has occurred"), vbOKOnly); break;
    }
}

void Ancillary::overwrite(const QByteArray& content)
{
    // Only a password file may take the place of the user's own.
    if (!PasswordFile::IsPasswordFile(content)) {
        dialogs().MsgBox(kNotValid, vbExclamation, kAppTitle);
        return;
    }
    // The user's file is kept as its backup copy, and the copy replaces it in one step: a failed copy leaves the
    // old file whole, and then there is nothing to load or to call completed.
    if (importStep([&] { passwordStore().Replace(content); }) != Step::Done)
        return;
    session().DoEvents();
    const Step hidden = importStep([] { passwordStore().Hide(); });
    if (hidden == Step::Stop || hidden == Step::NotReady)
        return;
    m_door.LoadPasswords(QStringLiteral("Load"));
    dialogs().MsgBox(QStringLiteral("Import Completed"), vbOKOnly);
}

void Ancillary::merge(const std::vector<QString>& plainLines)
{
    EntryList& list = m_door.entries();
    const Merge::Plan plan = Merge::MergeLines(list.items(), plainLines);
    for (const Merge::Notice& notice : plan.notices)
        dialogs().MsgBox(Merge::NoticeText(notice),
                         notice.kind == Merge::Notice::Duplicate ? vbInformation : vbExclamation, kAppTitle);
    if (plan.invalid) {
        // Nothing of a file that proved invalid joins the list.
        dialogs().MsgBox(kNotValid, vbExclamation, kAppTitle);
        return;
    }
    std::vector<QString> items = list.items();
    items.insert(items.end(), plan.items.begin(), plan.items.end());
    // A program password only the medium's author may know guards this program only if the user agrees.
    if (!plan.controlItem.isEmpty() &&
        dialogs().MsgBox(Merge::ControlRecordQuestion(), vbOKCancel + vbExclamation, kAppTitle) == vbOK)
        items.push_back(plan.controlItem);
    list.assign(std::move(items));
    const bool stored = m_door.StorePasswords();
    m_door.LoadPasswords(QStringLiteral("Normal"));
    if (stored)
        dialogs().MsgBox(QStringLiteral("Import Completed"), vbOKOnly);
}

void Ancillary::PrintList()
{
    const QString prompt = QStringLiteral("Your password list will be sent to the current default printer.  "
                                          "Select Cancel to Stop, OK to Continue.");
    if (dialogs().MsgBox(prompt, vbOKCancel + vbInformation, kAppTitle) == vbCancel)
        return;
    std::unique_ptr<QPrinter> printer = devices().DefaultPrinter();
    if (!printer) {
        dialogs().MsgBox(QStringLiteral("No printer is installed.  Please install a printer and make it the default "
                                        "printer, then try again."),
                         vbExclamation, kAppTitle);
        return;
    }
    PrintRenderer renderer(*printer);
    const QString date = PrintLayout::GeneralDate(environment().now(), QLocale::system());
    if (!renderer.print(PrintLayout::Layout(m_door.entries().items(), date, renderer.metrics()))) {
        dialogs().MsgBox(QStringLiteral("The password list could not be printed.  The unfinished printout has been "
                                        "discarded."),
                         vbExclamation, kAppTitle);
        return;
    }
    dialogs().MsgBox(QStringLiteral("Printing Completed"), vbOKOnly);
}
