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

// What a merge adds: the list items, in file order; what it leaves out, in file order; the medium's control
// record when the list has none (it would bring a program password only the medium's author may know, so it
// joins only if the user agrees); and whether it met a line without any "|", which makes the file no password
// file (the merge then adds nothing; the notices up to that line stand). Lines are taken apart by
// PasswordFile::Parse. Names are compared exactly, letter case included, also with entries added earlier in the
// same merge.
struct Plan
{
    std::vector<QString> items;
    std::vector<Notice> notices;
    QString controlItem;
    bool invalid = false;
};
Plan MergeLines(const std::vector<QString>& currentItems, const std::vector<QString>& plainLines);

// What the user is told of a notice.
QString NoticeText(const Notice& notice);
// The question before a medium's program password joins the list.
QString ControlRecordQuestion();

} // namespace Merge
