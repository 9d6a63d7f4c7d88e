// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PictureCache.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QtEndian>
#include <algorithm>
#include <cstring>

namespace picturecache {
namespace {

// The file layout: a fixed header, then the rows of pixels as they lie in memory.
constexpr char Magic[8] = {'S', 'M', 'P', 'I', 'C', 'T', '0', '2'};
struct Header {
    char magic[8];
    quint32 width, height, bytesPerLine;
    quint32 ratioMilli; // device pixel ratio, in thousandths
};
static_assert(sizeof(Header) == 24);

constexpr int KeptEntries = 48;
constexpr qint64 LargestEntry = 64 * 1024 * 1024;

QString &testFolder()
{
    static QString path;
    return path;
}

QString fileFor(const QByteArray &key)
{
    return QDir(folder()).filePath(QString::fromLatin1(key) + QStringLiteral(".pic"));
}

// Removes the oldest entries beyond the number kept.
void prune(const QDir &dir)
{
    QFileInfoList entries = dir.entryInfoList({QStringLiteral("*.pic")}, QDir::Files, QDir::Time);
    for (int i = KeptEntries; i < entries.size(); ++i)
        QFile::remove(entries[i].filePath());
}

} // namespace

QString folder()
{
    if (!testFolder().isEmpty())
        return testFolder();
    return QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + QStringLiteral("/pictures");
}

void setFolderForTesting(const QString &path)
{
    testFolder() = path;
}

QByteArray key(const QByteArray &drawing, QSize pixels, qreal devicePixelRatio)
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(drawing);
    // The renderer's version is part of the key: another version may draw differently.
    const QByteArray facts = QByteArrayLiteral(QT_VERSION_STR) + (Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? " le v2 " : " be v2 ") + QByteArray::number(pixels.width()) + 'x'
                             + QByteArray::number(pixels.height()) + '@'
                             + QByteArray::number(qRound(devicePixelRatio * 1000));
    hash.addData(facts);
    return hash.result().toHex();
}

QImage find(const QByteArray &key)
{
    auto file = std::make_unique<QFile>(fileFor(key));
    if (!file->open(QIODevice::ReadOnly))
        return {};
    const qint64 size = file->size();
    if (size < qint64(sizeof(Header)) || size > LargestEntry)
        return {};
    uchar *mapped = file->map(0, size);
    if (!mapped)
        return {};
    Header header;
    std::memcpy(&header, mapped, sizeof header);
    const quint32 width = qFromLittleEndian(header.width), height = qFromLittleEndian(header.height);
    const quint32 bytesPerLine = qFromLittleEndian(header.bytesPerLine);
    if (std::memcmp(header.magic, Magic, sizeof Magic) != 0 || width == 0 || height == 0 || width > 16384
        || height > 16384 || bytesPerLine < width * 4 || bytesPerLine % 4 != 0
        || qint64(sizeof(Header)) + qint64(bytesPerLine) * height != size) {
        return {};
    }
    // The image reads the mapped (read-only) pixels in place and never writes them; the
    // file, and so its mapping, lives as long as the image's data does.
    QFile *owner = file.release();
    const uchar *pixels = mapped + sizeof(Header);
    QImage image(pixels, int(width), int(height), qsizetype(bytesPerLine), QImage::Format_ARGB32_Premultiplied,
                 [](void *f) { delete static_cast<QFile *>(f); }, owner);
    image.setDevicePixelRatio(qFromLittleEndian(header.ratioMilli) / 1000.0);
    return image;
}

void store(const QByteArray &key, const QImage &image)
{
    if (image.isNull() || image.format() != QImage::Format_ARGB32_Premultiplied)
        return;
    const QDir dir(folder());
    if (!dir.mkpath(QStringLiteral(".")))
        return;
    Header header{};
    std::memcpy(header.magic, Magic, sizeof Magic);
    header.width = qToLittleEndian(quint32(image.width()));
    header.height = qToLittleEndian(quint32(image.height()));
    header.bytesPerLine = qToLittleEndian(quint32(image.bytesPerLine()));
    header.ratioMilli = qToLittleEndian(quint32(qRound(image.devicePixelRatio() * 1000)));
    QSaveFile file(fileFor(key));
    if (!file.open(QIODevice::WriteOnly))
        return;
    file.write(reinterpret_cast<const char *>(&header), sizeof header);
    file.write(reinterpret_cast<const char *>(image.constBits()), image.sizeInBytes());
    if (file.commit())
        prune(dir);
}

} // namespace picturecache
