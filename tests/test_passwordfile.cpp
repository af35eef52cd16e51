// The password file's bytes: writing, reading, loading for the list, storing and converting, and the file
// operations behind them.
#include "core/FileOps.h"
#include "core/ListItem.h"
#include "core/PasswordFile.h"
#include "core/RunError.h"
#include "support/Texts.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace {

using namespace Qt::StringLiterals;

// What a load found: its list items (or only their names) in list order; whether it is corrupted, of the
// earlier layout and has a control record (1 or 0 each); and the control record's password and mode.
QString summary(const PasswordFile::Loaded& loaded, bool namesOnly = true)
{
    QStringList items;
    for (const EntryList::Row& row : loaded.rows)
        items << (namesOnly ? ListItem::NameOf(row.text) : row.text);
    const PasswordFile::Scan& scan = loaded.scan;
    return items.join(u';') + QString::asprintf(" / %d%d%d ", loaded.corrupted, scan.earlierLayout, scan.controlFound) +
           scan.programPassword + QString::asprintf(" %d", scan.mode);
}

template <class Call> int errorOf(Call&& call)
{
    try {
        return call(), 0;
    } catch (const RunError& error) {
        return error.number();
    }
}

TEST(PasswordFile, EntriesInEveryScriptComeBackAsWritten)
{
    const Texts lines =
        split("Пароль|секрет|;Work|w0rk|dept|7;東京|パス|ユーザー;Café Zürich|naïve|böb;Ωmega|p|x;\uFEFFBom|b|");
    const QByteArray content = PasswordFile::Content(lines);
    // Enciphered UTF-8, CR LF after each line.
    EXPECT_EQ(PasswordFile::Content({u"Café Zürich|x|"_s}).toHex(), "ae350324f1beb3c8efa2063ec2a431fa0d0a");
    EXPECT_EQ(PasswordFile::PlainLines(content), lines);
    EXPECT_EQ(summary(PasswordFile::Load(content), false),
              u"Café Zürich\t\t\t\tnaïve\tböb;Work\t\t\t\tw0rk\tdept|7;Ωmega\t\t\t\tp\tx;"
              u"Пароль\t\t\t\tсекрет\t;東京\t\t\t\tパス\tユーザー;\uFEFFBom\t\t\t\tb\t / 000 not found 0"_s);
}

TEST(PasswordFile, OldEightBitLinesEveryLineEndAndBlankLinesAreRead)
{
    const QByteArray latin1 = crypt("Caf\xe9|pw|m\xe9");
    const QByteArray zoo = crypt("Zoo|z|");
    for (const QByteArray& content :
         {latin1 + "\r\n" + zoo + "\r\n", latin1 + "\n" + zoo, latin1 + "\r\n" + zoo + "\r", latin1 + "\r" + zoo,
          latin1 + "\r\r\n" + zoo, "\r\n\n" + latin1 + "\n\n\r" + zoo + "\r\n\r\n"})
        EXPECT_EQ(joined(PasswordFile::PlainLines(content)) + u" = "_s + summary(PasswordFile::Load(content), false),
                  u"Café|pw|mé;Zoo|z| = Café\t\t\t\tpw\tmé;Zoo\t\t\t\tz\t / 000 not found 0"_s);
}

// Every file is loaded on one thread and, cut in two, on two: both must give the same.
TEST(PasswordFile, LoadFindsTheLastControlRecordAndStopsAtACorruptedLine)
{
    const std::pair<const char*, const char*> cases[] = {
        {"", " / 000 not found 0"},
        {"Password Corvalen|first1| ;Bank|b|;Password Corvalen|second2| ",
         "Bank;Password Corvalen;Password Corvalen / 001 second 2"},
        {"password corvalen|x2| ;Password Corvalen Two|y1| ",
         "password corvalen;Password Corvalen Two / 000 not found 0"},
        {"Password Corvalen|Пароль3| ", "Password Corvalen / 001 Пароль 3"},
        {"Password Corvalen|abc| ", "Password Corvalen / 001 ab 0"},
        {"Password Corvalen|| ", "Password Corvalen / 001  0"},
        {"Zed|z|;Password Corvalen|k1| ;Old|pw;Password Corvalen|late2| ",
         "Old;Password Corvalen;Password Corvalen;Zed / 011 k 1"},
        {"Old|pw;Zed|z|;Password Corvalen|late2| ", "Old;Password Corvalen;Zed / 010 not found 0"},
        {"Zeta|z|;Alpha|a|;garbage;Beta|b|", "Alpha;Zeta / 110 not found 0"},
        {"Zeta|z|;Alpha|a|;Mid|m|;garbage;Beta|b|", "Alpha;Mid;Zeta / 110 not found 0"},
    };
    for (const auto& [lines, found] : cases)
        for (qsizetype splitAbove : {PasswordFile::kSplitAbove, qsizetype(1)})
            EXPECT_EQ(summary(PasswordFile::Load(PasswordFile::Content(split(lines)), splitAbove)),
                      QString::fromUtf8(found))
                << lines << ", split above " << splitAbove;
}

