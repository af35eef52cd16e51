// The program's decisions as plain functions: protection, merging, list items and the list's order, input
// checks, generated passwords, the printout, the error log's line, tiles and error texts.
#include "core/DeleteEntry.h"
#include "core/EditorSave.h"
#include "core/EntryInput.h"
#include "core/EntryList.h"
#include "core/ErrorLogRecord.h"
#include "core/ListItem.h"
#include "core/Merge.h"
#include "core/Messages.h"
#include "core/OptionsApply.h"
#include "core/PrintLayout.h"
#include "core/Protection.h"
#include "core/RandomPassword.h"
#include "core/RunError.h"
#include "core/Strings.h"
#include "core/TileGrid.h"
#include "support/Texts.h"

#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;

TEST(Protection, TheFilesControlRecordDecidesWhatALoadDoes)
{
    using A = Protection::Action;
    // The mode before, the mode of the file's control record (-1: none), how the load is made; the mode after
    // and the action.
    const std::tuple<int, int, const char*, int, A> cases[] = {
        {0, -1, "Load", 0, A::LogIn},         {0, -1, "Normal", 0, A::None},     {3, 1, "Load", 1, A::Lock},
        {0, 1, "Normal", 1, A::None},         {0, 2, "Load", 2, A::LoginWindow}, {0, 2, "load", 2, A::None},
        {1, -1, "Load", 1, A::LogIn},         {2, -1, "Load", 2, A::LogIn},      {0, 7, "Normal", 7, A::NotProgrammed},
        {5, -1, "Load", 5, A::NotProgrammed},
    };
    for (const auto& [current, fileMode, how, mode, action] : cases) {
        const PasswordFile::Scan scan{false, fileMode >= 0, PasswordFile::kNotFound, qint16(fileMode)};
        const Protection::OnLoad onLoad =
            Protection::Decide(qint16(current), scan, Protection::HowOf(QString::fromUtf8(how)));
        EXPECT_EQ(std::tuple(onLoad.mode, onLoad.action), std::tuple(mode, action)) << current << fileMode << how;
    }
    for (auto [mode, loggedIn, needed] : {std::tuple{0, false, false}, {1, false, true}, {2, true, false}})
        EXPECT_EQ(Protection::LoginNeeded(qint16(mode), loggedIn), needed) << mode << loggedIn;
}

TEST(Protection, NothingSelectedCopiesNothingTheProgramPasswordNeedsALoginAndOnlyAPasswordEndsTheProgram)
{
    const QString entry = u"Bank\t\t\t\tb4nk\tme"_s;
    const QString control = u"Password Corvalen\t\t\t\tKey1\t "_s;
    // Selected index, item, password (or user ID), mode, logged in, terminate after; whether it copies, needs a
    // login, the text copied and whether the copy ends the program.
    const std::tuple<const char*, int, QString, bool, int, bool, bool, bool, bool, const char*, bool> rows[] = {
        {"NothingSelected", -1, QString(), true, 0, true, true, false, false, "", false},
        {"Password", 0, entry, true, 1, false, true, true, false, "b4nk", true},
        {"UserIdNeverEnds", 0, entry, false, 0, true, true, true, false, "me", false},
        {"ProgramPasswordLocked", 1, control, true, 1, false, false, true, true, "Key1", false},
        {"ProgramPasswordLoggedIn", 1, control, true, 2, true, false, true, false, "Key1", false},
        {"ProgramPasswordUnguarded", 1, control, true, 0, false, false, true, false, "Key1", false},
    };
    for (const auto& [name, selected, item, password, mode, loggedIn, terminate, copies, login, text, ends] : rows) {
        const Protection::Copy copy =
            Protection::CopyDecision(selected, item, password, qint16(mode), loggedIn, terminate);
        EXPECT_EQ(std::tuple(copy.copies, copy.needsLogin, copy.text, copy.secret, copy.endsProgram),
                  std::tuple(copies, login, QString::fromUtf8(text), copies && password, ends))
            << name;
    }
    using L = Protection::Login;
    EXPECT_EQ(
        (std::vector{Protection::CheckLogin(u"Key"_s, u"Key"_s, true), Protection::CheckLogin(u"key"_s, u"Key"_s, true),
                     Protection::CheckLogin(u"Key "_s, u"Key"_s, true),
                     Protection::CheckLogin(u"not found"_s, u"not found"_s, false)}),
        (std::vector{L::Accepted, L::Refused, L::Refused, L::NoPassword}));
}

