// SPDX-License-Identifier: GPL-3.0-or-later
// Renders one page, or every page, to PNG files in a given screen mode:
//   simillon-shots [--mode 0|2] [--out DIR] [--maintenance] (--all | frmName...)
// Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise. The program
// folder is the folder of this tool (the build folder), so the bundled databanks load.
#include "platform/Desktop.h"
#include "shell/MainMenu.h"
#include "shell/PageManager.h"
#include "shell/Startup.h"
#include "shell/ProgramFolder.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>

namespace {

// Nothing may block offscreen: messages go to the terminal, dialogs are cancelled.
class QuietDesktop final : public Desktop
{
public:
    void message(QWidget *, const QString &text) override { std::fprintf(stderr, "message: %s\n", qPrintable(text)); }
    std::optional<FontChoice> chooseFont(QWidget *, const FontChoice &) override { return std::nullopt; }
    bool hasPrinter() override { return false; }
    bool choosePrinter(QWidget *, QPrinter *, bool) override { return false; }
    QString chooseSaveFile(QWidget *, const QString &) override { return QString(); }
    bool startProgram(const QString &, const QStringList &) override { return false; }
    bool openUrl(const QUrl &) override { return false; }
};

void settle(int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Simillon"));
    startup::setFonts(); // as the program has them

    QString mode = QStringLiteral("0");
    QString out = QStringLiteral("shots");
    QStringList names;
    const QStringList args = app.arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--mode") && i + 1 < args.size())
            mode = args[++i];
        else if (args[i] == QLatin1String("--out") && i + 1 < args.size())
            out = args[++i];
        else if (args[i] == QLatin1String("--maintenance"))
            programfolder::setMaintenance(true);
        else if (args[i] == QLatin1String("--all"))
            for (int p = 0; p < pageCount(); ++p)
                names << QString::fromLatin1(pageInfoAt(p).name);
        else
            names << args[i];
    }
    if (names.isEmpty()) {
        std::fprintf(stderr, "usage: simillon-shots [--mode 0|2] [--out DIR] [--maintenance] (--all | frmName...)\n");
        return 2;
    }
    out = QDir(out).absolutePath(); // pages change the working directory as they load
    QDir().mkpath(out);

    QuietDesktop quiet;
    Desktop::install(&quiet);
    PageManager &pages = PageManager::instance();
    pages.setQuitHandler([] {});
    int failures = 0;
    for (const QString &name : names) {
        pages.resetForTesting();
        auto *menu = pages.page<MainMenu>();
        menu->setScreenMode(mode);
        menu->applyScreenMode();
        Page *page = pages.show(name);
        if (!page) {
            std::fprintf(stderr, "unknown page %s\n", qPrintable(name));
            ++failures;
            continue;
        }
        settle(150); // let the flicker guard show the content again
        const QString file = QDir(out).filePath(name + QStringLiteral(".png"));
        if (!page->grab().save(file)) {
            std::fprintf(stderr, "could not write %s\n", qPrintable(file));
            ++failures;
        } else {
            std::printf("%s\n", qPrintable(file));
        }
    }
    pages.destroyAll();
    Desktop::install(nullptr);
    return failures ? 1 : 0;
}
