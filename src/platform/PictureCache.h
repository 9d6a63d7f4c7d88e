// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Renderings of the page pictures kept on disk between runs, so that a page shown at a
// size it has been shown at before draws its picture from the stored pixels instead of
// rendering the drawing again. An entry is found by a key made of everything that
// decides its pixels; a missing, truncated or foreign file is simply not found. The
// cache is an optimisation only: when its folder cannot be written, nothing is stored.
namespace picturecache {

// The key of a rendering of the given drawing at a size in device pixels.
QByteArray key(const QByteArray &drawing, QSize pixels, qreal devicePixelRatio);

// The stored rendering, mapped from its file (not copied); null if there is none.
QImage find(const QByteArray &key);

// Stores a rendering (premultiplied ARGB32). Keeps the newest entries only.
void store(const QByteArray &key, const QImage &image);

// The cache folder: the user's cache location unless set for testing.
QString folder();
void setFolderForTesting(const QString &path);

} // namespace picturecache