TEST(EditorSave, ChecksInOrderAndTheControlRecordIsTakenOnlyByItself)
{
    EntryList list;
    list.add(u"Bank\t\t\t\tb4nk\tme"_s);
    list.add(u"password corvalen extra\t\t\t\tx\t"_s);
    const QString taken = u"A Password already Exist for this Named Entry.  Select another Name."_s;
    // Adding or not, name;password;user ID; the warning (empty: saved), its box, whether the blank checks
    // passed, and the item made.
    const std::tuple<const char*, bool, const char*, QString, int, bool, const char*> rows[] = {
        {"BlankName", true, ";pw;", u"Password Name is Blank!"_s, 0, false, ""},
        {"BlankPassword", true, "Shop;;", u"Password is Blank!"_s, 1, false, ""},
        {"Unstorable", true, "Shop;p|w;", EntryInput::Refusal(u"Shop"_s, u"p|w"_s, {}).message, 1, false, ""},
        {"TakenIgnoringCase", true, "BAN;pw;", taken, 0, true, ""},
        {"Added", true, "Shop;pw;dept|7", QString(), -1, true, "Shop\t\t\t\tpw\tdept|7"},
        {"ProgramPassword", true, "Password Corvalen;Key;ignored", QString(), -1, true,
         "Password Corvalen\t\t\t\tKey2\t "},
        {"EditedNeedsNoCheck", false, "Bank;n3w;me", QString(), -1, true, "Bank\t\t\t\tn3w\tme"},
    };
    for (const auto& [name, add, fields, warning, focus, saved, item] : rows) {
        const Texts typed = split(fields);
        EditorSave::Input input;
        input.add = add;
        input.name = typed[0];
        input.password = typed[1];
        input.userId = typed[2];
        input.protectionMode = 2;
        input.editing = u"Bank\t\t\t\tb4nk\tme"_s;
        const EditorSave::Outcome out = EditorSave::Save(input, list);
        EXPECT_EQ(std::tuple(out.warning, out.focus, out.entrySaved, out.addItem, out.removeItem.isEmpty()),
                  std::tuple(warning, focus, saved, QString::fromUtf8(item), add))
            << name;
    }
    list.add(ListItem::MakeControl(u"Key"_s, 1));
    EditorSave::Input second;
    second.name = u"Password Corvalen"_s;
    second.password = u"Other"_s;
    EXPECT_EQ(EditorSave::Save(second, list).warning, taken) << "a second program password";
}

