// The program's decisions as plain functions: protection, merging, list items and the list's order, input
// checks, generated passwords, the printout, the error log's line, tiles and error texts.
#include "core/EntryInput.h"
#include "core/EntryList.h"
#include "core/ErrorLogRecord.h"
#include "core/ListItem.h"
#include "core/Merge.h"
#include "core/PrintLayout.h"
#include "core/Protection.h"
#include "core/RandomPassword.h"
#include "core/RunError.h"
#include "core/Strings.h"
#include "core/TileGrid.h"

#include <QRandomGenerator>
#include <QSet>

#include <gtest/gtest.h>

#include <random>

void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

using Texts = std::vector<QString>;

// Texts written as one, separated by ";".
Texts split(const char* joined)
{
    const QStringList parts = QString::fromUtf8(joined).split(QLatin1Char(';'));
    return *joined ? Texts(parts.begin(), parts.end()) : Texts();
}

QString joined(const Texts& texts)
{
    return QStringList(texts.begin(), texts.end()).join(QLatin1Char(';'));
}

TEST(Protection, TheFilesControlRecordDecidesWhatALoadDoes)
{
    using A = Protection::Action;
    // The mode before, whether the file has a control record and its mode, how the load is made; the mode
    // after and the action.
    const std::tuple<int, bool, int, const char*, int, A> cases[] = {
        {0, false, 0, "Load", 0, A::LogIn},
        {0, false, 0, "Normal", 0, A::None},
        {3, true, 1, "Load", 1, A::Lock},
        {0, true, 1, "Normal", 1, A::None},
        {0, true, 2, "Load", 2, A::LoginWindow},
        {0, true, 2, "load", 2, A::None},
        {1, false, 0, "Load", 1, A::LogIn},
        {2, false, 0, "Load", 2, A::LogIn},
        {0, true, 7, "Normal", 7, A::NotProgrammed},
        {5, false, 0, "Load", 5, A::NotProgrammed},
    };
    for (const auto& [current, controlFound, fileMode, how, mode, action] : cases) {
        SCOPED_TRACE(testing::Message() << current << controlFound << fileMode << how);
        const QString password = controlFound ? QStringLiteral("key") : PasswordFile::kNotFound;
        const Protection::OnLoad onLoad =
            Protection::Decide(qint16(current), PasswordFile::Scan{false, controlFound, password, qint16(fileMode)},
                               QString::fromUtf8(how));
        EXPECT_EQ(onLoad.mode, mode);
        EXPECT_EQ(onLoad.action, action);
        EXPECT_EQ(onLoad.programPassword, password);
    }
    for (auto [mode, loggedIn, needed] :
         {std::tuple{0, false, false}, {1, false, true}, {2, true, false}, {7, false, true}})
        EXPECT_EQ(Protection::LoginNeeded(qint16(mode), loggedIn), needed) << mode << loggedIn;
}

TEST(Merge, NamesAlreadyTakenAreLeftOutAndALineWithoutBarsStopsEverything)
{
    const Texts current = split("Bank\t\t\t\tb4nk\tme;Password Corvalen\t\t\t\tSecret1\t ");
    // The medium's lines; the items added, the names left out and whether the file is invalid.
    const std::tuple<const char*, const char*, const char*, bool> cases[] = {
        {"Bank|changed|other;Shop|sh0p|x|y;bank|lower|;Old|s3cret;Twice|1|;Twice|2|",
         "Shop\t\t\t\tsh0p\tx|y;bank\t\t\t\tlower\t;Old\t\t\t\ts3cret\t ;Twice\t\t\t\t1\t", "Bank;Twice", false},
        {"New|a|;Password Corvalen|x2| ;garbage;Late|l|", "", "Password Corvalen", true},
    };
    for (const auto& [lines, items, notices, invalid] : cases) {
        const Merge::Plan plan = Merge::MergeLines(current, split(lines));
        Texts names;
        for (const Merge::Notice& notice : plan.notices)
            names.push_back(notice.name);
        EXPECT_EQ(joined(plan.items), QString::fromUtf8(items));
        EXPECT_EQ(joined(names), QString::fromUtf8(notices));
        EXPECT_EQ(plan.invalid, invalid);
    }
    EXPECT_EQ(Merge::NoticeText({Merge::Notice::Duplicate, QStringLiteral("Bank")}),
              QStringLiteral("An entry for Bank already exist in the current Password File.\r\n\r\n"
                             "The Import item will be Bypassed."));
}

