#include "core/Messages.h"

#include <QStringList>

namespace {

const QString kParagraph = QStringLiteral("\r\n\r\n");
const QString kContinueOrAbort = QStringLiteral("Press OK to continue or CANCEL to abort the operation.");

} // namespace

namespace Messages {

QString ContactText()
{
    return QStringList{
        QStringLiteral("Brenhold Systems"),
        QStringLiteral("Password Corvalen Support"),
        QStringLiteral("17 Harrow Lane, Corvalen Park, CP4 2BS"),
        QStringLiteral("E-mail: support@brenhold.example"),
        QStringLiteral("Web: https://www.brenhold.example/corvalen"),
    }
        .join(QStringLiteral("\r\n"));
}

QString UpgradeMessage()
{
    return QStringList{
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
    }
        .join(kParagraph);
}

QString StoreFailed(const QString& errorText)
{
    return QStringLiteral("The Password File could not be saved (") + errorText + QStringLiteral(").") + kParagraph +
           QStringLiteral("Your last change has not been stored.  The Password File on disk is unchanged and still "
                          "holds all of your earlier entries.");
}

QString EntryNotStored(const QString& name)
{
    return QStringLiteral("An error occurred while trying to store the entry for: ") + name +
           QStringLiteral(".  This entry will not be stored in the Password Database.");
}

QString ExportPrompt()
{
    return QStringLiteral("The Password File (PASSWORD.DAT) will be copied to your diskette drive.") + kParagraph +
           QStringLiteral("Please have an empty diskette in Drive A:  Select Cancel to Stop, OK to Continue.");
}

QString NoPasswordFile()
{
    return QStringLiteral("No Stored Password File Can Be Found.  Select Cancel to Terminate the program.  "
                          "Select Yes to create a new, empty Password file.");
}

QString LinkTargetMissing(const QString& target)
{
    return QStringLiteral("The Password File is a link to ") + target +
           QStringLiteral(", which cannot be found.  If it is on a medium or in a vault that is not mounted yet, "
                          "select Cancel to Terminate the program, mount it and start the program again.  Select "
                          "OK to create a new, empty Password file there.");
}

QString EntryNotListed(const QString& name)
{
    return QStringLiteral("The entry for ") + name +
           QStringLiteral(" holds a tab in its name or password, which the Password List cannot show.  It is kept "
                          "in the Password File unchanged, and the list does not show it.");
}

QString DeleteEntry(const QString& name)
{
    return QStringLiteral("Are you sure you want to delete the password for ") + name + QStringLiteral("?") +
           kParagraph + kContinueOrAbort;
}

QString DeleteProtection()
{
    return QStringLiteral("This will delete the program's password protection.  You may re-establish it at a later "
                          "time if desired.  ") +
           kContinueOrAbort;
}

QString ImportPrompt()
{
    return QStringLiteral("The Program expects to find a Password File (PASSWORD.DAT) on a diskette in your your "
                          "diskette drive.") +
           kParagraph +
           QStringLiteral("You will be given the option to Replace your existing set of passwords or to Merge the "
                          "new file with your existing set.  Select Cancel to Stop, OK to Continue.");
}

} // namespace Messages
