#include "core/PasswordFile.h"

#include "core/CryptString.h"
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

// Windows-1252 where it differs from Latin-1: 0x80 to 0x9F. The five codes it leaves undefined keep their
// Latin-1 meaning, so that no byte is lost.
constexpr char16_t kWindows1252[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QString fromWindows1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    for (const char c : bytes) {
        const auto b = uchar(c);
        *out++ = b >= 0x80 && b < 0xA0 ? kWindows1252[b - 0x80] : char16_t(b);
    }
    return text;
}

// The text of a deciphered line into a buffer kept from line to line: ASCII, nearly every line, without a
// conversion of its own.
void decodeInto(QString& text, const char* bytes, qsizetype length)
{
    if (!isAscii(bytes, length)) {
        text = DecodeText(QByteArrayView(bytes, length));
        return;
    }
    text.resize(length);
    std::copy(bytes, bytes + length, reinterpret_cast<char16_t*>(text.data()));
}

// Appends the parts' UTF-8, enciphered, and CR LF: the one place stored bytes are made.
void appendStored(QByteArray& content, std::initializer_list<QStringView> parts)
{
    const qsizetype at = content.size();
    for (QStringView part : parts) {
        const char16_t* units = part.utf16();
        if (std::all_of(units, units + part.size(), [](char16_t c) { return c < 0x80; })) {
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

// Calls take(const char* bytes, qsizetype length) for every line of content[begin, end), deciphered into one
// buffer kept from line to line.
template <class Take> void forEachDeciphered(const QByteArray& content, qsizetype begin, qsizetype end, Take&& take)
{
    QByteArray line;
    Lines::ForEach(content.constData(), begin, end, [&](const char* stored, qsizetype length) {
        if (line.size() < length)
            line.resize(length);
        CryptString(stored, length, line.data());
        take(line.constData(), length);
    });
}

// The same as text, in one buffer.
template <class Take> void forEachPlain(const QByteArray& content, qsizetype begin, qsizetype end, Take&& take)
{
    QString plain;
    forEachDeciphered(content, begin, end, [&](const char* bytes, qsizetype length) {
        decodeInto(plain, bytes, length);
        take(plain);
    });
}

// One half of a file being loaded.
struct Part
{
    Loaded loaded;
    bool stopped = false; // the scan met the earlier layout and looked no further
};

// Code units or ASCII bytes as text.
template <class Char> QString textOf(const Char* from, qsizetype length)
{
    QString text(length, Qt::Uninitialized);
    std::copy(from, from + length, reinterpret_cast<char16_t*>(text.data()));
    return text;
}

// One deciphered line into the part: its text as UTF-16 code units or, for ASCII, its bytes.
template <class Char> void readLine(const Char* line, qsizetype length, Part& part)
{
    Scan& scan = part.loaded.scan;
    const Layout layout = LayoutOf(line, length);
    if (!layout.current)
        part.stopped = scan.earlierLayout = true;
    if (!layout.entry) {
        part.loaded.corrupted = true; // no "|" at all: the scan has stopped too, as the line has fewer than two
        return;
    }
    const Char* password = line + layout.passwordAt;
    if (!part.stopped && layout.nameLength == ListItem::kControlName.size() &&
        textOf(line, layout.nameLength) == ListItem::kControlName) {
        const ListItem::ControlField control = ListItem::DecodeControl(textOf(password, layout.passwordLength));
        scan.controlFound = true;
        scan.programPassword = control.programPassword;
        scan.mode = control.mode;
    }
    // A line the list cannot hold is kept as it is.
    if (!Listable(line, layout)) {
        part.loaded.unlisted.push_back(textOf(line, length));
        return;
    }
    static const Char kBlank[] = {Char(' ')};
    const Char* userId = layout.userIdAt < 0 ? kBlank : line + layout.userIdAt;
    const qsizetype userIdLength = layout.userIdAt < 0 ? 1 : layout.userIdLength();
    part.loaded.rows.push_back(EntryList::MakeRow(
        ListItem::MakeFrom(line, layout.nameLength, password, layout.passwordLength, userId, userIdLength)));
}

void readPart(const QByteArray& content, qsizetype begin, qsizetype end, Part& part)
{
    forEachDeciphered(content, begin, end, [&](const char* bytes, qsizetype length) {
        if (part.loaded.corrupted)
            return;
        if (isAscii(bytes, length)) {
            readLine(reinterpret_cast<const uchar*>(bytes), length, part);
            return;
        }
        const QString plain = DecodeText(QByteArrayView(bytes, length));
        readLine(plain.utf16(), plain.size(), part);
    });
    std::sort(part.loaded.rows.begin(), part.loaded.rows.end(), EntryList::RowLess);
}

} // namespace

Parsed Parse(QStringView line)
{
    const Layout layout = LayoutOf(line.utf16(), line.size());
    Parsed out;
    out.entry = layout.entry;
    out.current = layout.current;
    if (!layout.entry)
        return out;
    out.name = line.left(layout.nameLength);
    out.password = line.mid(layout.passwordAt, layout.passwordLength);
    out.userId = layout.userIdAt < 0 ? QStringView(u" ") : line.mid(layout.userIdAt);
    out.listable = Listable(line.utf16(), layout);
    return out;
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
        return fromWindows1252(bytes);
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
    forEachPlain(content, 0, content.size(), [&](const QString& line) { plain.push_back(line); });
    return plain;
}

bool IsPasswordFile(const QByteArray& content)
{
    bool valid = true;
    forEachPlain(content, 0, content.size(), [&](const QString& line) { valid = valid && Parse(line).entry; });
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
    if (result.corrupted)
        return result;
    if (!second.loaded.rows.empty()) {
        std::vector<EntryList::Row> merged;
        merged.reserve(result.rows.size() + second.loaded.rows.size());
        std::merge(std::make_move_iterator(result.rows.begin()), std::make_move_iterator(result.rows.end()),
                   std::make_move_iterator(second.loaded.rows.begin()),
                   std::make_move_iterator(second.loaded.rows.end()), std::back_inserter(merged), EntryList::RowLess);
        result.rows = std::move(merged);
    }
    result.unlisted.insert(result.unlisted.end(), second.loaded.unlisted.begin(), second.loaded.unlisted.end());
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

Stored StoreItems(const std::vector<QString>& items, const std::vector<QString>& unlisted,
                  const std::function<void()>& betweenChunks)
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
    for (const QString& line : unlisted)
        appendStored(out.content, {line});
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
        const Parsed parsed = Parse(line);
        if (!parsed.entry) {
            out.corruptLine = int(i);
            return out;
        }
        // The intermediate item holds everything after the first "|" as its password.
        const QStringView rest = QStringView(line).mid(parsed.name.size() + 1);
        EntryList::Row row = EntryList::MakeRow(ListItem::Make(parsed.name, rest, {}));
        if (parsed.current)
            pending.push_back({std::move(row), line}); // already current: unchanged
        else
            pending.push_back(
                {std::move(row), PlainLine(parsed.name.toString(), rest.toString(), QStringLiteral(" "))});
    }
    std::stable_sort(pending.begin(), pending.end(),
                     [](const Pending& a, const Pending& b) { return EntryList::RowLess(a.item, b.item); });
    out.plainLines.reserve(pending.size());
    for (Pending& p : pending)
        out.plainLines.push_back(std::move(p.line));
    return out;
}

} // namespace PasswordFile
