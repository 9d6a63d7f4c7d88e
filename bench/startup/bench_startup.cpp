// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the program's start-up and the bare-window baseline alternately, offscreen, and
// prints the median wall time and peak memory of each and their ratios.
//   bench_startup [runs]     (default 15 of each)
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

struct Run {
    double ms;
    long peakKb;
};

Run runOnce(const QByteArray &program)
{
    QElapsedTimer timer;
    timer.start();
    const pid_t pid = fork();
    if (pid == 0) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        execl(program.constData(), program.constData(), static_cast<char *>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    const double ms = timer.nsecsElapsed() / 1e6;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        std::fprintf(stderr, "%s failed (status %d)\n", program.constData(), status);
    return {ms, usage.ru_maxrss};
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
    const int runs = argc > 1 ? std::max(3, atoi(argv[1])) : 15;
    const QDir dir(QCoreApplication::applicationDirPath());
    const QByteArray menu = dir.filePath(QStringLiteral("bench_startup_menu")).toLocal8Bit();
    const QByteArray bare = dir.filePath(QStringLiteral("bench_startup_bare")).toLocal8Bit();

    runOnce(menu); // warm the file cache for both
    runOnce(bare);
    std::vector<double> menuMs, bareMs, menuKb, bareKb;
    for (int i = 0; i < runs; ++i) {
        const Run m = runOnce(menu);
        const Run b = runOnce(bare);
        menuMs.push_back(m.ms);
        bareMs.push_back(b.ms);
        menuKb.push_back(double(m.peakKb));
        bareKb.push_back(double(b.peakKb));
    }
    const double mt = median(menuMs), bt = median(bareMs);
    const double mm = median(menuKb) / 1024.0, bm = median(bareKb) / 1024.0;
    std::printf("runs of each          %d\n", runs);
    std::printf("main menu first frame %8.1f ms   peak %7.1f MB\n", mt, mm);
    std::printf("bare window           %8.1f ms   peak %7.1f MB\n", bt, bm);
    std::printf("time ratio            %8.2f      (goal <= 1.30)\n", mt / bt);
    std::printf("extra memory          %8.1f MB   (goal <= 15 MB)\n", mm - bm);
    return 0;
}
