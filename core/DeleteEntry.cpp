#include "core/DeleteEntry.h"

#include "core/ListItem.h"
#include "core/Messages.h"

namespace DeleteEntry {

namespace {
constexpr int kInformation = 64;
constexpr int kOkCancelExclamation = 49;
} // namespace

Plan Decide(int selected, const QString& item, qint16 protectionMode)
{
    Plan plan;
    if (selected < 0) {
        plan.message = QStringLiteral("Nothing Selected to Delete");
        plan.flags = kInformation;
        return plan;
    }
    plan.deletes = true;
    // Only the control record itself: an entry whose name merely begins with its name is an ordinary one.
    if (ListItem::IsControlRecord(item)) {
        if (protectionMode == 0)
            return plan; // it guards nothing: it goes without a question
        plan.message = Messages::DeleteProtection();
        plan.endsProtection = true;
    } else {
        plan.message = Messages::DeleteEntry(ListItem::NameOf(item));
    }
    plan.flags = kOkCancelExclamation;
    plan.asks = true;
    return plan;
}

int SelectionAfter(int index, bool stored)
{
    return stored ? index - 1 : index;
}

} // namespace DeleteEntry