TEST(EntryList, OrderIgnoresCaseTiesGoByExactTextAccentsGoWithTheirLetterAndTheControlRecordIsTheFirstOfItsName)
{
    Texts items =
        split("bank\t\t\t\tp\t;Bank\t\t\t\tq\t;Bank\t\t\t\tP\t;apple\t\t\t\tp\t;Zoo\t\t\t\tp\t;émile\t\t\t\tp\t;"
              "Emma\t\t\t\tp\t;Elsa\t\t\t\tp\t;Ärzte\t\t\t\tp\t;Emile\t\t\t\tp\t;"
              "Password Corvalen Extra\t\t\t\tp\t;Password Corvalen\t\t\t\ta1\t ;Password Corvalen\t\t\t\tB2\t ");
    std::shuffle(items.begin(), items.end(), std::mt19937(3));
    EntryList added;
    for (const QString& item : items)
        added.add(item);
    EXPECT_EQ(joined(added.items()),
              QStringLiteral("apple\t\t\t\tp\t;Ärzte\t\t\t\tp\t;Bank\t\t\t\tP\t;bank\t\t\t\tp\t;Bank\t\t\t\tq\t;"
                             "Elsa\t\t\t\tp\t;Emile\t\t\t\tp\t;émile\t\t\t\tp\t;Emma\t\t\t\tp\t;"
                             "Password Corvalen\t\t\t\ta1\t ;Password Corvalen\t\t\t\tB2\t ;"
                             "Password Corvalen Extra\t\t\t\tp\t;Zoo\t\t\t\tp\t"));
    EXPECT_EQ(added.controlRecordIndex(), 9);
    EXPECT_EQ(added.findPrefix(QStringLiteral("E")), 5);
    EXPECT_EQ(added.findPrefix(QStringLiteral("ÉM")), 6);
    EXPECT_EQ(added.indexOf(QStringLiteral("émile\t\t\t\tp\t")), 7);
    EXPECT_EQ(added.indexOf(QStringLiteral("émile\t\t\t\tq\t")), -1);
    EntryList list;
    list.assign(split("Bank Account\t\t\t\tb\t;Password Corvalen Extra\t\t\t\tc\t"));
    EXPECT_EQ(list.controlRecordIndex(), -1);
    EXPECT_EQ(list.findPrefix(QStringLiteral("PASS")), 1);
    EXPECT_EQ(list.findPrefix(QStringLiteral("q")), -1);
    const std::pair<const char*, bool> names[] = {
        {"bank", true}, {"BANK ACCOUNT", true}, {"Bank Account Two", false}, {"Password", true}, {"Shop", false}};
    for (auto [name, taken] : names)
        EXPECT_EQ(list.NameExists(QString::fromUtf8(name)), taken) << name;
}

TEST(EntryInput, WhatTheFileCannotHoldIsRefusedFieldByField)
{
    const QString breaks = QStringLiteral(
        " contains a tab or a line break, which the Password File cannot hold.  Please remove it and try again.");
    const QString bars = QStringLiteral(" contains the character \"|\", which the Password File uses to separate its "
                                        "fields.  Please choose another character.");
    // Name, password and user ID; the field refused (none when empty) and whether for a "|".
    const std::tuple<const char*, const char*, const char*, const char*, bool> cases[] = {
        {"Shop", "pw", "dept|7", "", false},        {"A|B\t", "p|w", "", "Password Name", false},
        {"A|B", "p\nw", "", "Password Name", true}, {"Shop", "p|w", "a\rb", "Password", true},
        {"Shop", "p\tw", "", "Password", false},    {"Shop", "pw", "a\nb", "User ID", false},
    };
    for (const auto& [name, password, userId, field, bar] : cases)
        EXPECT_EQ(EntryInput::Refusal(QString::fromUtf8(name), QString::fromUtf8(password), QString::fromUtf8(userId)),
                  *field ? QStringLiteral("The ") + QString::fromUtf8(field) + (bar ? bars : breaks) : QString());
}

TEST(RandomPassword, TenDistinctCharactersOfTheAlphabet)
{
    QRandomGenerator random(5);
    for (int run = 0; run < 100; ++run) {
        const QString generated = RandomPassword::Generate([&] { return random.generateDouble(); });
        const QSet<QChar> distinct(generated.begin(), generated.end());
        EXPECT_EQ(distinct.size(), 10) << generated.toStdString();
        EXPECT_TRUE(QSet<QChar>(RandomPassword::kAlphabet.begin(), RandomPassword::kAlphabet.end()).contains(distinct));
    }
    // One swap of positions 15 and 62 (a value just below 1 still lands on 62), then draws of 0, which swap
    // position 1 with itself.
    int n = 0;
    const double draws[] = {14.5 / 62, 0.9999999999};
    EXPECT_EQ(RandomPassword::Generate([&] { return n < 2 ? draws[n++] : 0.0; }), QStringLiteral("0PQRSTUVWX"));
}

// A page as text: each row's y, "!" for the emphasis, then its cells as x=text.
QString pageText(const PrintLayout::Page& page)
{
    QStringList rows;
    for (const PrintLayout::Row& row : page.rows) {
        QString text = QString::number(row.y) + (row.emphasis ? QStringLiteral("!") : QString());
        for (const PrintLayout::Cell& cell : row.cells)
            text += QLatin1Char(' ') + QString::number(cell.x) + QLatin1Char('=') + cell.text;
        rows << text;
    }
    return rows.join(QLatin1Char(';'));
}

