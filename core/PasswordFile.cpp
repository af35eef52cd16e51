#include "core/PasswordFile.h"

#include "core/CryptString.h"
#include "core/FileOps.h"
#include "core/Lines.h"
#include "core/ListItem.h"

#include <QStringDecoder>

#include <algorithm>
#include <initializer_list>
#include <iterator>
#include <thread>

namespace PasswordFile {

namespace {

bool isAscii(const char* bytes, qsizetype length)
{
    return std::none_of(bytes, bytes + length, [](char c) { return uchar(c) >= 0x80; });
}

// The list item of a plain line whose first two "|" are at p1 and p2 (p2 -1: the rest is the password and
// the user ID is empty). The line's characters are bytes of ASCII text or UTF-16 code units: an ASCII line
// becomes its item without a plain QString in between.
template <class Char> QString itemOf(const Char* line, qsizetype length, qsizetype p1, qsizetype p2)
{
    QString item(length + (p2 < 0 ? 4 : 3), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(item.data());
    const auto copy = [&](qsizetype from, qsizetype to) {
        for (qsizetype i = from; i < to; ++i)
            *out++ = char16_t(line[i]);
    };
    copy(0, p1);
    out = std::fill_n(out, ListItem::kNameGap.size(), u'\t');
    copy(p1 + 1, p2 < 0 ? length : p2);
    *out++ = u'\t';
    if (p2 >= 0)
        copy(p2 + 1, length);
    return item;
}

// Appends the parts' UTF-8, enciphered, and CR LF: the one place stored bytes are made.
void appendStored(QByteArray& content, std::initializer_list<QStringView> parts)
{
    const qsizetype at = content.size();
    for (QStringView part : parts) {
        const char16_t* units = part.utf16();
        if (std::all_of(units, units + part.size(), [](char16_t c) { return c < 0x80; })) {
            // ASCII, nearly every entry, needs no conversion of its own.
            const qsizetype from = content.size();
            content.resize(from + part.size());
            std::copy(units, units + part.size(), content.data() + from);
        } else {
            content += part.toUtf8();
        }
    }
    CryptString(content.constData() + at, content.size() - at, content.data() + at);
    content += "\r\n";
}

// One half of a file being loaded.
struct Part
{
    Loaded loaded;
    bool stopped = false; // the scan met the earlier layout and looked no further
};

void readPart(const QByteArray& content, qsizetype begin, qsizetype end, Part& part)
{
    QByteArray line; // one buffer for every deciphered line
    Scan& scan = part.loaded.scan;
    Lines::ForEach(content.constData(), begin, end, [&](const char* stored, qsizetype length) {
        if (part.loaded.corrupted)
            return;
        if (line.size() < length)
            line.resize(length);
        CryptString(stored, length, line.data());
        const char* bytes = line.constData();
        const auto* bar1 = static_cast<const char*>(memchr(bytes, '|', size_t(length)));
        const qsizetype p1 = bar1 ? bar1 - bytes : -1;
        const auto* bar2 = bar1 ? static_cast<const char*>(memchr(bar1 + 1, '|', size_t(length - p1 - 1))) : nullptr;
        const qsizetype p2 = bar2 ? bar2 - bytes : -1;
        if (p2 < 0)
            part.stopped = scan.earlierLayout = true;
        if (p1 < 0) {
            part.loaded.corrupted = true; // no "|" at all: the scan has stopped too, as the line has fewer than two
            return;
        }
        // "|" is one byte in UTF-8 and in Latin-1 alike, so the bars found in the bytes are the text's bars.
        QString item;
        qsizetype u1 = p1;
        qsizetype u2 = p2;
        if (isAscii(bytes, length)) {
            item = itemOf(reinterpret_cast<const uchar*>(bytes), length, p1, p2);
        } else {
            const QString plain = DecodeText(QByteArrayView(bytes, length));
            u1 = plain.indexOf(QLatin1Char('|'));
            u2 = plain.indexOf(QLatin1Char('|'), u1 + 1);
            item = itemOf(plain.utf16(), plain.size(), u1, u2);
        }
        if (!part.stopped && QStringView(item).left(u1) == ListItem::kControlName) {
            const ListItem::ControlField control =
                ListItem::DecodeControl(item.mid(u1 + ListItem::kNameGap.size(), u2 - u1 - 1));
            scan.controlFound = true;
            scan.programPassword = control.programPassword;
            scan.mode = control.mode;
        }
        part.loaded.rows.push_back(EntryList::MakeRow(std::move(item)));
    });
    std::sort(part.loaded.rows.begin(), part.loaded.rows.end(), EntryList::RowLess);
}

} // namespace

QString Path(const QString& programDir)
{
    return FileOps::ResolveName(programDir, kFileName);
}

QString DecodeText(QByteArrayView bytes)
{
    if (isAscii(bytes.data(), bytes.size()))
        return QString::fromLatin1(bytes);
    // A leading byte-order mark is part of the name: it must come back as it was stored.
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        return QString::fromLatin1(bytes);
    return text;
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

std::vector<QString> PlainLines(const QByteArray& content)
{
    std::vector<QString> plain;
    plain.reserve(size_t(content.count('\n')) + 1);
    QByteArray line;
    Lines::ForEach(content.constData(), 0, content.size(), [&](const char* stored, qsizetype length) {
        if (line.size() < length)
            line.resize(length);
        CryptString(stored, length, line.data());
        plain.push_back(DecodeText(QByteArrayView(line.constData(), length)));
    });
    return plain;
}

bool IsPasswordFile(const QByteArray& content)
{
    bool valid = true;
    QByteArray line;
    Lines::ForEach(content.constData(), 0, content.size(), [&](const char* stored, qsizetype length) {
        if (!valid)
            return;
        if (line.size() < length)
            line.resize(length);
        CryptString(stored, length, line.data());
        valid = memchr(line.constData(), '|', size_t(length)) != nullptr;
    });
    return valid;
}

Loaded Load(const QByteArray& content, qsizetype splitAbove)
{
    const qsizetype n = content.size();
    const qsizetype middle = n > splitAbove ? Lines::NextLineStart(content.constData(), n, n / 2) : n;
    Part first;
    Part second;
    std::thread worker;
    if (middle < n)
        worker = std::thread([&] { readPart(content, middle, n, second); });
    readPart(content, 0, middle, first);
    if (worker.joinable())
        worker.join();

    // The scan stops at the first earlier-layout line; the rows stop at the first line without "|".
    Loaded result = std::move(first.loaded);
    if (!first.stopped) {
        result.scan.earlierLayout = second.loaded.scan.earlierLayout;
        if (second.loaded.scan.controlFound)
            result.scan = second.loaded.scan;
    }
    if (!result.corrupted && !second.loaded.rows.empty()) {
        std::vector<EntryList::Row> merged;
        merged.reserve(result.rows.size() + second.loaded.rows.size());
        std::merge(std::make_move_iterator(result.rows.begin()), std::make_move_iterator(result.rows.end()),
                   std::make_move_iterator(second.loaded.rows.begin()),
                   std::make_move_iterator(second.loaded.rows.end()), std::back_inserter(merged), EntryList::RowLess);
        result.rows = std::move(merged);
    }
    if (!result.corrupted)
        result.corrupted = second.loaded.corrupted;
    return result;
}

QByteArray Content(const std::vector<QString>& plainLines)
{
    QByteArray content;
    qsizetype size = 0;
    for (const QString& line : plainLines)
        size += line.size() + 2;
    content.reserve(size + size / 4);
    for (const QString& line : plainLines)
        appendStored(content, {line});
    return content;
}

Stored StoreItems(const std::vector<QString>& items, const std::function<void()>& betweenChunks)
{
    Stored out;
    out.content.reserve(qsizetype(items.size()) * 48);
    // The name most recently taken from an item: the item that had a tab last, and where.
    const QString* named = nullptr;
    qsizetype namedTab = 0;
    ListItem::Fields fields;
    for (size_t i = 0; i < items.size(); ++i) {
        const QString& item = items[i];
        const qsizetype tab = item.indexOf(QLatin1Char('\t'));
        if (tab >= 0) {
            named = &item;
            namedTab = tab;
        }
        // A CR or LF would cut the stored line in two.
        if (ListItem::Split(item, fields) && !item.contains(QLatin1Char('\r')) && !item.contains(QLatin1Char('\n')))
            appendStored(out.content, {fields.name, u"|", fields.password, u"|", fields.userId});
        else
            out.refusedNames.push_back(named ? named->left(namedTab) : QString());
        if ((i + 1) % kChunk == 0 && betweenChunks)
            betweenChunks();
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
