#pragma once

#include <QtGlobal>

// The options window's decisions: when Apply is offered, what applying a new protection mode does, and when the
// mode goes back to what it was.
namespace OptionsApply {

struct Choices
{
    qint16 mode = 0;
    bool terminateAfter = false;
    bool designerMode = false;
};

// Apply is offered while any pending choice differs from the one in force.
bool ApplyEnabled(const Choices& pending, const Choices& current);

enum class ModeStep
{
    Keep,                 // the mode is as chosen already
    RewriteControlRecord, // the control record takes the new mode digit
    CreateControlRecord,  // there is no program password yet: the editor creates one
};
ModeStep Decide(qint16 pendingMode, qint16 currentMode, bool controlRecordInList);

// After the editor was to create the program password: the new mode stays only when a Save passed its checks
// and the list now holds a control record, else no password would stand behind it.
bool KeepsNewMode(bool entrySaved, bool controlRecordInList);

} // namespace OptionsApply
