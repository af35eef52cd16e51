#pragma once

#include <QString>

#include <vector>

// How a password file read from removable media joins the current list.
namespace Merge {

// An entry of the medium's file that is left out, and why.
struct Notice
{
    enum Kind
    {
        Duplicate, // the list already holds an entry of that name
        Tab,       // its name or password holds a tab, which the list item would take for a field's end
    } kind = Duplicate;
    QString name;
};

// What a merge adds: the list items, in file order; what it leaves out, in file order; and whether it
// met a line without any "|", which makes the file no password file (the merge then adds nothing; the
// notices up to that line stand). A line's name is the text before its first "|", its password runs to
// the next "|" and its user ID is the rest (it may hold "|"). A line with a single "|" is an entry of the
// earlier layout: its password is the rest of the line and its user ID a single blank. Names are
// compared exactly, letter case included, also with entries added earlier in the same merge. A user ID may
// hold a tab: it is the item's last field.
struct Plan
{
    std::vector<QString> items;
    std::vector<Notice> notices;
    bool invalid = false;
};
Plan MergeLines(const std::vector<QString>& currentItems, const std::vector<QString>& plainLines);

// What the user is told of a notice.
QString NoticeText(const Notice& notice);

} // namespace Merge
