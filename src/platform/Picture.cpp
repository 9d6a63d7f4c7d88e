// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Picture.h"

#include <QMouseEvent>
#include <QPainter>
#include <QSvgRenderer>

Picture::Picture(QWidget *parent)
    : QWidget(parent)
    , m_renderer(new QSvgRenderer(this))
{
}

bool Picture::setSource(const QString &path)
{
    m_source = path;
    const bool ok = m_renderer->load(path);
    update();
    return ok;
}

bool Picture::isValid() const
{
    return m_renderer->isValid();
}

void Picture::paintEvent(QPaintEvent *)
{
    if (!m_renderer->isValid())
        return;
    QPainter painter(this);
    QSizeF size = m_renderer->defaultSize();
    size.scale(this->size(), Qt::KeepAspectRatio);
    const QRectF target(QPointF((width() - size.width()) / 2, (height() - size.height()) / 2), size);
    m_renderer->render(&painter, target);
}

void Picture::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
    QWidget::mouseReleaseEvent(event);
}
