#pragma once

#include "core/EntryList.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <functional>
#include <vector>

// The password file: one enciphered line per entry, CR LF after each. Plain lines are
// Name "|" Password "|" User ID, in UTF-8; a line that is not valid UTF-8 (a file from the old 8-bit
// code page) is read as Latin-1 so that nothing of it is lost. This is the file's one reader and one
// writer: every line goes through CryptString and is cut by Lines.
namespace PasswordFile {

inline const QString kFileName = QStringLiteral("Password.dat");
inline const QString kNotFound = QStringLiteral("not found");

// Below this many bytes a file is read on one thread: a second one costs more than it saves.
constexpr qsizetype kSplitAbove = 256 * 1024;

// The program's password file in its folder, whatever the letter case of its name.
QString Path(const QString& programDir);

// The text of a deciphered line: UTF-8, or Latin-1 when it is not valid UTF-8.
QString DecodeText(QByteArrayView bytes);

// The plain line of an entry.
QString PlainLine(const QString& name, const QString& password, const QString& userId);

// ---- Reading (the bytes come from FileOps::ReadAll)

// Every line deciphered, in file order.
std::vector<QString> PlainLines(const QByteArray& content);

// What the scan of a file finds: whether any line has fewer than two "|" (the earlier layout), and the
// last control record's program password and mode.
struct Scan
{
    bool earlierLayout = false;
    bool controlFound = false;
    QString programPassword = kNotFound;
    qint16 mode = 0;
};

// A file read for the list: its scan and its list rows, sorted. A line without any "|" ends the rows
// (corrupted); the rows before it are kept. Files larger than splitAbove are read in two halves on two
// threads.
struct Loaded
{
    Scan scan;
    std::vector<EntryList::Row> rows;
    bool corrupted = false;
};
Loaded Load(const QByteArray& content, qsizetype splitAbove = kSplitAbove);

// Whether the content is a password file: every line that is not blank deciphers with at least one "|". An
// empty file is one, with no entries.
bool IsPasswordFile(const QByteArray& content);

// ---- Writing

// The stored form of the plain lines: each enciphered, CR LF after each.
QByteArray Content(const std::vector<QString>& plainLines);

// The store of a list: the file's content from the list items in list order, and the names of the items
// that cannot be stored (an item that cannot be taken apart, or a field with CR or LF). The name given
// is the one most recently taken from an item: for an item without any tab, the one before it.
// betweenChunks, when given, runs after every kChunk items.
constexpr size_t kChunk = 1000;
struct Stored
{
    QByteArray content;
    std::vector<QString> refusedNames;
};
Stored StoreItems(const std::vector<QString>& items, const std::function<void()>& betweenChunks = {});

// Conversion of an earlier-layout file: the plain lines of the current layout, in list order, each with
// the user ID " ". Lines that already hold two "|" stay exactly as they are. corruptLine is the index of
// the first line without any "|", or -1.
struct Converted
{
    std::vector<QString> plainLines;
    int corruptLine = -1;
};
Converted ConvertLines(const std::vector<QString>& plainLines);

} // namespace PasswordFile
