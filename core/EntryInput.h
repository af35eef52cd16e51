#pragma once

#include <QString>

// What the password file can hold: the fields of a line are separated by "|" and the lines by CR LF, and a list
// item's fields by tabs, so a name or password with "|" and any field with a tab, CR or LF would come back
// altered on the next load.
namespace EntryInput {

// The editor's boxes, by their index.
enum Field
{
    kName = 0,
    kPassword = 1,
    kUserId = 2,
};

struct Refused
{
    QString message; // empty when the entry can be stored as typed
    int field = -1;  // the box that holds what is refused
};
Refused Refusal(const QString& name, const QString& password, const QString& userId);

} // namespace EntryInput
