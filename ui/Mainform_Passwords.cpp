#include "ui/Mainform.h"

#include "core/FileOps.h"
#include "core/ListItem.h"
#include "core/ListLoad.h"
#include "core/PasswordFile.h"
#include "core/RunError.h"
#include "frame/ListBox.h"
#include "frame/Platform.h"
#include "frame/SMBASIC.h"
#include "frame/SMGLOBAL.h"
#include "ui/frmLogin.h"

namespace {

// How many entries a long store takes between letting the windows repaint.
constexpr size_t kEventsEvery = 1000;

QString passwordFilePath()
{
    return PasswordFile::Path(platform().programDir());
}

QString upgradeMessage()
{
    const QStringList paragraphs = {
        QStringLiteral("The program has detected that you are running a new version of the software.  "),
        QStringLiteral("This version is incompatable with your current password file.  A conversion will be performed "
                       "automatically for you."),
        QStringLiteral("The primary change is the addition of a User ID field into the Password Database.  This field "
                       "will be initialized to blanks and you may edit the field by editing your passwords."),
        QStringLiteral(
            "You will see a new button to the left of the Password List.  This button can be used to place a "
            "User ID onto the clipboard.  Please refer to the Help file for additional information on this "
            "new feature."),
        QStringLiteral("Please press the OK button to continue.         Brenhold Systems Programming Staff"),
    };
    return paragraphs.join(kCrLf + kCrLf);
}

// The missing-file prompt: OK creates an empty, hidden file; Cancel ends the program.
void offerNewFile(const QString& path)
{
    gErrorText = QStringLiteral("No Stored Password File Can Be Found.  Select Cancel to Terminate the program.  "
                                "Select Yes to create a new, empty Password file.");
    if (platform().MsgBox(gErrorText, vbOKCancel + vbCritical, kAppTitle) != vbOK)
        platform().End();
    FileOps::CreateEmpty(path);
    platform().SetAttr(path, FileOps::kAttrHidden);
}

} // namespace

void Mainform::LoadPasswords(const QString& how)
{
    const QString procName = QStringLiteral("LoadPasswords");
    try {
        const QString path = passwordFilePath();
        ListLoad::Result loaded;
        try {
            loaded = ListLoad::Read(path);
        } catch (const RunError& error) {
            if (error.number() != RunError::FileNotFound)
                throw;
            offerNewFile(path);
        }

        // The scan: the control record, and whether the file is of the earlier layout.
        for (int pass = 0;; ++pass) {
            List1->Clear();
            const PasswordFile::Scan& scan = loaded.scan;
            gProgramPassword = scan.programPassword;
            if (scan.controlFound)
                gProtectionMode = scan.mode;
            if (!scan.earlierLayout || pass > 0)
                break;
            ConvertPasswords();
            loaded = ListLoad::Read(path);
        }

        // A mode of 1 or 2 that this file gives no password for (it has no control record; the mode was
        // left by an earlier file) counts as none: there is nothing to ask for, the "not found" mark is
        // never taken for a password, and the next start reads the same file as mode 0 anyway.
        const bool unguarded = (gProtectionMode == 1 || gProtectionMode == 2) &&
                               gProgramPassword == PasswordFile::kNotFound && !loaded.scan.controlFound;
        switch (unguarded ? qint16(0) : gProtectionMode) {
        case 0:
            if (how == QLatin1String("Load"))
                gLoggedIn = true;
            break;
        case 1:
            if (how == QLatin1String("Load"))
                gLoggedIn = false;
            break;
        case 2:
            if (how == QLatin1String("Load")) {
                // The list is still empty here, so the window is told that a control record was read.
                frmLogin login(this);
                login.programPasswordLoaded = true;
                platform().ShowModal(login);
            }
            break;
        default:
            platform().MsgBox(QStringLiteral("Not Programmed"), vbOKOnly);
            break;
        }

        const bool corrupted = loaded.corrupted;
        List1->SetRows(std::move(loaded.rows));
        if (corrupted)
            platform().MsgBox(QStringLiteral("Password File is corrupted.  Please use your Backup Copy."), vbOKOnly);
    } catch (const RunError& error) {
        LogError(error, procName);
        platform().End();
    }
}

bool Mainform::StorePasswords()
{
    // Events run during a store, but user input waits for it, so only a timer could start a second
    // store inside this one: it is refused, and this one goes on from its own copy of the list.
    if (m_storing)
        return false;
    m_storing = true;
    struct Done
    {
        bool& flag;
        ~Done() { flag = false; }
    } done{m_storing};

    const std::vector<QString> items = List1->entries().items();
    QByteArray content;
    content.reserve(qsizetype(items.size()) * 48);
    QString name; // the name most recently taken from an item, for the message below
    ListItem::Fields fields;
    for (size_t i = 0; i < items.size(); ++i) {
        const QString& item = items[i];
        const qsizetype tab = item.indexOf(QLatin1Char('\t'));
        if (tab >= 0)
            name = item.left(tab);
        if (ListItem::Split(item, fields) && PasswordFile::CanStore(item)) {
            PasswordFile::AppendStored(content, PasswordFile::PlainLine(fields.name, fields.password, fields.userId));
        } else {
            platform().MsgBox(QStringLiteral("An error occurred while trying to store the entry for: ") + name +
                                  QStringLiteral(".  This entry will not be stored in the Password Database."),
                              vbOKOnly);
        }
        if ((i + 1) % kEventsEvery == 0)
            platform().DoEvents();
    }

    try {
        PasswordFile::WriteStored(passwordFilePath(), content);
    } catch (const RunError& error) {
        platform().MsgBox(QStringLiteral("The Password File could not be saved (") + ErrorText(error) +
                              QStringLiteral(").") + kCrLf + kCrLf +
                              QStringLiteral("Your last change has not been stored.  The Password File on disk is "
                                             "unchanged and still holds all of your earlier entries."),
                          vbCritical, kAppTitle);
        return false;
    }
    return true;
}

void Mainform::ConvertPasswords()
{
    const QString path = passwordFilePath();
    const std::vector<QString> lines = PasswordFile::ReadPlainLines(path);
    platform().MsgBox(upgradeMessage(), vbInformation, QStringLiteral("Upgrade Detected..."));
    const PasswordFile::Converted converted = PasswordFile::ConvertLines(lines);
    if (converted.corruptLine >= 0) {
        platform().MsgBox(
            QStringLiteral("Conversion Routine: Password File is corrupted.  Please use your Backup Copy."), vbOKOnly);
        platform().End();
    }
    // Written whole and then renamed into place: a failure leaves the old file as it was.
    PasswordFile::WritePlainLines(path, converted.plainLines);
}
