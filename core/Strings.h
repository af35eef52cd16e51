#pragma once

#include <QString>

// The program's string table, by number (resources/strings.txt: number, tab, text).
// An unknown number gives the empty text.
QString LoadResString(int id);
