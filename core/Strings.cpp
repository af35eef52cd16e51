#include "core/Strings.h"

#include <QFile>
#include <QHash>

// The table is linked from a static library, so its resource must be
// registered by hand; the macro has to be used outside any namespace.
static void initStringResource()
{
    Q_INIT_RESOURCE(strings);
}

namespace {

QHash<int, QString> loadTable()
{
    initStringResource();
    QHash<int, QString> table;
    QFile file(QStringLiteral(":/strings/strings.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return table;
    const QString all = QString::fromUtf8(file.readAll());
    for (QString line : all.split(QLatin1Char('\n'))) {
        // A table saved with CR LF line ends must not carry the CR into the texts.
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const qsizetype tab = line.indexOf(QLatin1Char('\t'));
        if (tab <= 0)
            continue;
        bool ok = false;
        const int id = line.left(tab).toInt(&ok);
        if (ok)
            table.insert(id, line.mid(tab + 1));
    }
    return table;
}

} // namespace

QString LoadResString(int id)
{
    static const QHash<int, QString> table = loadTable();
    return table.value(id);
}
