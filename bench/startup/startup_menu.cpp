// SPDX-License-Identifier: GPL-3.0-or-later
// The program's own start-up, ending at the main menu's first shown frame. The program
// folder is the build folder, as for the real program.
#include "FirstFrame.h"

#include "shell/PageManager.h"
#include "shell/ProgramFolder.h"
#include "shell/Startup.h"

#include <QApplication>
#include <QDir>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    programfolder::setPathForTesting(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("..")));
    if (!startup::start({app.arguments().first()}))
        return 2;
    FirstFrame watcher(PageManager::instance().existing(QStringLiteral("frmMenu")));
    const int result = app.exec();
    startup::finish();
    return result;
}
