#include "core/MediumChoice.h"

namespace MediumChoice {

Choice Decide(const QString& setting, bool settingIsFolder, const QStringList& mounted)
{
    Choice choice;
    if (!setting.isEmpty()) {
        choice.folder = setting;
        choice.notReady = !settingIsFolder;
    } else if (mounted.size() == 1) {
        choice.folder = mounted.first();
    } else if (mounted.isEmpty()) {
        choice.notReady = true;
    } else {
        choice.pickFrom = mounted;
    }
    return choice;
}

QString ChooseFolderQuestion()
{
    return QStringLiteral("The folder that stands for the diskette drive cannot be found.  Select OK to choose it "
                          "(a USB stick, a memory card or any other folder); the program keeps your choice for the "
                          "next export and import.  Select Cancel to Stop.");
}

} // namespace MediumChoice
