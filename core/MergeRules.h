#pragma once

#include <QSet>
#include <QString>
#include <vector>

// How a password file read from removable media joins the current list: each deciphered line is
// taken apart into an entry, and an entry whose name the list already holds is left out.
namespace MergeRules {

// One deciphered line of the medium's file.
struct ImportLine
{
    // False when the line holds no "|" at all: the file is then no password file.
    bool valid = false;
    QString name;
    QString password;
    QString userId;
};

// The name is the text before the first "|", the password runs to the next "|", and the user ID is
// everything after that (it may hold "|" itself). A line with a single "|" is an entry of the earlier
// two-field layout: the rest of the line is its password and its user ID a single blank, as the
// conversion of such files gives it.
ImportLine ParseLine(const QString& plainLine);

// The names of the items, compared exactly, letter case included.
QSet<QString> NamesOf(const std::vector<QString>& items);

// What the user is told when an entry of the medium's file is left out.
QString DuplicateMessage(const QString& name);

} // namespace MergeRules
