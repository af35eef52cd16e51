#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

#include <functional>
#include <vector>

// The printed password list as data: where every text goes, in twips from the top-left corner of the
// printable area, and which rows carry the emphasis. Measuring comes from outside, so the layout is the
// same whether it is drawn on a printer or checked in a test.
namespace PrintLayout {

inline const QString kTitle = QStringLiteral("Password Corvalen - Password List");
// The columns are as wide as these texts in the printer's own font, whatever the entries hold.
inline const QString kNameSample = QStringLiteral("This is Some kind of Password Name");
inline const QString kUserIdSample = QStringLiteral("Password User IDxxxxxx");

struct Metrics
{
    // Width of a text in the printer's font as it is before the list changes it.
    std::function<double(const QString&)> baseWidth;
    // Width of a text in the list's font (8 point italic), with or without the emphasis.
    std::function<double(const QString&, bool emphasis)> width;
    // Height of one line of the list's font.
    std::function<double(bool emphasis)> lineHeight;
    double printableWidth = 0;
    double printableHeight = 0;
};

struct Columns
{
    int name = 0;
    int userId = 0;
    int password = 0;
};

struct Cell
{
    int x = 0;
    QString text;
};

struct Row
{
    int y = 0;
    bool emphasis = false;
    std::vector<Cell> cells; // empty for the blank row under the date
};

struct Page
{
    std::vector<Row> rows;
};

Columns ColumnsFor(const Metrics& metrics);

// Row 1 the date and the title, row 2 empty, row 3 the headings (all with the emphasis), then one row
// per item in list order with its fields as the windows show them (ListItem::Shown). A row that does not
// fit on a page starts the next one whole; nothing is repeated at the top of a later page.
std::vector<Page> Layout(const std::vector<QString>& items, const QString& dateText, const Metrics& metrics);

// The date and time as the locale writes them: its short date and its time with seconds, without the
// time zone; a time of exactly midnight shows the date alone.
QString GeneralDate(const QDateTime& when, const QLocale& locale);

} // namespace PrintLayout
