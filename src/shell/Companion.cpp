// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Companion.h"

#include "shell/PageManager.h"

namespace companion {

void launch()
{
    // Until the path search is built, every launch shows the download page.
    PageManager::instance().show(QStringLiteral("frmDownloadNotara"));
}

void showPageOrLaunch(const char *page)
{
    if (page)
        PageManager::instance().show(QString::fromLatin1(page));
    else
        launch();
}

} // namespace companion
