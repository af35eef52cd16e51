#pragma once

#include <QString>

class QWidget;
class QPainter;

// The settings store: section "Constants" of the program's application name. A failure to read or write
// the store is logged and ends the program.
QString RegDB_GetValue(const QString& key, const QString& defaultValue);
void RegDB_SetValue(const QString& key, const QString& value);
// First-run check: creates an empty, hidden password file when no installer information exists.
void RegDB_CheckVersion();

// The platform's text-to-Boolean conversion: "True"/"False" in any case, or a number (non-zero is
// True). ok is false for any other text.
bool CBool(const QString& text, bool* ok = nullptr);
// The same conversion where a failure is a run-time error: raises RunError 13, type mismatch.
bool CBoolOrRaise(const QString& text);
// The text form of a Boolean: "True" or "False".
QString BoolText(bool value);

// Tiles the source's picture over the target while the designer look is on. Call from paintEvent.
void TileBackground(QWidget& target, const QWidget& source);
