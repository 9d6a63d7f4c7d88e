// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Twips.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace twips {
namespace {
double g_fixedDpi = 0;

double dpi()
{
    if (g_fixedDpi > 0)
        return g_fixedDpi;
    // Without a GUI application (tools, the fuzzer) there is no screen to ask.
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return 96.0;
    static const double screenDpi = [] {
        const QScreen *screen = QGuiApplication::primaryScreen();
        const double value = screen ? screen->logicalDotsPerInch() : 96.0;
        return value > 0 ? value : 96.0;
    }();
    return screenDpi;
}
} // namespace

int toPx(int twips)
{
    return int(std::lround(twips * dpi() / 1440.0));
}

QRect toPx(int left, int top, int width, int height)
{
    return QRect(toPx(left), toPx(top), toPx(width), toPx(height));
}

QSize toPx(int width, int height)
{
    return QSize(toPx(width), toPx(height));
}

int fromPx(int px)
{
    return int(std::lround(px * 1440.0 / dpi()));
}

double perPixel()
{
    return 1440.0 / dpi();
}

void setDpiForTesting(double value)
{
    g_fixedDpi = value;
}

} // namespace twips
