#include "core/OptionsApply.h"

namespace OptionsApply {

bool ApplyEnabled(const Choices& pending, const Choices& current)
{
    return pending.mode != current.mode || pending.terminateAfter != current.terminateAfter ||
           pending.designerMode != current.designerMode;
}

ModeStep Decide(qint16 pendingMode, qint16 currentMode, bool controlRecordInList)
{
    if (pendingMode == currentMode)
        return ModeStep::Keep;
    return controlRecordInList ? ModeStep::RewriteControlRecord : ModeStep::CreateControlRecord;
}

bool KeepsNewMode(bool entrySaved, bool controlRecordInList)
{
    return entrySaved && controlRecordInList;
}

} // namespace OptionsApply
