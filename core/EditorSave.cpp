#include "core/EditorSave.h"

#include "core/EntryInput.h"
#include "core/EntryList.h"
#include "core/ListItem.h"

namespace EditorSave {

Outcome Save(const Input& input, const EntryList& list)
{
    Outcome out;
    if (input.name.isEmpty()) {
        out.warning = QStringLiteral("Password Name is Blank!");
        out.focus = EntryInput::kName;
        return out;
    }
    if (input.password.isEmpty()) {
        out.warning = QStringLiteral("Password is Blank!");
        out.focus = EntryInput::kPassword;
        return out;
    }
    const bool control = input.name == ListItem::kControlName;
    const QString userId = control ? QString() : input.userId;
    const EntryInput::Refused refused = EntryInput::Refusal(input.name, input.password, userId);
    if (!refused.message.isEmpty()) {
        out.warning = refused.message;
        out.focus = refused.field;
        return out;
    }
    out.entrySaved = true;
    if (input.add) {
        const bool taken = control ? list.controlRecordIndex() >= 0 : list.NameExists(input.name);
        if (taken) {
            out.warning = QStringLiteral("A Password already Exist for this Named Entry.  Select another Name.");
            out.focus = EntryInput::kName;
            return out;
        }
    } else {
        out.removeItem = input.editing;
    }
    out.addItem = control ? ListItem::MakeControl(input.password, input.protectionMode)
                          : ListItem::Make(input.name, input.password, userId);
    return out;
}

} // namespace EditorSave
