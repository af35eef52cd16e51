#include "core/Merge.h"

#include "core/ListItem.h"

#include <QSet>

namespace Merge {

Plan MergeLines(const std::vector<QString>& currentItems, const std::vector<QString>& plainLines)
{
    Plan plan;
    QSet<QString> names;
    names.reserve(qsizetype(currentItems.size() + plainLines.size()));
    for (const QString& item : currentItems)
        names.insert(ListItem::NameOf(item));
    for (const QString& line : plainLines) {
        const qsizetype p1 = line.indexOf(QLatin1Char('|'));
        if (p1 < 0) {
            plan.invalid = true;
            plan.items.clear();
            return plan;
        }
        QString name = line.left(p1);
        if (names.contains(name)) {
            plan.notices.push_back({Notice::Duplicate, std::move(name)});
            continue;
        }
        const qsizetype p2 = line.indexOf(QLatin1Char('|'), p1 + 1);
        if (p2 < 0) // the earlier layout, as its conversion gives it
            plan.items.push_back(ListItem::Make(name, line.mid(p1 + 1), QStringLiteral(" ")));
        else
            plan.items.push_back(ListItem::Make(name, line.mid(p1 + 1, p2 - p1 - 1), line.mid(p2 + 1)));
        names.insert(std::move(name));
    }
    return plan;
}

QString NoticeText(const Notice& notice)
{
    // A duplicate, the one kind of notice there is.
    return QStringLiteral("An entry for ") + notice.name +
           QStringLiteral(" already exist in the current Password File.") + QStringLiteral("\r\n\r\n") +
           QStringLiteral("The Import item will be Bypassed.");
}

} // namespace Merge
