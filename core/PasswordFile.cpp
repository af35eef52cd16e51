#include "core/PasswordFile.h"

#include "core/CryptString.h"
#include "core/EntryList.h"
#include "core/FileOps.h"
#include "core/ListItem.h"
#include "core/Talmor32.h"

#include <QStringDecoder>

#include <algorithm>

namespace PasswordFile {

QString Path(const QString& programDir)
{
    return FileOps::ResolveName(programDir, kFileName);
}

QString DecodeText(QByteArrayView bytes)
{
    bool ascii = true;
    for (char c : bytes) {
        if (uchar(c) >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (ascii)
        return QString::fromLatin1(bytes);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        return QString::fromLatin1(bytes);
    return text;
}

std::vector<QString> ReadPlainLines(const QString& path)
{
    const QByteArray content = FileOps::ReadAll(path);
    std::vector<QString> plain;
    plain.reserve(size_t(content.count('\n')) + 1);
    QByteArray line; // one buffer for every deciphered line
    const char* data = content.constData();
    const qsizetype n = content.size();
    qsizetype start = 0;
    while (start < n) {
        qsizetype end = content.indexOf('\n', start);
        const qsizetype next = end < 0 ? n : end + 1;
        if (end < 0)
            end = n;
        qsizetype length = end - start;
        if (length > 0 && data[start + length - 1] == '\r')
            --length;
        if (line.size() < length)
            line.resize(length);
        Talmor32::Transform(data + start, length, kFileKey, line.data());
        plain.push_back(DecodeText(QByteArrayView(line.constData(), length)));
        start = next;
    }
    return plain;
}

QByteArray StoredLine(const QString& plainLine)
{
    return CryptLine(plainLine.toUtf8());
}

bool CanStore(const QString& field)
{
    return !field.contains(QLatin1Char('\r')) && !field.contains(QLatin1Char('\n'));
}

void AppendStored(QByteArray& content, const QString& plainLine)
{
    content += StoredLine(plainLine);
    content += "\r\n";
}

void WriteStored(const QString& path, const QByteArray& content)
{
    FileOps::WriteAtomic(path, content);
}

void WritePlainLines(const QString& path, const std::vector<QString>& plainLines)
{
    QByteArray content;
    qsizetype size = 0;
    for (const QString& line : plainLines)
        size += line.size() + 2;
    content.reserve(size + size / 4);
    for (const QString& line : plainLines)
        AppendStored(content, line);
    WriteStored(path, content);
}

void CreateEmptyHidden(const QString& path)
{
    FileOps::CreateEmpty(path);
    FileOps::SetAttr(path, FileOps::kAttrHidden);
}

QString PlainLine(const QString& name, const QString& password, const QString& userId)
{
    QString line;
    line.reserve(name.size() + password.size() + userId.size() + 2);
    line += name;
    line += QLatin1Char('|');
    line += password;
    line += QLatin1Char('|');
    line += userId;
    return line;
}

QString ItemOf(QStringView line, qsizetype p1, qsizetype p2)
{
    const QStringView password = p2 < 0 ? line.mid(p1 + 1) : line.mid(p1 + 1, p2 - p1 - 1);
    const QStringView userId = p2 < 0 ? QStringView() : line.mid(p2 + 1);
    QString item;
    item.reserve(line.size() + 4);
    item += line.left(p1);
    item += ListItem::kNameGap;
    item += password;
    item += QLatin1Char('\t');
    item += userId;
    return item;
}

Scan ScanLines(const std::vector<QString>& plainLines)
{
    Scan scan;
    for (const QString& line : plainLines) {
        const qsizetype p1 = line.indexOf(QLatin1Char('|'));
        const qsizetype p2 = p1 < 0 ? -1 : line.indexOf(QLatin1Char('|'), p1 + 1);
        if (p2 < 0) {
            scan.earlierLayout = true;
            break;
        }
        if (QStringView(line).left(p1) == ListItem::kControlName) {
            const ListItem::ControlField field = ListItem::DecodeControl(line.mid(p1 + 1, p2 - p1 - 1));
            scan.controlFound = true;
            scan.programPassword = field.programPassword;
            scan.mode = field.mode;
        }
    }
    return scan;
}

Items ItemsFromLines(const std::vector<QString>& plainLines)
{
    Items out;
    out.items.reserve(plainLines.size());
    for (const QString& line : plainLines) {
        const qsizetype p1 = line.indexOf(QLatin1Char('|'));
        if (p1 < 0) {
            out.corrupted = true;
            break;
        }
        // A line with one "|" cannot reach here after a scan, but is taken as name and password.
        QString item = ItemOf(line, p1, line.indexOf(QLatin1Char('|'), p1 + 1));
        out.items.push_back(std::move(item));
    }
    return out;
}

Converted ConvertLines(const std::vector<QString>& plainLines)
{
    struct Pending
    {
        EntryList::Row item; // the intermediate list item, which decides the order
        QString line;        // the plain line it becomes
    };
    Converted out;
    std::vector<Pending> pending;
    pending.reserve(plainLines.size());
    for (size_t i = 0; i < plainLines.size(); ++i) {
        const QString& line = plainLines[i];
        const qsizetype p1 = line.indexOf(QLatin1Char('|'));
        if (p1 < 0) {
            out.corruptLine = int(i);
            return out;
        }
        const QStringView name = QStringView(line).left(p1);
        const QStringView rest = QStringView(line).mid(p1 + 1);
        QString item;
        item.reserve(line.size() + 3);
        item += name;
        item += ListItem::kNameGap;
        item += rest;
        if (rest.contains(QLatin1Char('|')))
            pending.push_back({EntryList::MakeRow(std::move(item)), line}); // already current: unchanged
        else
            pending.push_back({EntryList::MakeRow(std::move(item)),
                               PlainLine(name.toString(), rest.toString(), QStringLiteral(" "))});
    }
    std::stable_sort(pending.begin(), pending.end(),
                     [](const Pending& a, const Pending& b) { return EntryList::RowLess(a.item, b.item); });
    out.plainLines.reserve(pending.size());
    for (Pending& p : pending)
        out.plainLines.push_back(std::move(p.line));
    return out;
}

} // namespace PasswordFile
