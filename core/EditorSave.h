#pragma once

#include <QString>

class EntryList;

// What the password editor's Save does with what was typed: the checks in their order, and the item that goes
// into the list.
namespace EditorSave {

struct Input
{
    bool add = true; // "ADD"; otherwise the entry the editor was opened on is replaced
    QString name;
    QString password;
    QString userId;
    qint16 protectionMode = 0; // the control record carries it as its mode digit
    QString editing;           // the item the editor was opened on
};

struct Outcome
{
    QString warning;         // shown (OK, exclamation) when the entry is refused
    int focus = -1;          // the box the warning is about
    bool entrySaved = false; // the blank checks passed
    QString removeItem;      // the item the new one replaces
    QString addItem;         // empty when refused
};

// Blank name, blank password, what the file cannot hold, then (when adding) a taken name: a name that begins an
// entry's item ignoring case. The control record is taken only when there is one already, whatever other entries
// begin with its name.
Outcome Save(const Input& input, const EntryList& list);

} // namespace EditorSave