TEST(DeleteEntry, AsksForAnEntryWarnsForTheProtectionAndSelectsTheEntryAbove)
{
    const QString control = u"Password Corvalen\t\t\t\tKey1\t "_s;
    // Selected index, item and mode; the box, whether it asks, deletes and ends the protection.
    const std::tuple<const char*, int, QString, int, QString, int, bool, bool, bool> rows[] = {
        {"NothingSelected", -1, QString(), 0, u"Nothing Selected to Delete"_s, 64, false, false, false},
        {"Entry", 2, u"Bank\t\t\t\tb\t"_s, 1, Messages::DeleteEntry(u"Bank"_s), 49, true, true, false},
        {"ProtectionOn", 0, control, 2, Messages::DeleteProtection(), 49, true, true, true},
        {"ProtectionOff", 0, control, 0, QString(), 0, false, true, false},
        {"LooksLikeIt", 1, u"Password Corvalen 2\t\t\t\tx\t"_s, 1, Messages::DeleteEntry(u"Password Corvalen 2"_s), 49,
         true, true, false},
    };
    for (const auto& [name, selected, item, mode, message, flags, asks, deletes, ends] : rows) {
        const DeleteEntry::Plan plan = DeleteEntry::Decide(selected, item, qint16(mode));
        EXPECT_EQ(std::tuple(plan.message, plan.flags, plan.asks, plan.deletes, plan.endsProtection),
                  std::tuple(message, flags, asks, deletes, ends))
            << name;
    }
    EXPECT_EQ((std::vector{DeleteEntry::SelectionAfter(0, true), DeleteEntry::SelectionAfter(3, true),
                           DeleteEntry::SelectionAfter(3, false)}),
              (std::vector{-1, 2, 3}));
}

TEST(OptionsApply, AModeRewritesOrCreatesTheControlRecordAndACreationMayRevert)
{
    using Step = OptionsApply::ModeStep;
    EXPECT_EQ((std::vector{OptionsApply::Decide(1, 1, false), OptionsApply::Decide(2, 1, true),
                           OptionsApply::Decide(2, 1, false)}),
              (std::vector{Step::Keep, Step::RewriteControlRecord, Step::CreateControlRecord}));
    // A cancelled editor, a Save whose store failed, and one that created the program password.
    EXPECT_EQ((std::vector{OptionsApply::KeepsNewMode(false, false), OptionsApply::KeepsNewMode(true, false),
                           OptionsApply::KeepsNewMode(true, true)}),
              (std::vector{false, false, true}));
}

TEST(Merge, NamesAlreadyTakenAreLeftOutAndALineWithoutBarsStopsEverything)
{
    const Texts current = split("Bank\t\t\t\tb4nk\tme;Password Corvalen\t\t\t\tSecret1\t ");
    // The medium's lines; the items added, whether the file is invalid and the names left out.
    const std::pair<const char*, const char*> cases[] = {
        {"Bank|changed|other;Shop|sh0p|x|y;bank|lower|;Old|s3cret;Twice|1|;Twice|2|",
         "Shop\t\t\t\tsh0p\tx|y;bank\t\t\t\tlower\t;Old\t\t\t\ts3cret\t ;Twice\t\t\t\t1\t / 0 Bank Twice"},
        {"New|a|;Password Corvalen|x2| ;garbage;Late|l|", " / 1 Password Corvalen"},
    };
    for (const auto& [lines, expected] : cases) {
        const Merge::Plan plan = Merge::MergeLines(current, split(lines));
        QString found = joined(plan.items) + u" / "_s + QString::number(plan.invalid);
        for (const Merge::Notice& notice : plan.notices)
            found += u' ' + notice.name;
        EXPECT_EQ(found, QString::fromUtf8(expected));
    }
    // The medium's program password comes apart from the rest, for the user to decide on, when the list has none.
    const Merge::Plan control = Merge::MergeLines({}, split("A|a|;Password Corvalen|Key1| ;B|b|"));
    EXPECT_EQ(std::pair(joined(control.items), control.controlItem),
              std::pair(u"A\t\t\t\ta\t;B\t\t\t\tb\t"_s, u"Password Corvalen\t\t\t\tKey1\t "_s));
    EXPECT_EQ(
        Merge::NoticeText({Merge::Notice::Duplicate, u"Bank"_s}),
        u"An entry for Bank already exist in the current Password File.\r\n\r\nThe Import item will be Bypassed."_s);
}

