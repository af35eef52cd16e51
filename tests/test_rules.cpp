// The program's decisions as plain functions: protection, saving and deleting entries, options, merging, the
// list's order, input checks, generated passwords, the printout, the error log's line and tiles.
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
#include "core/TileGrid.h"
#include "support/Texts.h"

#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;

TEST(Protection, TheControlRecordDecidesWhatALoadDoesAndOnlyTheProgramPasswordNeedsALoginToCopy)
{
    using A = Protection::Action;
    // The mode before, the mode of the file's control record (-1: none), how the load is made; the mode after
    // and the action. A mode without its control record guards nothing.
    const std::tuple<int, int, const char*, int, A> loads[] = {
        {0, -1, "Load", 0, A::LogIn},      {2, -1, "Load", 2, A::LogIn}, {3, 1, "Load", 1, A::Lock},
        {0, 2, "Load", 2, A::LoginWindow}, {0, 2, "load", 2, A::None},   {0, 7, "Normal", 7, A::NotProgrammed},
    };
    for (const auto& [current, fileMode, how, mode, action] : loads) {
        const PasswordFile::Scan scan{false, fileMode >= 0, PasswordFile::kNotFound, qint16(fileMode)};
        const auto onLoad = Protection::Decide(qint16(current), scan, Protection::HowOf(QString::fromUtf8(how)));
        EXPECT_EQ(std::tuple(onLoad.mode, onLoad.action), std::tuple(mode, action)) << current << fileMode << how;
    }
    // Selected index, item, password (or user ID), mode, logged in, terminate after; whether it copies, needs a
    // login, the text copied and whether the copy ends the program. The program password alone may need a login.
    const std::tuple<const char*, int, QString, bool, int, bool, bool, bool, bool, const char*, bool> rows[] = {
        {"NothingSelected", -1, QString(), true, 0, true, true, false, false, "", false},
        {"Password", 0, u"Bank\t\t\t\tb4nk\tme"_s, true, 1, false, true, true, false, "b4nk", true},
        {"UserIdNeverEnds", 0, u"Bank\t\t\t\tb4nk\tme"_s, false, 0, true, true, true, false, "me", false},
        {"Locked", 1, u"Password Corvalen\t\t\t\tKey1\t "_s, true, 1, false, false, true, true, "Key1", false},
        {"LoggedIn", 1, u"Password Corvalen\t\t\t\tKey1\t "_s, true, 2, true, false, true, false, "Key1", false},
        {"Unguarded", 1, u"Password Corvalen\t\t\t\tKey1\t "_s, true, 0, false, false, true, false, "Key1", false},
    };
    for (const auto& [name, selected, item, password, mode, loggedIn, terminate, copies, login, text, ends] : rows) {
        const auto copy = Protection::CopyDecision(selected, item, password, qint16(mode), loggedIn, terminate);
        EXPECT_EQ(std::tuple(copy.copies, copy.needsLogin, copy.text, copy.secret, copy.endsProgram),
                  std::tuple(copies, login, QString::fromUtf8(text), copies && password, ends))
            << name;
    }
    EXPECT_EQ(
        (std::vector{Protection::CheckLogin(u"Key"_s, u"Key"_s, true), Protection::CheckLogin(u"key"_s, u"Key"_s, true),
                     Protection::CheckLogin(u"Key"_s, u"Key"_s, false)}),
        (std::vector{Protection::Login::Accepted, Protection::Login::Refused, Protection::Login::NoPassword}));
}

