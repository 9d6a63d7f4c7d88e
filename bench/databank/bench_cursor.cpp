// SPDX-License-Identifier: GPL-3.0-or-later
// Synthetic remedy databanks of 10,000 and 100,000 records are written once into a
// temporary folder. Each size runs the pages' walk (find-first, then find-next while
// a record matched, reading the name of each) and, as the baseline, a hand-written
// case-insensitive prefix scan over the same names held in a plain list. A third case opens a databank
// of the program's size (450 records of some 2,800 characters) and stands on its first record. The ratios are
// printed at the end, with the goals they are held against.
#include "databank/Criterion.h"
#include "databank/RecordCursor.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <map>
#include <memory>

namespace {

const QString Source = QStringLiteral("Select * From Homeopathy Order by HomeoName");
const QString Prefix = QStringLiteral("acon"); // typed in small letters, stored capitalised

QTemporaryDir &folder()
{
    static QTemporaryDir dir;
    return dir;
}

// Names built from syllables, so that a four-letter beginning matches a few percent of
// the records, as a user's search does.
QString syntheticName(QRandomGenerator &random)
{
    static const char *const first[] = {"Acon", "Bell", "Bryo", "Calc", "Caus", "Cham", "Chin",
                                        "Ferr", "Gels", "Hepa", "Ipec", "Kali", "Lach", "Lyco",
                                        "Merc", "Natr", "Nux ", "Phos", "Puls", "Rhus", "Sepi",
                                        "Sili", "Sulp", "Thuj", "Verat"};
    static const char *const middle[] = {"ite", "adonna", "onia", "area", "ticum", "omilla",
                                         "um", "ia", "ensis", "ar", "ium", "esis"};
    QString name = QLatin1StringView(first[random.bounded(int(std::size(first)))]);
    name += QLatin1StringView(middle[random.bounded(int(std::size(middle)))]);
    name += u' ';
    name += QString::number(random.bounded(1000000));
    return name;
}

// `textLength` characters in every field but the name; the profile gets ten times as
// many, as in the real databank, where it is the longest field by far.
QString writeDatabank(int records, int textLength)
{
    const QString path = folder().filePath(QStringLiteral("Homeopathy%1.mdb").arg(records));
    const QStringList fields = RecordCursor::requiredFields(QStringLiteral("Homeopathy"));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("writer"));
        db.setDatabaseName(path);
        db.open();
        QStringList columns;
        QStringList marks;
        for (const QString &field : fields) {
            columns << field + QStringLiteral(" TEXT NOT NULL DEFAULT ''");
            marks << QStringLiteral("?");
        }
        QSqlQuery query(db);
        query.exec(QStringLiteral("CREATE TABLE Homeopathy (%1)").arg(columns.join(u',')));
        db.transaction();
        query.prepare(QStringLiteral("INSERT INTO Homeopathy VALUES (%1)").arg(marks.join(u',')));
        QRandomGenerator random(records);
        const QString text(textLength, u'x');
        const QString profile(textLength * 10, u'y');
        for (int i = 0; i < records; ++i) {
            query.addBindValue(syntheticName(random));
            for (qsizetype f = 1; f < fields.size(); ++f)
                query.addBindValue(fields[f] == u"Description" ? profile : text);
            query.exec();
        }
        db.commit();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("writer"));
    return path;
}

struct Bank {
    RecordCursor cursor;
    QStringList names; // the same names, in cursor order, for the baseline
};

// Held until main() ends, while the application object still exists: the cursors'
// SQL connections must go before it does.
std::map<int, std::unique_ptr<Bank>> g_banks;

Bank &bank(int records)
{
    auto &slot = g_banks[records];
    if (!slot) {
        slot = std::make_unique<Bank>();
        slot->cursor.open(writeDatabank(records, 8), Source);
        slot->cursor.moveFirst();
        do
            slot->names << *slot->cursor.fieldValue(QStringLiteral("HomeoName"));
        while (slot->cursor.position() + 1 < slot->cursor.size() && slot->cursor.moveNext());
    }
    return *slot;
}

void walk(benchmark::State &state)
{
    Bank &b = bank(int(state.range(0)));
    const QString criterion = Criterion::like(QStringLiteral("HomeoName"), Prefix);
    qsizetype found = 0;
    for (auto _ : state) {
        QStringList list;
        b.cursor.findFirst(criterion);
        while (!b.cursor.noMatch()) {
            list << u' ' + *b.cursor.fieldValue(QStringLiteral("HomeoName"));
            b.cursor.findNext(criterion);
        }
        found = list.size();
        benchmark::DoNotOptimize(list);
    }
    state.counters["matches"] = double(found);
}

void handScan(benchmark::State &state)
{
    const Bank &b = bank(int(state.range(0)));
    std::u32string folded;
    for (const QChar c : Prefix)
        folded.push_back(QChar::toCaseFolded(char32_t(c.unicode())));
    const qsizetype length = qsizetype(folded.size());
    qsizetype found = 0;
    for (auto _ : state) {
        QStringList list;
        for (const QString &name : b.names) {
            if (name.size() < length)
                continue;
            const QChar *c = name.constData();
            qsizetype i = 0;
            while (i < length && QChar::toCaseFolded(char32_t(c[i].unicode())) == folded[std::size_t(i)])
                ++i;
            if (i == length)
                list << u' ' + name;
        }
        found = list.size();
        benchmark::DoNotOptimize(list);
    }
    state.counters["matches"] = double(found);
}

void openSmall(benchmark::State &state)
{
    static const QString path = writeDatabank(450, 80);
    for (auto _ : state) {
        RecordCursor cursor;
        cursor.open(path, Source);
        benchmark::DoNotOptimize(cursor.fieldValue(QStringLiteral("HomeoName")));
    }
}

BENCHMARK(walk)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(handScan)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(openSmall)->Unit(benchmark::kMillisecond);

// Keeps each run's real and CPU time per iteration (in nanoseconds) for the ratios.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    struct Times {
        double real;
        double cpu;
    };
    std::map<std::string, Times> times;
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            // With repetitions the median stands for the run.
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median")
                continue;
            const double unit = run.time_unit == benchmark::kMillisecond ? 1e6
                : run.time_unit == benchmark::kMicrosecond                ? 1e3
                                                                          : 1.0;
            std::string name = run.run_name.function_name;
            if (!run.run_name.args.empty())
                name += '/' + run.run_name.args;
            times[name] = {run.GetAdjustedRealTime() * unit,
                                         run.GetAdjustedCPUTime() * unit};
        }
    }
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    g_banks.clear();

    // CPU time is given beside real time: on a shared machine the wall clock also
    // counts the time other processes held the processor.
    const auto &t = reporter.times;
    const auto ratio = [&](const char *label, const char *a, const char *b, const char *goal) {
        if (t.count(a) && t.count(b))
            std::printf("%-26s real %6.2f  cpu %6.2f  (goal %s)\n", label,
                        t.at(a).real / t.at(b).real, t.at(a).cpu / t.at(b).cpu, goal);
    };
    ratio("walk / hand scan, 10k:", "walk/10000", "handScan/10000", "<= 3");
    ratio("walk / hand scan, 100k:", "walk/100000", "handScan/100000", "<= 3");
    ratio("walk 100k / walk 10k:", "walk/100000", "walk/10000", "<= 12");
    if (t.count("openSmall"))
        std::printf("%-26s real %6.2f ms  cpu %6.2f ms  (goal <= 20 ms)\n", "open 450 records:",
                    t.at("openSmall").real / 1e6, t.at("openSmall").cpu / 1e6);
    return 0;
}
