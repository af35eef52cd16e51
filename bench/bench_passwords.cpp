// Load, store, an edit round trip and an added entry on large password files, through the program's
// own procedures, timed against `sort -f` of a plain file of the same size: a sorted load can hardly
// beat one pass of sort.
#include "ScriptedPlatform.h"
#include "core/FileWriter.h"
#include "core/PasswordFile.h"
#include "frame/ListBox.h"
#include "frame/SMGLOBAL.h"
#include "ui/Mainform.h"
#include "ui/Passedit.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

// The tests' platform double: every message box answered with OK, no window ever blocks.
ScriptedPlatform* gPlatform = nullptr;
Mainform* gForm = nullptr;

QString randomWord(std::mt19937& random, int minLength, int maxLength, const char* alphabet)
{
    const int alphabetSize = int(std::char_traits<char>::length(alphabet));
    const int length = std::uniform_int_distribution<int>(minLength, maxLength)(random);
    QString word;
    for (int i = 0; i < length; ++i)
        word += QLatin1Char(alphabet[std::uniform_int_distribution<int>(0, alphabetSize - 1)(random)]);
    return word;
}

// Plain lines as users have them: names of mixed case, passwords of every printable kind, mostly
// with a user ID, and the control record among them.
std::vector<QString> makePlainLines(int count)
{
    std::mt19937 random(20260304u + unsigned(count));
    const char* letters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    const char* printable = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789!#$%&*+-=?@^_~";
    std::vector<QString> lines;
    lines.reserve(size_t(count));
    lines.push_back(
        PasswordFile::PlainLine(QStringLiteral("Password Corvalen"), QStringLiteral("secret0"), QStringLiteral(" ")));
    for (int i = 1; i < count; ++i) {
        const QString name = randomWord(random, 4, 14, letters) + QLatin1Char(' ') + QString::number(i);
        const QString password = randomWord(random, 8, 16, printable);
        const QString userId =
            i % 10 == 0 ? QString() : randomWord(random, 3, 10, letters) + QStringLiteral("@example.org");
        lines.push_back(PasswordFile::PlainLine(name, password, userId));
    }
    return lines;
}

// One folder per size, holding the enciphered file and the same lines in plain text for sort.
struct Corpus
{
    std::unique_ptr<QTemporaryDir> dir;
    QString plainPath;
    double sortMs = 0;
};
std::map<int, Corpus> gCorpora;

