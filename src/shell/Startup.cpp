// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Startup.h"

#include "shell/PageManager.h"
#include "shell/ProgramFolder.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdio>

namespace startup {

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
