// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the program's start-up and the bare-window baseline alternately, offscreen, and
// prints the median wall time, processor time, page faults and peak memory of each, and
// the time ratio both as the ratio of the medians and as the median of the ratios of
// each side-by-side pair (the steadier figure on a busy machine).
// The program keeps its picture renderings in the user's cache folder; the main series
// runs with a cache of its own, filled by the first run, as every start after the
// first finds it. A last series starts with an empty cache each time (a first start).
//   bench_startup [runs]     (default 21 of each)
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

struct Run {
    double ms;
    double cpuMs;
    long faults;
    long peakKb;
};

double toMs(const timeval &t)
{
    return t.tv_sec * 1e3 + t.tv_usec / 1e3;
}

// cacheHome: the user cache folder the run sees (empty: the bench's environment);
// argument: one for the program, if any.
Run runOnce(const QByteArray &program, const QByteArray &cacheHome = {}, const char *argument = nullptr)
{
    QElapsedTimer timer;
    timer.start();
    const pid_t pid = fork();
    if (pid == 0) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        if (!cacheHome.isEmpty())
            setenv("XDG_CACHE_HOME", cacheHome.constData(), 1);
        execl(program.constData(), program.constData(), argument, static_cast<char *>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    const double ms = timer.nsecsElapsed() / 1e6;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        std::fprintf(stderr, "%s failed (status %d)\n", program.constData(), status);
    return {ms, toMs(usage.ru_utime) + toMs(usage.ru_stime), usage.ru_minflt, usage.ru_maxrss};
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(3, atoi(argv[1])) : 21;
    const QDir dir(QCoreApplication::applicationDirPath());
    const QByteArray menu = dir.filePath(QStringLiteral("bench_startup_menu")).toLocal8Bit();
    const QByteArray bare = dir.filePath(QStringLiteral("bench_startup_bare")).toLocal8Bit();

    const QTemporaryDir keptPictures;
    const QByteArray cache = keptPictures.path().toLocal8Bit();
    runOnce(menu, cache); // warm the file cache for both, and fill the picture cache
    runOnce(bare);
    std::vector<Run> menuRuns, bareRuns, maximizedRuns;
    std::vector<double> pairRatios, maximizedRatios;
    for (int i = 0; i < runs; ++i) {
        // Alternate which of the pair goes first, so neither always follows the other.
        const Run m = i % 2 ? runOnce(menu, cache) : Run{};
        const Run b = runOnce(bare);
        const Run m2 = i % 2 ? m : runOnce(menu, cache);
        const Run x = runOnce(bare, {}, "--maximized");
        menuRuns.push_back(m2);
        bareRuns.push_back(b);
        maximizedRuns.push_back(x);
        pairRatios.push_back(m2.ms / b.ms);
        maximizedRatios.push_back(m2.ms / x.ms);
    }
    std::vector<Run> firstRuns;
    for (int i = 0; i < std::max(3, runs / 3); ++i) {
        const QTemporaryDir empty;
        firstRuns.push_back(runOnce(menu, empty.path().toLocal8Bit()));
    }
    const auto med = [](const std::vector<Run> &all, auto field) {
        std::vector<double> values;
        for (const Run &r : all)
            values.push_back(double(r.*field));
        return median(values);
    };
    const double mt = med(menuRuns, &Run::ms), bt = med(bareRuns, &Run::ms);
    const double mc = med(menuRuns, &Run::cpuMs), bc = med(bareRuns, &Run::cpuMs);
    const double mf = med(menuRuns, &Run::faults), bf = med(bareRuns, &Run::faults);
    const double mm = med(menuRuns, &Run::peakKb) / 1024.0, bm = med(bareRuns, &Run::peakKb) / 1024.0;
    std::printf("runs of each          %d\n", runs);
    std::printf("                      wall ms   cpu ms   page faults   peak MB\n");
    std::printf("main menu first frame %7.1f  %7.1f   %11.0f   %7.1f\n", mt, mc, mf, mm);
    std::printf("bare window           %7.1f  %7.1f   %11.0f   %7.1f\n", bt, bc, bf, bm);
    std::printf("bare window maximised %7.1f  %7.1f   %11.0f   %7.1f   (as the menu starts here)\n",
                med(maximizedRuns, &Run::ms), med(maximizedRuns, &Run::cpuMs), med(maximizedRuns, &Run::faults),
                med(maximizedRuns, &Run::peakKb) / 1024.0);
    std::printf("menu, empty cache     %7.1f  %7.1f   %11.0f   %7.1f   (a first start; %zu runs)\n",
                med(firstRuns, &Run::ms), med(firstRuns, &Run::cpuMs), med(firstRuns, &Run::faults),
                med(firstRuns, &Run::peakKb) / 1024.0, firstRuns.size());
    std::printf("time ratio            %7.2f  (ratio of medians; goal <= 1.30)\n", mt / bt);
    std::printf("paired time ratio     %7.2f  (median of the side-by-side ratios)\n", median(pairRatios));
    std::printf("against the maximised %7.2f  (median of the side-by-side ratios, same window size)\n",
                median(maximizedRatios));
    std::printf("extra memory          %7.1f MB  (goal <= 15 MB)\n", mm - bm);
    return 0;
}
