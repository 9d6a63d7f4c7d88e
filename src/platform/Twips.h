// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>

// Every place and size in the page designs is given in twips (1/1440 inch). They are
// turned into device-independent pixels here and nowhere else, through the primary
// screen's logical DPI (15 twips per pixel at 96 dpi).
namespace twips {

int toPx(int twips);
QRect toPx(int left, int top, int width, int height);
QSize toPx(int width, int height);
int fromPx(int px);
// Twips per device-independent pixel: 15 at 96 dpi, and when there is no screen (tools).
double perPixel();

// Tests may fix the DPI; 0 goes back to the screen's own value.
void setDpiForTesting(double dpi);

} // namespace twips
