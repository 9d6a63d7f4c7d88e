// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Startup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (!startup::start(app.arguments()))
        return 2;
    const int result = app.exec();
    startup::finish();
    return result;
}
