#include "support/Fixtures.h"

#include "core/PasswordFile.h"
#include "core/PrintLayout.h"
#include "frame/SMGLOBAL.h"
#include "ui/Ancillary.h"
#include "ui/Mainform.h"

#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>

namespace {

using PrintLayout::Page;
using PrintLayout::Row;

// Round numbers stand in for a printer: every character of the printer's font is 100 twips wide, of the
// list's font 60 (70 with the emphasis); a line is 200 twips high (240 with the emphasis).
PrintLayout::Metrics fakeMetrics(double width = 12000, double height = 20000)
{
    PrintLayout::Metrics m;
    m.baseWidth = [](const QString& t) { return 100.0 * t.size(); };
    m.width = [](const QString& t, bool emphasis) { return (emphasis ? 70.0 : 60.0) * t.size(); };
    m.lineHeight = [](bool emphasis) { return emphasis ? 240.0 : 200.0; };
    m.printableWidth = width;
    m.printableHeight = height;
    return m;
}

QStringList textsOf(const Row& row)
{
    QStringList out;
    for (const PrintLayout::Cell& cell : row.cells)
        out << cell.text;
    return out;
}

std::vector<int> xsOf(const Row& row)
{
    std::vector<int> out;
    for (const PrintLayout::Cell& cell : row.cells)
        out.push_back(cell.x);
    return out;
}

const QString kDate = QStringLiteral("3/4/26 5:05:09 PM");

TEST(PrintLayoutTest, AnEmptyListPrintsTheDateTitleBlankRowAndHeadings)
{
    const std::vector<Page> pages = PrintLayout::Layout({}, kDate, fakeMetrics());
    ASSERT_EQ(pages.size(), 1u);
    const std::vector<Row>& rows = pages[0].rows;
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(textsOf(rows[0]), (QStringList{QStringLiteral("Date Run: 3/4/26 5:05:09 PM"),
                                             QStringLiteral("Password Corvalen - Password List")}));
    EXPECT_EQ(xsOf(rows[0]), (std::vector<int>{0, 12000 - 70 * 33}));
    EXPECT_TRUE(rows[1].cells.empty());
    EXPECT_EQ(textsOf(rows[2]), (QStringList{QStringLiteral("Password Name"), QStringLiteral("Password User ID"),
                                             QStringLiteral("Password")}));
    for (const Row& row : rows)
        EXPECT_TRUE(row.emphasis);
    EXPECT_EQ(rows[0].y, 0);
    EXPECT_EQ(rows[1].y, 240);
    EXPECT_EQ(rows[2].y, 480);
}

TEST(PrintLayoutTest, ColumnsComeFromTheSampleTextsInThePrintersFontAlone)
{
    const std::vector<QString> items = {
        QStringLiteral("A name much wider than the sample name for its column\t\t\t\tpw\tid")};
    const std::vector<Page> pages = PrintLayout::Layout(items, kDate, fakeMetrics());
    const std::vector<int> columns = {0, 100 * 34, 100 * 34 + 100 * 22};
    EXPECT_EQ(xsOf(pages[0].rows[2]), columns);
    EXPECT_EQ(xsOf(pages[0].rows[3]), columns) << "a long name overlaps the next column";
    EXPECT_EQ(PrintLayout::Layout({}, kDate, fakeMetrics(1500))[0].rows[0].cells[1].x, 0)
        << "a title wider than the page starts at its left edge";
}

TEST(PrintLayoutTest, EntriesFollowInListOrderWithoutEmphasisNameUserIdPassword)
{
    const std::vector<QString> items = {QStringLiteral("Bank\t\t\t\tb4nk\tme"), QStringLiteral("Mail\t\t\t\t\t"),
                                        QStringLiteral("Shop\t\t\t\tsh0p\t")};
    const std::vector<Page> pages = PrintLayout::Layout(items, kDate, fakeMetrics());
    const std::vector<Row>& rows = pages[0].rows;
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(textsOf(rows[3]), (QStringList{QStringLiteral("Bank"), QStringLiteral("me"), QStringLiteral("b4nk")}));
    EXPECT_EQ(textsOf(rows[4]), (QStringList{QStringLiteral("Mail"), QString(), QString()}));
    EXPECT_EQ(textsOf(rows[5]), (QStringList{QStringLiteral("Shop"), QString(), QStringLiteral("sh0p")}));
    EXPECT_EQ(xsOf(rows[4]), xsOf(rows[3])); // empty cells move nothing
    EXPECT_EQ(rows[5].y, 1120);
    for (size_t i = 3; i < rows.size(); ++i)
        EXPECT_FALSE(rows[i].emphasis);
}

TEST(PrintLayoutTest, ControlRecordPrintsItsPasswordWithoutTheModeDigitAndNoUserId)
{
    const std::vector<Row> rows =
        PrintLayout::Layout({QStringLiteral("Password Corvalen\t\t\t\tSecret2\t ")}, kDate, fakeMetrics())[0].rows;
    EXPECT_EQ(textsOf(rows[3]),
              (QStringList{QStringLiteral("Password Corvalen"), QString(), QStringLiteral("Secret")}));
    // Only the exact name is the control record.
    const std::vector<Row> other =
        PrintLayout::Layout({QStringLiteral("password corvalen\t\t\t\tSecret2\t ")}, kDate, fakeMetrics())[0].rows;
    EXPECT_EQ(textsOf(other[3]),
              (QStringList{QStringLiteral("password corvalen"), QStringLiteral(" "), QStringLiteral("Secret2")}));
}

TEST(PrintLayoutTest, RowsThatDoNotFitStartTheNextPageWholeWithoutRepeatingTheHeader)
{
    // 720 twips of header, then rows of 200: rows at 720 and 920 fit a 1200-twip page, the third does not.
    std::vector<QString> items;
    for (int i = 0; i < 8; ++i)
        items.push_back(QStringLiteral("Entry%1\t\t\t\tpw\tid").arg(i));
    const std::vector<Page> pages = PrintLayout::Layout(items, kDate, fakeMetrics(12000, 1200));
    ASSERT_EQ(pages.size(), 2u);
    ASSERT_EQ(pages[0].rows.size(), 5u);
    ASSERT_EQ(pages[1].rows.size(), 6u);
    EXPECT_EQ(pages[1].rows[0].y, 0);
    EXPECT_EQ(pages[1].rows[5].y, 1000);
    EXPECT_EQ(textsOf(pages[1].rows[0]).first(), QStringLiteral("Entry2"));
    for (const Row& row : pages[1].rows)
        EXPECT_FALSE(row.emphasis);
}

TEST(PrintLayoutTest, GeneralDateIsTheLocalesShortDateAndTimeWithoutZone)
{
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    const QLocale de(QLocale::German, QLocale::Germany);
    const QDateTime when(QDate(2026, 3, 4), QTime(17, 5, 9));
    // Newer locale data puts a narrow no-break space before the day period.
    EXPECT_EQ(PrintLayout::GeneralDate(when, us).replace(QChar(0x202f), QLatin1Char(' ')),
              QStringLiteral("3/4/26 5:05:09 PM"));
    EXPECT_EQ(PrintLayout::GeneralDate(when, de), QStringLiteral("04.03.26 17:05:09"));
    EXPECT_EQ(PrintLayout::GeneralDate(QDateTime(QDate(2026, 3, 4), QTime(0, 0)), de), QStringLiteral("04.03.26"));
}

// --- Printing from the ancillary window

class PrintListTest : public CorvalenTest
{
protected:
    void SetUp() override
    {
        CorvalenTest::SetUp();
        writePlainFile({QStringLiteral("Shop|sh0p|buyer"), QStringLiteral("Password Corvalen|Secret1| "),
                        QStringLiteral("Bank|b4nk|me")});
        main = std::make_unique<Mainform>();
        main->LoadPasswords(QStringLiteral("Load"));
        window = std::make_unique<Ancillary>(*main);
        p->messages.clear();
    }
    void TearDown() override
    {
        window.reset();
        main.reset();
        CorvalenTest::TearDown();
    }
    // The default printer writes a PDF file here.
    void pdfPrinterTo(const QString& path)
    {
        p->printer = [this, path] {
            ++printersMade;
            auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(path);
            return printer;
        };
    }

