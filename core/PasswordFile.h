#pragma once

#include <QByteArrayView>
#include <QString>
#include <vector>

// The password file: one enciphered line per entry, CR LF after each. Plain lines are
// Name "|" Password "|" User ID, in UTF-8; a line that is not valid UTF-8 (a file from the
// old 8-bit code page) is read as Latin-1 so that nothing of it is lost.
namespace PasswordFile {

inline const QString kFileName = QStringLiteral("Password.dat");
inline const QString kNotFound = QStringLiteral("not found");

// The program's password file in its folder, whatever the letter case of its name.
QString Path(const QString& programDir);

// The text of a deciphered line: UTF-8, or Latin-1 when it is not valid UTF-8.
QString DecodeText(QByteArrayView bytes);

// Reads and deciphers every line. Raises RunError 53 when the file is missing.
std::vector<QString> ReadPlainLines(const QString& path);

// The stored form of one plain line: its UTF-8 bytes enciphered, without the line end.
QByteArray StoredLine(const QString& plainLine);
// Appends the stored form of a plain line and its CR LF.
void AppendStored(QByteArray& content, const QString& plainLine);
// False when a field holds CR or LF: its stored line would fall apart into two lines of the file.
bool CanStore(const QString& field);
// Replaces the file with the stored lines in one atomic step (owner-only).
void WriteStored(const QString& path, const QByteArray& content);

// Enciphers the plain lines and replaces the file with them in one atomic step (owner-only).
void WritePlainLines(const QString& path, const std::vector<QString>& plainLines);

// Creates an empty, hidden password file.
void CreateEmptyHidden(const QString& path);

// The plain line of an entry.
QString PlainLine(const QString& name, const QString& password, const QString& userId);

// The list item of a plain line whose first two "|" are at p1 and p2 (p2 -1: the rest is the password).
QString ItemOf(QStringView line, qsizetype p1, qsizetype p2);

// What the first pass over a file finds: whether any line has fewer than two "|" (the earlier
// layout), and the last control record's program password and mode.
struct Scan
{
    bool earlierLayout = false;
    bool controlFound = false;
    QString programPassword = kNotFound;
    qint16 mode = 0;
};
Scan ScanLines(const std::vector<QString>& plainLines);

// The list items of a current-layout file. A line without any "|" ends the load: corrupted is
// set and the items before it are kept.
struct Items
{
    std::vector<QString> items;
    bool corrupted = false;
};
Items ItemsFromLines(const std::vector<QString>& plainLines);

// Conversion of an earlier-layout file: the plain lines of the current layout, in list order.
// Lines that already hold two "|" stay exactly as they are. corruptLine is the index of the first
// line without any "|", or -1.
struct Converted
{
    std::vector<QString> plainLines;
    int corruptLine = -1;
};
Converted ConvertLines(const std::vector<QString>& plainLines);

} // namespace PasswordFile
