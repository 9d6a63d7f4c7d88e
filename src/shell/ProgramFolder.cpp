// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>

namespace programfolder {
namespace {
QString g_override;
bool g_maintenance = false;
} // namespace

QString path()
{
    if (!g_override.isEmpty())
        return g_override;
    return QCoreApplication::applicationDirPath();
}

QString file(const QString &name)
{
    return QDir(path()).filePath(name);
}

bool makeCurrent()
{
    return QDir::setCurrent(path());
}

void setPathForTesting(const QString &folder)
{
    g_override = folder;
}

bool maintenance()
{
    return g_maintenance;
}

void setMaintenance(bool on)
{
    g_maintenance = on;
}

} // namespace programfolder
