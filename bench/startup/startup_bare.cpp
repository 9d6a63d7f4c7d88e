// SPDX-License-Identifier: GPL-3.0-or-later
// The baseline: a bare Qt Widgets window that shows and quits after its first frame.
#include "FirstFrame.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(792, 534);
    FirstFrame watcher(&window);
    window.show();
    return app.exec();
}
