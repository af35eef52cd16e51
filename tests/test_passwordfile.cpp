// The password file's bytes: writing, reading, loading for the list, storing and converting, and the file
// operations behind them.
#include "core/FileOps.h"
#include "core/ListItem.h"
#include "core/PasswordFile.h"
#include "core/PasswordStore.h"
#include "support/FailingWriter.h"
#include "support/Texts.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;

// What a load found: its list items' names in list order; whether it is corrupted, of the earlier layout and has
// a control record (1 or 0 each); and the control record's password and mode.
QString summary(const PasswordFile::Loaded& loaded)
{
    QStringList items;
    for (const EntryList::Row& row : loaded.rows)
        items << ListItem::NameOf(row.text);
    const PasswordFile::Scan& scan = loaded.scan;
    return items.join(u';') + QString::asprintf(" / %d%d%d ", loaded.corrupted, scan.earlierLayout, scan.controlFound) +
           scan.programPassword + QString::asprintf(" %d", scan.mode);
}

TEST(PasswordFile, EntriesInEveryScriptComeBackAsWrittenAndOldEightBitLinesAndEveryLineEndAreRead)
{
    const Texts lines =
        split("Пароль|секрет|;Work|w0rk|dept|7;東京|パス|ユーザー;Café Zürich|naïve|böb;Ωmega|p|x;\uFEFFBom|b|");
    // Enciphered UTF-8, CR LF after each line.
    EXPECT_EQ(PasswordFile::Content({u"Café Zürich|x|"_s}).toHex(), "ae350324f1beb3c8efa2063ec2a431fa0d0a");
    EXPECT_EQ(PasswordFile::PlainLines(PasswordFile::Content(lines)), lines);
    // Windows-1252, where 0x80 to 0x9F are letters and signs: "€Šœ".
    const QByteArray latin1 = crypt("Caf\xe9|p\x80\x8a\x9cw|m\xe9");
    const QByteArray zoo = crypt("Zoo|z|");
    for (const QByteArray& content : {latin1 + "\r" + zoo, "\r\n\n" + latin1 + "\n\n\r" + zoo + "\r\n\r\n"})
        EXPECT_EQ(joined(PasswordFile::PlainLines(content)), u"Café|p€Šœw|mé;Zoo|z|"_s);
}

// Every file is loaded on one thread and, cut in two, on two: both must give the same.
TEST(PasswordFile, LoadFindsTheLastControlRecordAndStopsAtACorruptedLine)
{
    const std::pair<const char*, const char*> cases[] = {
        {"Password Corvalen|a1| ;Bank|b|;Password Corvalen|b2| ", "Bank;Password Corvalen;Password Corvalen / 001 b 2"},
        {"password corvalen|x2| ;Password Corvalen 2|y1| ", "password corvalen;Password Corvalen 2 / 000 not found 0"},
        {"Password Corvalen|abc| ", "Password Corvalen / 001 ab 0"},
        {"Zed|z|;Password Corvalen|k1| ;Old|pw;Password Corvalen|late2| ",
         "Old;Password Corvalen;Password Corvalen;Zed / 011 k 1"},
        {"Old|pw;Zed|z|;Password Corvalen|late2| ", "Old;Password Corvalen;Zed / 010 not found 0"},
        {"Zeta|z|;Alpha|a|;Mid|m|;garbage;Beta|b|", "Alpha;Mid;Zeta / 110 not found 0"},
    };
    for (const auto& [lines, found] : cases)
        for (qsizetype splitAbove : {PasswordFile::kSplitAbove, qsizetype(1)})
            EXPECT_EQ(summary(PasswordFile::Load(PasswordFile::Content(split(lines)), splitAbove)),
                      QString::fromUtf8(found))
                << lines << ", split above " << splitAbove;
}

// The name refused is the one last taken from an item: "Bank" for the item after it that has no tab. A
// conversion orders as the list items the earlier program made: all after the name as the password.
TEST(PasswordFile, StoreNamesWhatCannotBeStoredAndConversionAddsABlankUserIdInListOrderAndStopsAtACorruptLine)
{
    const PasswordFile::Stored stored =
        PasswordFile::StoreItems(split("Broken;Bank\t\t\t\tb4nk\tme;Broken;Half\t\t\t\tno tab after;"
                                       "Cr\t\t\t\tp\r\tu;Lf\t\t\t\tp\tu\n;Mail\t\t\t\t\t"));
    EXPECT_EQ(std::pair(stored.content, joined(stored.refusedNames)),
              std::pair(PasswordFile::Content(split("Bank|b4nk|me;Mail||")), u";Bank;Half;Cr;Lf"_s));
    const PasswordFile::Converted converted =
        PasswordFile::ConvertLines(split("Shop|s|h0p;bank|2;Bank|b4nk;BANK|x|y;Password Corvalen|old1"));
    EXPECT_EQ(std::pair(joined(converted.plainLines), converted.corruptLine),
              std::pair(u"bank|2| ;Bank|b4nk| ;BANK|x|y;Password Corvalen|old1| ;Shop|s|h0p"_s, -1));
    EXPECT_EQ(PasswordFile::ConvertLines(split("Alpha|a;garbage;Zeta|z")).corruptLine, 1);
}

TEST(FileOps, NamesIgnoreLetterCaseAndHiddenFilesAreListed)
{
    QTemporaryDir dir;
    FileWriter writer;
    PasswordStore store(dir.path(), writer);
    const QString path = dir.filePath(u"PASSWORD.DAT"_s);
    EXPECT_EQ(store.path(), dir.filePath(u"Password.dat"_s));
    writer.Write(path, "kept");
    // An existing file is the user's and is left as it is; it is found in its own letter case.
    store.CreateEmpty();
    EXPECT_EQ(std::tuple(store.path(), store.Read(), FileOps::IsHidden(path)),
              std::tuple(path, QByteArray("kept"), false));
    const QString list = dir.filePath(u".hidden"_s);
    writer.Write(list, "notes.txt\r\nPASSWORD.DAT\r");
    EXPECT_TRUE(FileOps::IsHidden(path));
    FileOps::SetAttr(path, FileOps::kAttrNormal, writer);
    EXPECT_EQ(std::pair(FileOps::IsHidden(path), FileOps::ReadAll(list)), std::pair(false, QByteArray("notes.txt\n")));
}

// Every write of the program takes one of two paths: an unnamed temporary file, or a named one where the file
// system has none (FAT media). On both, a write that fails part way keeps the old file and leaves nothing behind.
TEST(FileWriter, AWriteThatFailsPartWayKeepsTheOldFileAndLeavesNothingOnEitherPath)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Password.dat"_s);
    for (const bool unnamed : {true, false}) {
        FailingWriter writer;
        writer.unnamed = unnamed;
        writer.Write(path, "kept");
        writer.failAfterBytes(10);
        EXPECT_EQ(errorText([&] { writer.Write(path, QByteArray(100, 'x')); }), u"Error has Occurred: Disk full-61"_s);
        EXPECT_EQ(writer.written, 14);
        EXPECT_EQ(FileOps::ReadAll(path), QByteArray("kept"));
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"Password.dat"_s});
        EXPECT_EQ(int(QFile::permissions(path) & 0x0777), 0x0600) << "written for its owner only";
    }
}

} // namespace
