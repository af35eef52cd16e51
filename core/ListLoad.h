#pragma once

#include "core/EntryList.h"
#include "core/PasswordFile.h"

#include <QString>
#include <vector>

// What loading a file into the list needs, read in one pass over its bytes: the scan for the control
// record and the earlier layout, and the list's rows already sorted. The two halves of the file are
// read on two threads, as a large file's load is what the user waits for at every change.
namespace ListLoad {

struct Result
{
    PasswordFile::Scan scan;
    std::vector<EntryList::Row> rows; // sorted; up to the first line without any "|"
    bool corrupted = false;           // a line without any "|" stopped the rows
};

// Raises RunError 53 when the file is missing.
Result Read(const QString& path);

// The same from the file's bytes.
Result FromContent(const QByteArray& content);

} // namespace ListLoad