TEST(EditorSave, ChecksInOrderTheControlRecordIsTakenOnlyByItselfAndWhatTheFileCannotHoldIsRefused)
{
    EntryList list;
    list.add(u"Bank\t\t\t\tb4nk\tme"_s);
    list.add(u"Password Corvalen extra\t\t\t\tx\t"_s);
    const QString taken = u"A Password already Exist for this Named Entry.  Select another Name."_s;
    // Adding or not, name;password;user ID; the warning (empty: saved), its box, whether the blank checks
    // passed, and the item made. Each refused row would also fail the checks after its own.
    const std::tuple<const char*, bool, const char*, QString, int, bool, const char*> rows[] = {
        {"BlankName", true, ";;", u"Password Name is Blank!"_s, 0, false, ""},
        {"BlankPassword", true, "A|B;;", u"Password is Blank!"_s, 1, false, ""},
        {"Unstorable", true, "Bank;p|w;", EntryInput::Refusal(u"Bank"_s, u"p|w"_s, {}).message, 1, false, ""},
        {"TakenIgnoringCase", true, "BAN;pw;", taken, 0, true, ""},
        {"Added", true, "Shop;pw;dept|7", QString(), -1, true, "Shop\t\t\t\tpw\tdept|7"},
        {"Control", true, "Password Corvalen;Key;ignored", QString(), -1, true, "Password Corvalen\t\t\t\tKey2\t "},
        {"EditedNeedsNoCheck", false, "Bank;n3w;me", QString(), -1, true, "Bank\t\t\t\tn3w\tme"},
    };
    for (const auto& [name, add, fields, warning, focus, saved, item] : rows) {
        const Texts typed = split(fields);
        const EditorSave::Input input{add, typed[0], typed[1], typed[2], 2, u"Bank\t\t\t\tb4nk\tme"_s};
        const EditorSave::Outcome out = EditorSave::Save(input, list);
        EXPECT_EQ(std::tuple(out.warning, out.focus, out.entrySaved, out.addItem, out.removeItem.isEmpty()),
                  std::tuple(warning, focus, saved, QString::fromUtf8(item), add))
            << name;
    }
    // A second program password.
    list.add(ListItem::MakeControl(u"Key"_s, 1));
    EXPECT_EQ(EditorSave::Save({true, u"Password Corvalen"_s, u"Other"_s, {}, 0, {}}, list).warning, taken);
    // What the file cannot hold is refused field by field.
    const QString breaks =
        u" contains a tab or a line break, which the Password File cannot hold.  Please remove it and try again."_s;
    const QString bars = u" contains the character \"|\", which the Password File uses to separate its fields.  "
                         u"Please choose another character."_s;
    // Name, password and user ID; the field refused (none when empty) and whether for a "|".
    const std::tuple<QString, QString, QString, QString, bool> cases[] = {
        {u"Shop"_s, u"pw"_s, u"dept|7"_s, {}, false},        {u"A|B\t"_s, u"p|w"_s, {}, u"Password Name"_s, false},
        {u"A|B"_s, u"p\nw"_s, {}, u"Password Name"_s, true}, {u"Shop"_s, u"p|w"_s, u"a\rb"_s, u"Password"_s, true},
        {u"Shop"_s, u"p\tw"_s, {}, u"Password"_s, false},    {u"Shop"_s, u"pw"_s, u"a\nb"_s, u"User ID"_s, false},
    };
    for (const auto& [name, password, userId, field, bar] : cases)
        EXPECT_EQ(EntryInput::Refusal(name, password, userId).message,
                  field.isEmpty() ? QString() : u"The "_s + field + (bar ? bars : breaks));
}

