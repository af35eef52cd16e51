#pragma once

#include "core/EntryList.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <algorithm>
#include <cstring>
#include <functional>
#include <vector>

// The password file's format: one enciphered line per entry, CR LF after each. Plain lines are
// Name "|" Password "|" User ID, in UTF-8; a line that is not valid UTF-8 (a file from the old 8-bit code page)
// is read as Windows-1252 so that nothing of it is lost. Every line goes through CryptString, is cut by Lines
// and taken apart by Parse; the files themselves are read and written by PasswordStore.
namespace PasswordFile {

inline const QString kFileName = QStringLiteral("Password.dat");
inline const QString kNotFound = QStringLiteral("not found");

// Below this many bytes a file is read on one thread: a second one costs more than it saves.
constexpr qsizetype kSplitAbove = 256 * 1024;

// The text of a deciphered line: UTF-8, or Windows-1252 when it is not valid UTF-8.
QString DecodeText(QByteArrayView bytes);

// The plain line of an entry.
QString PlainLine(const QString& name, const QString& password, const QString& userId);

// A plain line taken apart: the name up to the first "|", the password up to the next one and the user ID after
// it, "|" included. A line with one "|" only is of the earlier layout: its password is the rest of the line and
// its user ID the blank the conversion gives it. A line without "|" holds no entry. The one grammar of a plain
// line, on text or straight on the bytes of an ASCII line: where its fields lie (userIdAt -1: the blank).
struct Layout
{
    bool entry = false;
    bool current = false;
    qsizetype passwordAt = 0;
    qsizetype passwordLength = 0;
    qsizetype userIdAt = -1;
    qsizetype nameLength = 0;
    qsizetype length = 0;
    qsizetype userIdLength() const { return userIdAt < 0 ? 0 : length - userIdAt; }
};
template <class Char> Layout LayoutOf(const Char* line, qsizetype length);
// Where c first occurs in the units, or -1; bytes are searched the fast way.
template <class Char> qsizetype Find(const Char* units, qsizetype length, Char c)
{
    if constexpr (sizeof(Char) == 1) {
        const void* at = std::memchr(units, int(c), size_t(length));
        return at ? static_cast<const Char*>(at) - units : -1;
    } else {
        const Char* at = std::find(units, units + length, c);
        return at == units + length ? -1 : at - units;
    }
}

struct Parsed
{
    bool entry = false;   // it has a "|"
    bool current = false; // it has two
    QStringView name;
    QStringView password;
    QStringView userId;
    bool listable = false; // see Listable
};
Parsed Parse(QStringView line);

// Whether the list item can hold the line: a tab in the name or the password would be taken for a field's end.
template <class Char> bool Listable(const Char* line, const Layout& layout)
{
    return layout.entry && Find(line, layout.passwordAt + layout.passwordLength, Char('\t')) < 0;
}

template <class Char> Layout LayoutOf(const Char* line, qsizetype length)
{
    const auto bar = [line, length](qsizetype from) {
        const qsizetype at = Find(line + from, length - from, Char('|'));
        return at < 0 ? at : from + at;
    };
    Layout out;
    out.length = length;
    const qsizetype p1 = bar(0);
    if (p1 < 0)
        return out;
    out.entry = true;
    out.nameLength = p1;
    out.passwordAt = p1 + 1;
    const qsizetype p2 = bar(p1 + 1);
    out.current = p2 >= 0;
    out.passwordLength = (out.current ? p2 : length) - out.passwordAt;
    out.userIdAt = out.current ? p2 + 1 : -1;
    return out;
}

// ---- Reading (the bytes come from PasswordStore)

// Every line deciphered, in file order.
std::vector<QString> PlainLines(const QByteArray& content);

// What the scan of a file finds: whether any line has fewer than two "|" (the earlier layout), and the last
// control record's program password and mode.
struct Scan
{
    bool earlierLayout = false;
    bool controlFound = false;
    QString programPassword = kNotFound;
    qint16 mode = 0;
};

// A file read for the list: its scan, its list rows sorted, and the plain lines the list cannot hold (a tab in
// the name or the password), which are kept as they are. A line without any "|" ends the rows (corrupted); the
// rows before it are kept. Files larger than splitAbove are read in two halves on two threads.
struct Loaded
{
    Scan scan;
    std::vector<EntryList::Row> rows;
    std::vector<QString> unlisted;
    bool corrupted = false;
};
Loaded Load(const QByteArray& content, qsizetype splitAbove = kSplitAbove);

// Whether the content is a password file: every line that is not blank deciphers with at least one "|". An empty
// file is one, with no entries.
bool IsPasswordFile(const QByteArray& content);

// ---- Writing

// The stored form of the plain lines: each enciphered, CR LF after each.
QByteArray Content(const std::vector<QString>& plainLines);

// The store of a list: the file's content from the list items in list order, then the unlisted plain lines as
// they were read, and the names of the items that cannot be stored (an item that cannot be taken apart, or a
// field with CR or LF). The name given is the one most recently taken from an item: for an item without any tab,
// the one before it. betweenChunks, when given, runs after every kChunk items.
constexpr size_t kChunk = 1000;
struct Stored
{
    QByteArray content;
    std::vector<QString> refusedNames;
};
Stored StoreItems(const std::vector<QString>& items, const std::vector<QString>& unlisted = {},
                  const std::function<void()>& betweenChunks = {});

// Conversion of an earlier-layout file: the plain lines of the current layout, in list order, each with the user
// ID " ". Lines that already hold two "|" stay exactly as they are. corruptLine is the index of the first line
// without any "|", or -1.
struct Converted
{
    std::vector<QString> plainLines;
    int corruptLine = -1;
};
Converted ConvertLines(const std::vector<QString>& plainLines);

} // namespace PasswordFile
