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
        // The earlier layout, as its conversion gives it: the rest is the password and the user ID a blank.
        const QString password = p2 < 0 ? line.mid(p1 + 1) : line.mid(p1 + 1, p2 - p1 - 1);
        if (name.contains(QLatin1Char('\t')) || password.contains(QLatin1Char('\t'))) {
            plan.notices.push_back({Notice::Tab, std::move(name)});
            continue;
        }
        plan.items.push_back(ListItem::Make(name, password, p2 < 0 ? QStringLiteral(" ") : line.mid(p2 + 1)));
        names.insert(std::move(name));
    }
    return plan;
}

QString NoticeText(const Notice& notice)
{
    const QString bypassed = QStringLiteral("\r\n\r\nThe Import item will be Bypassed.");
    if (notice.kind == Notice::Tab)
        return QStringLiteral("The entry for ") + notice.name +
               QStringLiteral(" holds a tab in its name or password, which the Password List cannot hold.") + bypassed;
    return QStringLiteral("An entry for ") + notice.name +
           QStringLiteral(" already exist in the current Password File.") + bypassed;
}

} // namespace Merge
