#pragma once

#include <QString>

// What the main window's Delete asks and what follows.
namespace DeleteEntry {

struct Plan
{
    QString message;             // what the user is asked or told; empty when nothing is
    int flags = 0;               // its message-box flags
    bool asks = false;           // OK and Cancel: the entry goes only on OK
    bool deletes = false;        // false when nothing is selected
    bool endsProtection = false; // the protection mode becomes 0 with the control record
};
// selected is the list's selected index (-1 none), item its text.
Plan Decide(int selected, const QString& item, qint16 protectionMode);

// The entry selected after deleting the one at index: the one above it (none after the first); when the file
// could not be written, the list was read back and the entry is still there, still selected.
int SelectionAfter(int index, bool stored);

} // namespace DeleteEntry