TEST(DeleteEntry, AsksForAnEntryWarnsForTheProtectionAndSelectsTheEntryAbove)
{
    // Selected index, item and mode; the box, whether it asks, deletes and ends the protection.
    const std::tuple<const char*, int, QString, int, QString, int, bool, bool, bool> rows[] = {
        {"NothingSelected", -1, QString(), 0, u"Nothing Selected to Delete"_s, 64, false, false, false},
        {"Entry", 2, u"Bank\t\t\t\tb\t"_s, 1, Messages::DeleteEntry(u"Bank"_s), 49, true, true, false},
        {"ProtectionOn", 0, u"Password Corvalen\t\t\t\tKey1\t "_s, 2, Messages::DeleteProtection(), 49, true, true,
         true},
        {"ProtectionOff", 0, u"Password Corvalen\t\t\t\tKey1\t "_s, 0, QString(), 0, false, true, false},
    };
    for (const auto& [name, selected, item, mode, message, flags, asks, deletes, ends] : rows) {
        const DeleteEntry::Plan plan = DeleteEntry::Decide(selected, item, qint16(mode));
        EXPECT_EQ(std::tuple(plan.message, plan.flags, plan.asks, plan.deletes, plan.endsProtection),
                  std::tuple(message, flags, asks, deletes, ends))
            << name;
    }
    EXPECT_EQ(std::pair(DeleteEntry::SelectionAfter(3, true), DeleteEntry::SelectionAfter(3, false)), std::pair(2, 3));
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

TEST(Merge, NamesAlreadyTakenAreLeftOutTheProgramPasswordComesApartAndALineWithoutBarsStopsEverything)
{
    // The medium's lines; the items added, whether the file is invalid, the names left out and the medium's
    // program password, for the user to decide on.
    const std::pair<const char*, const char*> cases[] = {
        {"Bank|changed|other;Shop|sh0p|x|y;Tab|p\tw|;bank|lower|;Password Corvalen|Key1| ;Old|s3cret;Twice|1|;Twice|2|",
         "Shop\t\t\t\tsh0p\tx|y;bank\t\t\t\tlower\t;Old\t\t\t\ts3cret\t ;Twice\t\t\t\t1\t / 0 Bank Tab Twice / "
         "Password Corvalen\t\t\t\tKey1\t "},
        {"New|a|;Password Corvalen|x2| ;garbage;Late|l|", " / 1 / "},
    };
    for (const auto& [lines, expected] : cases) {
        const Merge::Plan plan = Merge::MergeLines({u"Bank\t\t\t\tb4nk\tme"_s}, split(lines));
        QString found = joined(plan.items) + u" / "_s + QString::number(plan.invalid);
        for (const Merge::Notice& notice : plan.notices)
            found += u' ' + notice.name;
        EXPECT_EQ(found + u" / "_s + plan.controlItem, QString::fromUtf8(expected));
    }
}

TEST(EntryList, OrderIgnoresCaseAndAccentsThenGoesByTheNameThenTheRestAndTheControlRecordIsTheFirstOfItsName)
{
    EntryList list;
    for (const QString& item :
         split("bank\t\t\t\tp\t;Bank\t\t\t\tq\t;Bank\t\t\t\tP\t;Zoo\t\t\t\tp\t;Café\t\t\t\ta\t;"
               "apple\t\t\t\tp\t;Cafe\t\t\t\tz\t;Ärzte\t\t\t\tp\t;Password Corvalen Extra\t\t\t\tp\t;"
               "Password Corvalen\t\t\t\tB2\t ;Password Corvalen\t\t\t\ta1\t "))
        list.add(item);
    EXPECT_EQ(joined(list.items()),
              u"apple\t\t\t\tp\t;Ärzte\t\t\t\tp\t;Bank\t\t\t\tP\t;bank\t\t\t\tp\t;Bank\t\t\t\tq\t;"
              u"Cafe\t\t\t\tz\t;Café\t\t\t\ta\t;Password Corvalen\t\t\t\ta1\t ;Password Corvalen\t\t\t\tB2\t ;"
              u"Password Corvalen Extra\t\t\t\tp\t;Zoo\t\t\t\tp\t"_s);
    // The control record, prefixes ignoring case and accents, exact texts, and names taken (an entry starts with
    // them, ignoring case).
    EXPECT_EQ((std::vector{list.controlRecordIndex(), list.findPrefix(u"CAFÉ"_s), list.findPrefix(u"q"_s),
                           list.indexOf(u"Café\t\t\t\ta\t"_s), list.indexOf(u"Café\t\t\t\tq\t"_s),
                           int(list.NameExists(u"BANK"_s)), int(list.NameExists(u"Bank Two"_s))}),
              (std::vector{7, 5, -1, 6, -1, 1, 0}));
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
    const Texts items =
        split("Bank\t\t\t\tb4nk\tme|7;Password Corvalen\t\t\t\tSecret2\t ;Broken;password corvalen\t\t\t\tother2\t ");
    EXPECT_EQ(pagesText(PrintLayout::Layout(items, u"3/4/26"_s, m)),
              u"\n0! 0=Date Run: 3/4/26 9690=Password Corvalen - Password List;240!;"
              u"480! 0=Password Name 3400=Password User ID 5600=Password;"
              u"720 0=Bank 3400=me|7 5600=b4nk;920 0=Password Corvalen 3400= 5600=Secret\n"
              u"0 0=Broken 3400= 5600=;200 0=password corvalen 3400=  5600=other2"_s);
    m.printableWidth = 1500;
    EXPECT_EQ(PrintLayout::Layout({}, QString(), m)[0].rows[0].cells[1].x, 0) << "a title wider than the page";

    for (auto [time, text] : {std::pair{QTime(17, 5, 9), u"04.03.26 17:05:09"_s}, {QTime(0, 0), u"04.03.26"_s}})
        EXPECT_EQ(PrintLayout::GeneralDate(QDateTime(QDate(2026, 3, 4), time), QLocale(u"de_DE"_s)), text);
}

TEST(ErrorLogRecord, OneQuotedLineOfSevenFieldsWithItsLineBreaksAsBlanksAndTheTextsTrimmed)
{
    const QString error = u" Error has Occurred: the \"A:\" drive\r\nis\nempty\r-71  "_s;
    const ErrorLogRecord record{
        2, QDateTime(QDate(2026, 3, 4), QTime(7, 5, 9)), error, u" ExportList "_s, u" Version 1.0.53"_s, 410};
    EXPECT_EQ(record.line(), QByteArray("\"NT|03-04-2026|07:05:09|Error has Occurred: the \"A:\" drive is empty -71|"
                                        "ExportList| Version 1.0.53|410\"\r\n"));
}

TEST(TileGrid, RowsOverlapByOnePixelAndColumnsTouch)
{
    // Window, tile; the columns and rows where tiles go, and whether none does.
    const std::tuple<QSize, QSize, std::vector<int>, std::vector<int>, bool> cases[] = {
        {{200, 178}, {95, 89}, {0, 95, 190}, {0, 88, 176}, false},
        {{3, 2}, {2, 1}, {0, 2}, {0, 1, 2}, false}, // a tile one pixel high still advances
        {{200, 178}, {0, 89}, {}, {}, true},
    };
    for (const auto& [window, tile, columns, rows, empty] : cases) {
        const TileGrid grid(window, tile);
        EXPECT_EQ(std::tuple(grid.columns(), grid.rows(), grid.isEmpty()), std::tuple(columns, rows, empty));
    }
}

} // namespace
