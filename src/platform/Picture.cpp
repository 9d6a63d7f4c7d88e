// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Picture.h"

#include "platform/PictureCache.h"

#include <QFile>
#include <QMouseEvent>
#include <QPainter>
#include <QSvgRenderer>
#include <QTimer>

namespace {

constexpr qint64 LargestDrawing = 16 * 1024 * 1024;
constexpr int SettledMs = 1000;

} // namespace

Picture::Picture(QWidget *parent)
    : QWidget(parent)
{
}

Picture::~Picture() = default;

bool Picture::setSource(const QString &path)
{
    m_source = path;
    m_drawing.clear();
    m_image = {};
    m_imageSize = {};
    m_renderer.reset();
    if (m_keepLater)
        m_keepLater->stop();
    QFile file(path);
    if (file.open(QIODevice::ReadOnly) && file.size() <= LargestDrawing)
        m_drawing = file.readAll();
    if (!m_drawing.contains("<svg"))
        m_drawing.clear();
    update();
    return !m_drawing.isEmpty();
}

QSvgRenderer *Picture::renderer() const
{
    if (!m_renderer) {
        m_renderer = std::make_unique<QSvgRenderer>();
        m_renderer->load(m_drawing); // an empty or broken drawing leaves it invalid
    }
    return m_renderer.get();
}

bool Picture::isValid() const
{
    return !m_drawing.isEmpty() && renderer()->isValid();
}

const QImage &Picture::rendering(QSize pixels, qreal ratio)
{
    if (pixels == m_imageSize)
        return m_image;
    m_imageSize = pixels;
    if (m_keepLater)
        m_keepLater->stop(); // what it would keep is no longer shown
    const QByteArray key = picturecache::key(m_drawing, pixels, ratio);
    m_image = picturecache::find(key);
    if (!m_image.isNull())
        return m_image;

    // Only the drawing's own area is rendered (and kept); paintEvent centres it.
    if (!isValid()) {
        m_image = {};
        return m_image;
    }
    QSizeF drawn = m_renderer->defaultSize();
    drawn.scale(pixels, Qt::KeepAspectRatio);
    m_image = QImage(drawn.toSize().boundedTo(pixels).expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    if (m_image.isNull())
        return m_image;
    m_image.fill(Qt::transparent);
    QPainter painter(&m_image);
    m_renderer->render(&painter, QRectF(QPointF(0, 0), QSizeF(m_image.size())));
    painter.end();
    m_image.setDevicePixelRatio(ratio);
    m_imageKey = key;
    if (!m_keptOnce) {
        m_keptOnce = true;
        picturecache::store(key, m_image);
    } else {
        if (!m_keepLater) {
            m_keepLater = new QTimer(this);
            m_keepLater->setSingleShot(true);
            m_keepLater->setInterval(SettledMs);
            connect(m_keepLater, &QTimer::timeout, this, [this] { picturecache::store(m_imageKey, m_image); });
        }
        m_keepLater->start();
    }
    return m_image;
}

void Picture::paintEvent(QPaintEvent *)
{
    if (m_drawing.isEmpty() || width() <= 0 || height() <= 0)
        return;
    const qreal ratio = devicePixelRatioF();
    const QImage &image = rendering(size() * ratio, ratio);
    if (image.isNull())
        return;
    const QSize shown = image.deviceIndependentSize().toSize();
    QPainter painter(this);
    painter.drawImage(QPoint((width() - shown.width()) / 2, (height() - shown.height()) / 2), image);
}

void Picture::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
    QWidget::mouseReleaseEvent(event);
}