TEST(EntryList, OrderIgnoresCaseTiesGoByExactTextAccentsGoWithTheirLetterAndTheControlRecordIsTheFirstOfItsName)
{
    const Texts items =
        split("bank\t\t\t\tp\t;Bank\t\t\t\tq\t;Bank\t\t\t\tP\t;apple\t\t\t\tp\t;Zoo\t\t\t\tp\t;émile\t\t\t\tp\t;"
              "Emma\t\t\t\tp\t;Elsa\t\t\t\tp\t;Ärzte\t\t\t\tp\t;Emile\t\t\t\tp\t;"
              "Password Corvalen Extra\t\t\t\tp\t;Password Corvalen\t\t\t\tB2\t ;Password Corvalen\t\t\t\ta1\t ");
    EntryList list;
    for (const QString& item : items)
        list.add(item);
    EXPECT_EQ(joined(list.items()),
              u"apple\t\t\t\tp\t;Ärzte\t\t\t\tp\t;Bank\t\t\t\tP\t;bank\t\t\t\tp\t;Bank\t\t\t\tq\t;"
              u"Elsa\t\t\t\tp\t;Emile\t\t\t\tp\t;émile\t\t\t\tp\t;Emma\t\t\t\tp\t;"
              u"Password Corvalen\t\t\t\ta1\t ;Password Corvalen\t\t\t\tB2\t ;"
              u"Password Corvalen Extra\t\t\t\tp\t;Zoo\t\t\t\tp\t"_s);
    // The control record, prefixes ignoring case and accents, exact texts, names taken (an entry starts with
    // them, ignoring case), and the control record once both are gone.
    const auto taken = [&](const char* name) { return int(list.NameExists(QString::fromUtf8(name))); };
    const auto gone = [&] {
        list.remove(9);
        list.remove(9);
        return list.controlRecordIndex();
    };
    EXPECT_EQ((std::vector{list.controlRecordIndex(), list.findPrefix(u"E"_s), list.findPrefix(u"ÉM"_s),
                           list.findPrefix(u"q"_s), list.findPrefix(u"zz"_s), list.indexOf(u"émile\t\t\t\tp\t"_s),
                           list.indexOf(u"émile\t\t\t\tq\t"_s), taken("BANK"), taken("em"), taken("Emma Two"),
                           taken("Shop"), gone()}),
              (std::vector{9, 5, 6, -1, -1, 7, -1, 1, 1, 0, 0, -1}));
}

TEST(EntryInput, WhatTheFileCannotHoldIsRefusedFieldByField)
{
    const QString breaks =
        u" contains a tab or a line break, which the Password File cannot hold.  Please remove it and try again."_s;
    const QString bars = u" contains the character \"|\", which the Password File uses to separate its fields.  "
                         u"Please choose another character."_s;
    // Name, password and user ID; the field refused (none when empty) and whether for a "|".
    const std::tuple<const char*, const char*, const char*, const char*, bool> cases[] = {
        {"Shop", "pw", "dept|7", "", false},        {"A|B\t", "p|w", "", "Password Name", false},
        {"A|B", "p\nw", "", "Password Name", true}, {"Shop", "p|w", "a\rb", "Password", true},
        {"Shop", "p\tw", "", "Password", false},    {"Shop", "pw", "a\nb", "User ID", false},
    };
    for (const auto& [name, password, userId, field, bar] : cases)
        EXPECT_EQ(EntryInput::Refusal(QString::fromUtf8(name), QString::fromUtf8(password), QString::fromUtf8(userId))
                      .message,
                  *field ? u"The "_s + QString::fromUtf8(field) + (bar ? bars : breaks) : QString());
}

TEST(RandomPassword, DrawsSwapPlacesOfTheAlphabetAndTheTenFromTheFifteenthAreTaken)
{
    // A swap of positions 15 and 62 (a value just below 1 still lands on 62), one of 62 and 16, then draws of 0,
    // which swap position 1 with itself.
    int n = 0;
    const double draws[] = {14.5 / 62, 0.9999999999, 0.9999999999, 15.5 / 62};
    EXPECT_EQ(RandomPassword::Generate([&] { return n < 4 ? draws[n++] : 0.0; }), u"0OQRSTUVWX"_s);
}

