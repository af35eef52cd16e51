#include "core/Merge.h"

#include "core/ListItem.h"
#include "core/PasswordFile.h"

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
        const PasswordFile::Parsed parsed = PasswordFile::Parse(line);
        if (!parsed.entry) {
            plan.invalid = true;
            plan.items.clear();
            plan.controlItem.clear();
            return plan;
        }
        QString name = parsed.name.toString();
        if (names.contains(name)) {
            plan.notices.push_back({Notice::Duplicate, std::move(name)});
            continue;
        }
        if (!parsed.listable) {
            plan.notices.push_back({Notice::Tab, std::move(name)});
            continue;
        }
        const QString item = ListItem::Make(parsed.name, parsed.password, parsed.userId);
        if (name == ListItem::kControlName)
            plan.controlItem = item;
        else
            plan.items.push_back(item);
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

QString ControlRecordQuestion()
{
    return QStringLiteral("The file on the diskette holds a program password (the entry Password Corvalen), and "
                          "this Password File has none.  If it is merged, the guarded commands will ask for that "
                          "password from now on.\r\n\r\nSelect OK to merge the program password too, or Cancel to "
                          "merge the other entries without it.");
}

} // namespace Merge
