#pragma once

#include <QString>

// What the password file can hold: the fields of a line are separated by "|" and the lines by CR LF,
// and a list item's fields by tabs, so a name or password with "|" and any field with a tab, CR or LF
// would come back altered on the next load.
namespace EntryInput {

// The message that refuses the input, or an empty text when the entry can be stored as typed.
QString Refusal(const QString& name, const QString& password, const QString& userId);

} // namespace EntryInput