    QTemporaryDir out;
    int printersMade = 0;
    std::unique_ptr<Mainform> main;
    std::unique_ptr<Ancillary> window;
};

TEST_F(PrintListTest, CancelNoPrinterOrAFailingPrinterPrintNothingAndClaimNothing)
{
    p->answers = {vbCancel};
    window->PrintList();
    ASSERT_EQ(p->messages.size(), 1u);
    EXPECT_EQ(p->messages[0].prompt, QStringLiteral("Your password list will be sent to the current default "
                                                    "printer.  Select Cancel to Stop, OK to Continue."));
    EXPECT_EQ(p->messages[0].flags, 65);

    window->PrintList();
    EXPECT_TRUE(p->messages.back().prompt.contains(QStringLiteral("No printer is installed")));
    EXPECT_EQ(p->messages.back().flags, 48);

    pdfPrinterTo(out.filePath(QStringLiteral("missing-folder/list.pdf")));
    window->PrintList();
    EXPECT_TRUE(p->messages.back().prompt.contains(QStringLiteral("could not be printed")));
    EXPECT_EQ(p->messages.size(), 5u);
    EXPECT_FALSE(prompts().contains(QStringLiteral("Printing Completed")));
}

TEST_F(PrintListTest, PrintsTheListAsATableOnThePrinter)
{
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        GTEST_SKIP() << "pdftotext is not installed";
    const QString pdf = out.filePath(QStringLiteral("list.pdf"));
    pdfPrinterTo(pdf);
    window->PrintList();
    ASSERT_EQ(p->messages.size(), 2u);
    EXPECT_EQ(p->messages[1].prompt, QStringLiteral("Printing Completed"));
    EXPECT_EQ(p->messages[1].flags, 0);

    QProcess reader;
    reader.start(pdftotext, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(reader.waitForFinished(30000));
    QStringList lines;
    for (const QString& line : QString::fromUtf8(reader.readAllStandardOutput()).split(QLatin1Char('\n'))) {
        if (!line.trimmed().isEmpty())
            lines << line.simplified();
    }
    const QString date = PrintLayout::GeneralDate(p->clock, QLocale::system());
    ASSERT_EQ(lines.size(), 5) << lines.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(
        lines[0],
        (QStringLiteral("Date Run: ") + date + QStringLiteral(" Password Corvalen - Password List")).simplified());
    EXPECT_EQ(lines[1], QStringLiteral("Password Name Password User ID Password"));
    EXPECT_EQ(lines[2], QStringLiteral("Bank me b4nk"));
    EXPECT_EQ(lines[3], QStringLiteral("Password Corvalen Secret"));
    EXPECT_EQ(lines[4], QStringLiteral("Shop buyer sh0p"));
}

} // namespace
