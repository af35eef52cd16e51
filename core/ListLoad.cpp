#include "core/ListLoad.h"

#include "core/CryptString.h"
#include "core/FileOps.h"
#include "core/ListItem.h"
#include "core/Talmor32.h"

#include <algorithm>
#include <iterator>
#include <thread>

namespace ListLoad {

namespace {

// Below this size a second thread costs more than it saves.
constexpr qsizetype kSplitAbove = 256 * 1024;

// The same straight from an ASCII line's bytes, without the plain line in between.
QString itemOfAscii(const char* bytes, qsizetype length, qsizetype p1, qsizetype p2)
{
    const qsizetype size = length + (p2 < 0 ? 4 : 3);
    QString item(size, Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(item.data());
    qsizetype o = 0;
    for (qsizetype i = 0; i < length; ++i) {
        if (i == p1) {
            for (int t = 0; t < 4; ++t)
                out[o++] = u'\t';
        } else if (i == p2) {
            out[o++] = u'\t';
        } else {
            out[o++] = char16_t(uchar(bytes[i]));
        }
    }
    if (p2 < 0)
        out[o++] = u'\t';
    return item;
}

struct Part
{
    Result result;
    bool stopped = false; // the scan met the earlier layout and looked no further
};

void readPart(const QByteArray& content, qsizetype begin, qsizetype end, Part& part)
{
    const char* data = content.constData();
    QByteArray line;
    PasswordFile::Scan& scan = part.result.scan;
    for (qsizetype start = begin; start < end;) {
        qsizetype stop = content.indexOf('\n', start);
        if (stop < 0 || stop > end)
            stop = end;
        const qsizetype next = stop + 1;
        qsizetype length = stop - start;
        if (length > 0 && data[start + length - 1] == '\r')
            --length;
        if (line.size() < length)
            line.resize(length);
        Talmor32::Transform(data + start, length, kFileKey, line.data());
        start = next;

        const char* bytes = line.constData();
        const char* bar1 = static_cast<const char*>(memchr(bytes, '|', size_t(length)));
        const qsizetype p1 = bar1 ? bar1 - bytes : -1;
        const char* bar2 = bar1 ? static_cast<const char*>(memchr(bar1 + 1, '|', size_t(length - p1 - 1))) : nullptr;
        const qsizetype p2 = bar2 ? bar2 - bytes : -1;
        if (p2 < 0)
            part.stopped = scan.earlierLayout = true;
        if (p1 < 0)
            part.result.corrupted = true;
        if (part.result.corrupted)
            return; // no "|" at all: the scan has stopped too, as the line has fewer than two

        // The field positions count bytes; "|" is one byte in UTF-8 and in Latin-1 alike.
        const bool ascii = std::none_of(bytes, bytes + length, [](char c) { return uchar(c) >= 0x80; });
        QString item;
        qsizetype u1 = p1; // the bars' positions in the plain text
        qsizetype u2 = p2;
        if (ascii) {
            item = itemOfAscii(bytes, length, p1, p2);
        } else {
            const QString plain = PasswordFile::DecodeText(QByteArrayView(bytes, length));
            u1 = plain.indexOf(QLatin1Char('|'));
            u2 = plain.indexOf(QLatin1Char('|'), u1 + 1);
            item = PasswordFile::ItemOf(plain, u1, u2);
        }
        if (!part.stopped && QStringView(item).left(u1) == ListItem::kControlName) {
            const ListItem::ControlField control =
                ListItem::DecodeControl(QStringView(item).mid(u1 + 4, u2 - u1 - 1).toString());
            scan.controlFound = true;
            scan.programPassword = control.programPassword;
            scan.mode = control.mode;
        }
        part.result.rows.push_back(EntryList::MakeRow(std::move(item)));
    }
}

void sortPart(Part& part)
{
    std::sort(part.result.rows.begin(), part.result.rows.end(), EntryList::RowLess);
}

} // namespace

Result FromContent(const QByteArray& content)
{
    const qsizetype n = content.size();
    qsizetype middle = n;
    if (n > kSplitAbove) {
        middle = content.indexOf('\n', n / 2);
        middle = middle < 0 ? n : middle + 1;
    }
    Part first;
    Part second;
    std::thread worker;
    if (middle < n) {
        worker = std::thread([&] {
            readPart(content, middle, n, second);
            sortPart(second);
        });
    }
    readPart(content, 0, middle, first);
    sortPart(first);
    if (worker.joinable())
        worker.join();

    // The scan stops at the first earlier-layout line; the rows stop at the first line without "|".
    Result result = std::move(first.result);
    if (!first.stopped) {
        result.scan.earlierLayout = second.result.scan.earlierLayout;
        if (second.result.scan.controlFound)
            result.scan = second.result.scan;
    }
    if (!result.corrupted && !second.result.rows.empty()) {
        std::vector<EntryList::Row> merged;
        merged.reserve(result.rows.size() + second.result.rows.size());
        std::merge(std::make_move_iterator(result.rows.begin()), std::make_move_iterator(result.rows.end()),
                   std::make_move_iterator(second.result.rows.begin()),
                   std::make_move_iterator(second.result.rows.end()), std::back_inserter(merged), EntryList::RowLess);
        result.rows = std::move(merged);
    }
    if (!result.corrupted)
        result.corrupted = second.result.corrupted;
    return result;
}

Result Read(const QString& path)
{
    return FromContent(FileOps::ReadAll(path));
}

} // namespace ListLoad
