#include "core/MergeRules.h"

#include "core/ListItem.h"

namespace MergeRules {

ImportLine ParseLine(const QString& plainLine)
{
    ImportLine line;
    const qsizetype p1 = plainLine.indexOf(QLatin1Char('|'));
    if (p1 < 0)
        return line;
    line.valid = true;
    line.name = plainLine.left(p1);
    const qsizetype p2 = plainLine.indexOf(QLatin1Char('|'), p1 + 1);
    if (p2 < 0) {
        line.password = plainLine.mid(p1 + 1);
        line.userId = QStringLiteral(" ");
        return line;
    }
    line.password = plainLine.mid(p1 + 1, p2 - p1 - 1);
    line.userId = plainLine.mid(p2 + 1);
    return line;
}

QSet<QString> NamesOf(const std::vector<QString>& items)
{
    QSet<QString> names;
    names.reserve(qsizetype(items.size()));
    for (const QString& item : items)
        names.insert(ListItem::NameOf(item));
    return names;
}

QString DuplicateMessage(const QString& name)
{
    return QStringLiteral("An entry for ") + name + QStringLiteral(" already exist in the current Password File.") +
           QStringLiteral("\r\n\r\n") + QStringLiteral("The Import item will be Bypassed.");
}

} // namespace MergeRules