// The pages as text: each row's y, "!" for the emphasis, then its cells as x=text; each page on a line of its own.
QString pagesText(const std::vector<PrintLayout::Page>& pages)
{
    QString text;
    for (const PrintLayout::Page& page : pages)
        for (const PrintLayout::Row& r : page.rows) {
            text += (&r == page.rows.data() ? u"\n"_s : u";"_s) + QString::number(r.y) + u"!"_s.repeated(r.emphasis);
            for (const PrintLayout::Cell& cell : r.cells)
                text += u' ' + QString::number(cell.x) + u'=' + cell.text;
        }
    return text;
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
    EXPECT_EQ(pagesText(PrintLayout::Layout(items, u"3/4/26"_s, m)),
              u"\n0! 0=Date Run: 3/4/26 9690=Password Corvalen - Password List;240!;"
              u"480! 0=Password Name 3400=Password User ID 5600=Password;"
              u"720 0=Bank 3400=me|7 5600=b4nk;920 0=Password Corvalen 3400= 5600=Secret\n"
              u"0 0=Broken 3400= 5600=;200 0=Half 3400= 5600=;"
              u"400 0=password corvalen 3400=  5600=other2;600 0=Mail 3400= 5600="_s);
    m.printableWidth = 1500;
    EXPECT_EQ(PrintLayout::Layout({}, QString(), m)[0].rows[0].cells[1].x, 0) << "a title wider than the page";

    for (auto [time, text] : {std::pair{QTime(17, 5, 9), u"04.03.26 17:05:09"_s}, {QTime(0, 0), u"04.03.26"_s}})
        EXPECT_EQ(PrintLayout::GeneralDate(QDateTime(QDate(2026, 3, 4), time), QLocale(u"de_DE"_s)), text);
}

TEST(RunError, TheTextGivesTheDescriptionAndTheNumberAndTheErrorLogTakesOneQuotedLineOfSevenFields)
{
    const QDateTime when(QDate(2026, 3, 4), QTime(7, 5, 9));
    const QString error = u" Error has Occurred: the \"A:\" drive\r\nis\nempty\r-71  "_s;
    const ErrorLogRecord record{2, when, error, u" ExportList "_s, u" Version 1.0.53"_s, 410};
    EXPECT_EQ(record.line(), QByteArray("\"NT|03-04-2026|07:05:09|Error has Occurred: the \"A:\" drive is empty -71|"
                                        "ExportList| Version 1.0.53|410\"\r\n"));

    const RunError own(13, u"Type mismatch"_s);
    EXPECT_EQ(ErrorText(own) + u'/' + ErrorText(RunError(RunError::DiskNotReady)),
              u"Error has Occurred: Type mismatch-13/Error has Occurred: Disk not ready-71"_s);
    EXPECT_EQ(LoadResString(139) + LoadResString(1), u"Password Corvalen is attempting to update it's error log."_s);
}

TEST(TileGrid, RowsOverlapByOnePixelAndColumnsTouch)
{
    // Window, tile; the columns and rows where tiles go, and whether none does.
    const std::tuple<QSize, QSize, std::vector<int>, std::vector<int>, bool> cases[] = {
        {{200, 178}, {95, 89}, {0, 95, 190}, {0, 88, 176}, false},
        {{3, 2}, {2, 1}, {0, 2}, {0, 1, 2}, false}, // a tile one pixel high still advances
        {{200, 178}, {0, 89}, {}, {}, true},
        {{-1, 5}, {2, 2}, {}, {0, 1, 2, 3, 4, 5}, true},
    };
    for (const auto& [window, tile, columns, rows, empty] : cases) {
        const TileGrid grid(window, tile);
        EXPECT_EQ(std::tuple(grid.columns(), grid.rows(), grid.isEmpty()), std::tuple(columns, rows, empty));
    }
}

} // namespace
