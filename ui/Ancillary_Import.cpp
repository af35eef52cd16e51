#include "ui/Ancillary.h"

#include "core/FileOps.h"
#include "core/ListItem.h"
#include "core/MergeRules.h"
#include "core/PasswordFile.h"
#include "core/RunError.h"
#include "frame/ListBox.h"
#include "frame/Platform.h"
#include "frame/SMBASIC.h"
#include "frame/SMGLOBAL.h"
#include "ui/Mainform.h"
#include "ui/import.h"

#include <QFileInfo>

namespace {

// How many lines a long merge takes between letting the windows repaint.
constexpr size_t kEventsEvery = 1000;

QString importPrompt()
{
    return QStringLiteral("The Program expects to find a Password File (PASSWORD.DAT) on a diskette in your your "
                          "diskette drive.") +
           kCrLf + kCrLf +
           QStringLiteral("You will be given the option to Replace your existing set of passwords or to Merge the "
                          "new file with your existing set.  Select Cancel to Stop, OK to Continue.");
}

const QString kNotValid = QStringLiteral("The file PASSWORD.DAT on the diskette is not a valid Password Corvalen "
                                         "Passwword File.  This Operation will be aborted.");

} // namespace

Ancillary::Step Ancillary::importStep(const std::function<void()>& statement)
{
    try {
        statement();
        return Step::Done;
    } catch (const RunError& error) {
        if (error.number() == RunError::FileNotFound) {
            platform().MsgBox(QStringLiteral("Required File (PASSWORD.DAT) Not Found."), vbExclamation, kAppTitle);
            return Step::Stop;
        }
        if (error.number() == RunError::DiskNotReady) {
            platform().MsgBox(QStringLiteral("Diskette Drive Not Ready"), vbOKOnly);
            return Step::Stop;
        }
        LogError(error, QStringLiteral("ImportList"));
        return Step::Failed;
    }
}

void Ancillary::ImportList()
{
    if (platform().MsgBox(importPrompt(), vbOKCancel + vbInformation, kAppTitle) == vbCancel)
        return;

    // The medium's file is read whole at once, so it is open only for that moment, and a missing medium
    // or file is reported before the options window opens.
    QString diskFile;
    std::vector<QString> plainLines;
    QString medium;
    const Step opened = importStep([&] {
        medium = mediumFolder();
        diskFile = FileOps::ResolveName(medium, PasswordFile::kFileName);
        try {
            plainLines = PasswordFile::ReadPlainLines(diskFile);
        } catch (const RunError& error) {
            throw mediumGone(medium) ? RunError(RunError::DiskNotReady) : error;
        }
    });
    // A file that cannot be read leaves nothing to import: the error has been logged.
    if (opened != Step::Done)
        return;

    ImportCancelled = false;
    {
import options(* this, m_main);
        platform().ShowModal(options);
    }
    if (ImportCancelled)
        return;

    switch (ImportOption) {
    case 0:
        overwrite(diskFile);
        break;
    case 1: {
        bool stored = false;
        if (!merge(plainLines, stored) || !stored)
            return;
        platform().MsgBox(QStringLiteral("Import Completed"), vbOKOnly);
        break;
    }
    default:
        platform().MsgBox(QStringLiteral("Unexpected error has occurred"), vbOKOnly);
        break;
    }
}

void Ancillary::overwrite(const QString& diskFile)
{
    const QString ownFile = PasswordFile::Path(platform().programDir());
    // The copy replaces the program's file in one step: a failed copy leaves the old file whole, and then
    // there is nothing to load or to call completed.
    const Step copied = importStep([&] {
        try {
            platform().FileCopy(diskFile, ownFile);
        } catch (const RunError& error) {
            throw mediumGone(QFileInfo(diskFile).absolutePath()) ? RunError(RunError::DiskNotReady) : error;
        }
    });
    if (copied != Step::Done)
        return;
    platform().DoEvents();
    if (importStep([&] { platform().SetAttr(ownFile, FileOps::kAttrHidden); }) == Step::Stop)
        return;
    m_main.LoadPasswords(QStringLiteral("Load"));
    platform().MsgBox(QStringLiteral("Import Completed"), vbOKOnly);
}

bool Ancillary::merge(const std::vector<QString>& plainLines, bool& stored)
{
    ListBox& list = *m_main.List1;
    QSet<QString> names = MergeRules::NamesOf(list.entries().items());
    m_names = &names;
    struct Release
    {
        QSet<QString>*& names;
        ~Release() { names = nullptr; }
    } release{m_names};

    bool added = false;
    for (size_t i = 0; i < plainLines.size(); ++i) {
        const MergeRules::ImportLine line = MergeRules::ParseLine(plainLines[i]);
        if (!line.valid) {
            platform().MsgBox(kNotValid, vbExclamation, kAppTitle);
            // Nothing of a file that proved invalid stays in the list: it shows the stored file again.
            if (added) {
                m_names = nullptr;
                m_main.LoadPasswords(QStringLiteral("Normal"));
            }
            return false;
        }
        if (CheckForDups(line.name)) {
            list.AddItem(ListItem::Make(line.name, line.password, line.userId));
            names.insert(line.name);
            added = true;
        }
        if ((i + 1) % kEventsEvery == 0)
            platform().DoEvents();
    }
    m_names = nullptr;
    stored = m_main.StorePasswords();
    m_main.LoadPasswords(QStringLiteral("Normal"));
    return true;
}

bool Ancillary::CheckForDups(const QString& what)
{
    const QString procName = QStringLiteral("CheckForDups");
    bool result = true;
    try {
        bool taken = false;
        if (m_names) {
            taken = m_names->contains(what);
        } else {
            const ListBox& list = *m_main.List1;
            for (int i = 0; i < list.ListCount() && !taken; ++i)
                taken = ListItem::NameOf(list.List(i)) == what;
        }
        if (taken) {
            result = false;
            platform().MsgBox(MergeRules::DuplicateMessage(what), vbInformation, kAppTitle);
        }
    } catch (const RunError& error) {
        LogError(error, procName);
        platform().End();
    }
    return result;
}
