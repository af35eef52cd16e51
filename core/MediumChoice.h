#pragma once

#include <QString>
#include <QStringList>

// Which folder stands for the diskette drive: the DiskDrive setting when it is set (and then only it, so a copy
// never goes to another medium by surprise); else the one removable medium mounted; with several, the user picks
// one; with none, the drive is not ready.
namespace MediumChoice {

struct Choice
{
    QString folder;
    QStringList pickFrom; // the user picks one of these
    bool notReady = false;
};
Choice Decide(const QString& setting, bool settingIsFolder, const QStringList& mounted);

// Asked after "Diskette Drive Not Ready": whether the user wants to choose the folder.
QString ChooseFolderQuestion();

} // namespace MediumChoice
