// SPDX-License-Identifier: GPL-3.0-or-later
// The baseline: a bare Qt Widgets window that shows and quits after its first frame,
// at the main menu's designed size, or maximised (--maximized) as the main menu starts
// when no screen mode has been chosen.
#include "FirstFrame.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(792, 534);
    FirstFrame watcher(&window);
    if (app.arguments().contains(QStringLiteral("--maximized")))
        window.showMaximized();
    else
        window.show();
    return app.exec();
}