TEST(PrintLayout, HeaderRowsThenOneRowPerItemAndARowThatDoesNotFitStartsTheNextPage)
{
    // Every character of the printer's font is 100 twips wide, of the list's font 60 (70 with the emphasis);
    // a line is 200 twips high (240 with the emphasis).
    PrintLayout::Metrics m{[](const QString& t) { return 100.0 * t.size(); },
                           [](const QString& t, bool emphasis) { return (emphasis ? 70.0 : 60.0) * t.size(); },
                           [](bool emphasis) { return emphasis ? 240.0 : 200.0; }, 12000, 1200};
    // The control record shows no mode digit and no user ID, an item that cannot be taken apart its name only.
    const Texts items = split("Bank\t\t\t\tb4nk\tme|7;Password Corvalen\t\t\t\tSecret2\t ;Broken;Half\t\t\t\tno tab;"
                              "password corvalen\t\t\t\tother2\t ;Mail\t\t\t\t\t");
    const std::vector<PrintLayout::Page> pages = PrintLayout::Layout(items, QStringLiteral("3/4/26"), m);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pageText(pages[0]),
              QStringLiteral("0! 0=Date Run: 3/4/26 9690=Password Corvalen - Password List;240!;"
                             "480! 0=Password Name 3400=Password User ID 5600=Password;"
                             "720 0=Bank 3400=me|7 5600=b4nk;920 0=Password Corvalen 3400= 5600=Secret"));
    EXPECT_EQ(pageText(pages[1]), QStringLiteral("0 0=Broken 3400= 5600=;200 0=Half 3400= 5600=;"
                                                 "400 0=password corvalen 3400=  5600=other2;600 0=Mail 3400= 5600="));
    m.printableWidth = 1500;
    EXPECT_EQ(PrintLayout::Layout({}, QString(), m)[0].rows[0].cells[1].x, 0) << "a title wider than the page";

    const QLocale de(QLocale::German, QLocale::Germany);
    EXPECT_EQ(PrintLayout::GeneralDate(QDateTime(QDate(2026, 3, 4), QTime(17, 5, 9)), de),
              QStringLiteral("04.03.26 17:05:09"));
    EXPECT_EQ(PrintLayout::GeneralDate(QDateTime(QDate(2026, 3, 4), QTime(0, 0)), de), QStringLiteral("04.03.26"));
}

TEST(ErrorLogRecord, OneQuotedLineOfSevenFields)
{
    const ErrorLogRecord record{2,
                                QDateTime(QDate(2026, 3, 4), QTime(7, 5, 9)),
                                QStringLiteral(" Error has Occurred: the \"A:\" drive\r\nis\nempty\r-71  "),
                                QStringLiteral(" ExportList "),
                                QStringLiteral(" Version 1.0.53"),
                                410};
    EXPECT_EQ(record.line(), QByteArray("\"NT|03-04-2026|07:05:09|Error has Occurred: the \"A:\" drive is empty -71|"
                                        "ExportList| Version 1.0.53|410\"\r\n"));
    EXPECT_EQ(ErrorLogRecord::PlatformMarker(1) + ErrorLogRecord::PlatformMarker(0), QStringLiteral("Win95?"));
}

TEST(TileGrid, RowsOverlapByOnePixelAndColumnsTouch)
{
    // Window, tile; the columns and rows where tiles go.
    const std::tuple<QSize, QSize, std::vector<int>, std::vector<int>> cases[] = {
        {{200, 178}, {95, 89}, {0, 95, 190}, {0, 88, 176}},
        {{189, 175}, {95, 89}, {0, 95}, {0, 88}}, // one short of the extent: no tile there
        {{3, 2}, {2, 1}, {0, 2}, {0, 1, 2}},      // a tile one pixel high still advances
        {{200, 178}, {0, 89}, {}, {}},
        {{-1, 5}, {2, 2}, {}, {0, 1, 2, 3, 4, 5}},
    };
    for (const auto& [window, tile, columns, rows] : cases) {
        const TileGrid grid(window, tile);
        EXPECT_EQ(grid.columns(), columns);
        EXPECT_EQ(grid.rows(), rows);
        EXPECT_EQ(grid.isEmpty(), columns.empty() || rows.empty());
    }
}

TEST(RunError, TextsGiveTheDescriptionAndTheNumber)
{
    const std::pair<int, const char*> cases[] = {
        {52, "Bad file name or number"}, {53, "File not found"}, {57, "Device I/O error"},       {61, "Disk full"},
        {70, "Permission denied"},       {71, "Disk not ready"}, {75, "Path/File access error"}, {76, "Path not found"},
    };
    for (const auto& [number, description] : cases)
        EXPECT_EQ(RunError(number).description(), QString::fromUtf8(description));
    EXPECT_EQ(RunError(13).description(), QStringLiteral("Application-defined or object-defined error"));
    const RunError own(13, QStringLiteral("Type mismatch"));
    EXPECT_EQ(ErrorText(own), QStringLiteral("Error has Occurred: Type mismatch-13"));
    EXPECT_STREQ(own.what(), "Type mismatch");
    EXPECT_EQ(LoadResString(139), QStringLiteral("Password Corvalen is attempting to update it's error log."));
    EXPECT_EQ(LoadResString(1), QString());
}

} // namespace