double timeSortMs(const QString& plainPath)
{
    // Read, sort ignoring case, write: the same work a load or a store does, by a tool that uses both cores.
    const std::string path = plainPath.toStdString();
    const std::string command = "LC_ALL=C sort -f '" + path + "' -o '" + path + ".sorted'";
    std::vector<double> times;
    for (int round = 0; round < 5; ++round) {
        const auto start = std::chrono::steady_clock::now();
        if (std::system(command.c_str()) != 0)
            return 0;
        const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        times.push_back(took.count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

Corpus& corpus(int count)
{
    auto found = gCorpora.find(count);
    if (found != gCorpora.end())
        return found->second;
    Corpus c;
    c.dir = std::make_unique<QTemporaryDir>();
    const std::vector<QString> lines = makePlainLines(count);
    FileWriter().Write(c.dir->filePath(PasswordFile::kFileName), PasswordFile::Content(lines));
    c.plainPath = c.dir->filePath(QStringLiteral("plain.txt"));
    QFile plain(c.plainPath);
    if (plain.open(QIODevice::WriteOnly)) {
        for (const QString& line : lines)
            plain.write(line.toUtf8() + '\n');
        plain.close();
    }
    c.sortMs = timeSortMs(c.plainPath);
    return gCorpora.emplace(count, std::move(c)).first->second;
}

// Another folder is another program's: its password file has an owner of its own, as in a new run.
void useCorpus(int count)
{
    gPlatform->programDirPath = corpus(count).dir->path();
    ResetGlobals();
}

void BM_Load(benchmark::State& state)
{
    const int count = int(state.range(0));
    useCorpus(count);
    for (auto _ : state)
        gForm->LoadPasswords(QStringLiteral("Normal"));
    if (gForm->List1->ListCount() != count)
        state.SkipWithError("the load did not give every entry");
}

void BM_Store(benchmark::State& state)
{
    const int count = int(state.range(0));
    useCorpus(count);
    gForm->LoadPasswords(QStringLiteral("Normal"));
    for (auto _ : state) {
        if (!gForm->StorePasswords())
            state.SkipWithError("the store failed");
    }
}

// One edit round trip, as every change makes it: the whole list stored, then loaded again.
void BM_Edit(benchmark::State& state)
{
    const int count = int(state.range(0));
    useCorpus(count);
    gForm->LoadPasswords(QStringLiteral("Normal"));
    for (auto _ : state) {
        if (!gForm->StorePasswords())
            state.SkipWithError("the store failed");
        gForm->LoadPasswords(QStringLiteral("Normal"));
    }
}

// A new entry typed into the editor and saved: inserted, stored, and the list read back.
void BM_AddThroughEditor(benchmark::State& state)
{
    const int count = int(state.range(0));
    useCorpus(count);
    gForm->LoadPasswords(QStringLiteral("Normal"));
    static int serial = 0; // names stay new across the runs the library makes
    for (auto _ : state) {
        Passedit editor(*gForm);
        editor.BeginAdd();
        // Of equal length, so that no new name is the beginning of another.
        editor.Text1[0]->setText(QStringLiteral("Added %1").arg(++serial, 7, 10, QLatin1Char('0')));
        editor.Text1[1]->setText(QStringLiteral("password"));
        editor.Command1_Click(0);
        if (editor.result() != QDialog::Accepted)
            state.SkipWithError("the editor did not save");
    }
}

constexpr int kRepetitions = 3;
BENCHMARK(BM_Load)
    ->Name("load")
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(kRepetitions);
BENCHMARK(BM_Store)
    ->Name("store")
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(kRepetitions);
BENCHMARK(BM_Edit)
    ->Name("edit")
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(kRepetitions);
BENCHMARK(BM_AddThroughEditor)->Name("add")->Arg(100000)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions);

// Prints the usual table and keeps each result for the summary.
class SummaryReporter : public benchmark::ConsoleReporter
{
public:
    struct Result
    {
        std::string name;
        double ms;
    };
    std::vector<Result> results;

    void ReportRuns(const std::vector<Run>& report) override
    {
        ConsoleReporter::ReportRuns(report);
        // The median of the repetitions stands for each figure.
        for (const Run& run : report) {
            if (run.run_type != Run::RT_Aggregate || run.aggregate_name != "median" || run.error_occurred)
                continue;
            const std::string name = run.run_name.function_name + "/" + run.run_name.args;
            results.push_back({name, run.GetAdjustedRealTime()});
        }
    }
};

void printSummary(const std::vector<SummaryReporter::Result>& results)
{
    std::printf("\n");
    // The editor's figure first; the ratios to sort come last, one line per figure and size.
    for (const SummaryReporter::Result& r : results) {
        if (r.name.rfind("add/", 0) == 0)
            std::printf("add through the editor, %s entries: %.3g ms (target: at most 500 ms)\n", r.name.c_str() + 4,
                        r.ms);
    }
    for (const SummaryReporter::Result& r : results) {
        if (r.name.rfind("add/", 0) == 0)
            continue;
        const size_t slash = r.name.find('/');
        const std::string what = r.name.substr(0, slash);
        const int count = slash == std::string::npos ? 0 : std::atoi(r.name.c_str() + slash + 1);
        const auto found = gCorpora.find(count);
        const double sortMs = found == gCorpora.end() ? 0 : found->second.sortMs;
        if (sortMs > 0)
            std::printf("%s %d: %.1f ms = %.2f x sort -f\n", what.c_str(), count, r.ms, r.ms / sortMs);
        else
            std::printf("%s %d: %.1f ms\n", what.c_str(), count, r.ms);
    }
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;

    ScriptedPlatform platform;
    gPlatform = &platform;
    platform.install();
    ResetGlobals();
    auto form = std::make_unique<Mainform>();
    gForm = form.get();

    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    printSummary(reporter.results);

    form.reset();
    gCorpora.clear();
    SetPlatform({});
    return 0;
}