TEST(PasswordFile, StoreWritesWhatCanBeStoredAndNamesWhatCannot)
{
    // Items, the lines stored, and the names refused: the name last taken from an item, so "Bank" for the
    // item without any tab.
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"Bank\t\t\t\tb4nk\tme;Broken;Half\t\t\t\tno tab after;Mail\t\t\t\t\t", "Bank|b4nk|me;Mail||", "Bank;Half"},
        {"Broken;Cr\t\t\t\tp\r\tu;Lf\t\t\t\tp\tu\n;Tab\t\r\t\t\tp\tu", "", ";Cr;Lf;Tab"},
        {"Café\t\t\t\tpäss\tü;Work\t\t\t\tw\tdept|7", "Café|päss|ü;Work|w|dept|7", ""},
    };
    for (const auto& [items, lines, refused] : cases) {
        const PasswordFile::Stored stored = PasswordFile::StoreItems(split(items));
        EXPECT_EQ(std::pair(stored.content, joined(stored.refusedNames)),
                  std::pair(PasswordFile::Content(split(lines)), QString::fromUtf8(refused)));
    }
    int calls = 0;
    PasswordFile::StoreItems(Texts(2999, u"a\t\t\t\tb\tc"_s), [&] { ++calls; });
    EXPECT_EQ(calls, 2) << "after every thousand items";
}

TEST(PasswordFile, ConversionAddsABlankUserIdInListOrderAndStopsAtACorruptLine)
{
    const std::pair<const char*, const char*> cases[] = {
        {"Shop|s|h0p;Bank|b4nk;Password Corvalen|old1", "Bank|b4nk| ;Password Corvalen|old1| ;Shop|s|h0p / -1"},
        {"bank|2;BANK|x|y;Bank|1", "Bank|1| ;bank|2| ;BANK|x|y / -1"},
        {"Alpha|a;garbage;Zeta|z", " / 1"},
    };
    for (const auto& [lines, expected] : cases) {
        const PasswordFile::Converted converted = PasswordFile::ConvertLines(split(lines));
        EXPECT_EQ(joined(converted.plainLines) + u" / "_s + QString::number(converted.corruptLine),
                  QString::fromUtf8(expected));
    }
}

TEST(FileOps, NamesIgnoreLetterCaseHiddenFilesAreListedAndAFailedWriteKeepsTheOldFileAndLeavesNothingBehind)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"PASSWORD.DAT"_s);
    EXPECT_EQ(PasswordFile::Path(dir.path()), dir.filePath(u"Password.dat"_s));
    EXPECT_EQ(errorOf([&] { FileOps::ReadAll(path); }), RunError::FileNotFound);
    EXPECT_EQ(errorOf([&] { FileOps::ReadAll(dir.path()); }), RunError::PathFileAccess);
    EXPECT_EQ(errorOf([&] { FileOps::SetAttr(path, FileOps::kAttrHidden); }), RunError::FileNotFound);
    EXPECT_FALSE(FileOps::IsHidden(path)) << "no list of hidden files yet";
    FileOps::CreateEmptyHidden(path);
    EXPECT_EQ(PasswordFile::Path(dir.path()), path);
    // Written for its owner only.
    EXPECT_EQ(std::tuple(FileOps::ReadAll(path), FileOps::IsHidden(path), int(QFile::permissions(path) & 0x0777)),
              std::tuple(QByteArray(), true, 0x0600));

    const QString list = dir.filePath(u".hidden"_s);
    FileOps::WriteAtomic(list, "notes.txt\r\nPASSWORD.DAT\r");
    FileOps::WriteAtomic(path, "kept");
    FileOps::CreateEmptyHidden(path);
    EXPECT_EQ(std::pair(FileOps::ReadAll(path), FileOps::IsHidden(path)), std::pair(QByteArray("kept"), true));
    FileOps::SetAttr(path, FileOps::kAttrNormal);
    EXPECT_FALSE(FileOps::IsHidden(path));
    EXPECT_EQ(FileOps::ReadAll(list), QByteArray("notes.txt\n"));

    // The system lets this process make no file larger than a few bytes, as a full disk would: the write fails
    // part way.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    const rlimit small{8, saved.rlim_max};
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const int number = errorOf([&] { FileOps::WriteAtomic(path, QByteArray(100, 'x')); });
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, handler);
    EXPECT_EQ(std::pair(number, FileOps::ReadAll(path)), std::pair(int(RunError::DiskFull), QByteArray("kept")));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), (QStringList{u".hidden"_s, u"PASSWORD.DAT"_s}));
}

} // namespace
