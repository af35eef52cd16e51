#include "core/Strings.h"

#include "core/Lines.h"

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
    const QByteArray all = file.readAll();
    Lines::ForEach(all.constData(), 0, all.size(), [&](const char* bytes, qsizetype length) {
        const QString line = QString::fromUtf8(bytes, length);
        const qsizetype tab = line.indexOf(QLatin1Char('\t'));
        if (tab <= 0)
            return;
        bool ok = false;
        const int id = line.left(tab).toInt(&ok);
        if (ok)
            table.insert(id, line.mid(tab + 1));
    });
    return table;
}

} // namespace

QString LoadResString(int id)
{
    static const QHash<int, QString> table = loadTable();
    return table.value(id);
}
