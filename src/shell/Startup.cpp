// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Startup.h"

#include "platform/Controls.h"
#include "shell/PageManager.h"
#include "shell/ProgramFolder.h"

#include <QApplication>
#include <QFontDatabase>
#include <QGuiApplication>
#include <cstdio>

namespace startup {

void setFonts()
{
    // The pages are set in the designs' face, and so is every text box's document from
    // its start (a box made with another face lays out its empty document in it first,
    // which costs a font of its own); the desktop's own windows keep the desktop font.
    const QFont desktopFont = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    QApplication::setFont(controls::font(10));
    for (const char *desktopWindow : {"QDialog", "QMenu", "QTipLabel"})
        QApplication::setFont(desktopFont, desktopWindow);
}

bool start(const QStringList &arguments)
{
    QCoreApplication::setApplicationName(QStringLiteral("Simillon"));
    QCoreApplication::setOrganizationName(QStringLiteral("Korvalis"));
    QCoreApplication::setApplicationVersion(QStringLiteral("5.5"));
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Simillon"));

    for (const QString &argument : arguments.mid(1)) {
        if (argument == QLatin1String("--maintenance")) {
            programfolder::setMaintenance(true);
        } else {
            std::fprintf(stderr, "simillon: unknown argument %s (the only option is --maintenance)\n",
                         qPrintable(argument));
            return false;
        }
    }

    setFonts();
    PageManager &pages = PageManager::instance();
    pages.setQuitHandler([] { QCoreApplication::quit(); });
    pages.show(QStringLiteral("frmMenu"));
    return true;
}

void finish()
{
    PageManager::instance().destroyAll();
}

} // namespace startup
