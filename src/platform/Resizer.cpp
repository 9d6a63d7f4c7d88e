// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Resizer.h"

#include <QEvent>
#include <QWidget>
#include <cmath>

Resizer::Resizer(QWidget *page, QSize designSize)
    : QObject(page)
    , m_page(page)
    , m_design(designSize)
    , m_applied(designSize)
{
    m_pageFont = page->font();
    m_pageOwnFont = page->testAttribute(Qt::WA_SetFont);
    const auto children = page->findChildren<QWidget *>();
    m_entries.reserve(children.size());
    for (QWidget *child : children) {
        if (child->isWindow())
            continue;
        m_entries.push_back({child, child->geometry(), child->font(), child->testAttribute(Qt::WA_SetFont)});
    }
    page->installEventFilter(this);
}

void Resizer::apply()
{
    const QSize now = m_page->size();
    if (now == m_applied || m_design.isEmpty() || now.isEmpty())
        return;
    m_applied = now;
    Q_EMIT resizing();
    const double sx = double(now.width()) / m_design.width();
    const double sy = double(now.height()) / m_design.height();
    const double sf = std::min(sx, sy);
    // Fonts scale in quarter points: a slightly changed size keeps the designed font,
    // and dragging a window edge does not make a new font (and glyph cache) at every
    // pixel.
    const auto scaled = [sf](QFont f) {
        f.setPointSizeF(std::max(1.0, std::round(f.pointSizeF() * sf * 4) / 4));
        return f;
    };
    const auto setFont = [](QWidget *widget, const QFont &font) {
        if (widget->font() != font)
            widget->setFont(font);
    };
    if (m_pageOwnFont && m_pageFont.pointSizeF() > 0)
        setFont(m_page, scaled(m_pageFont));
    for (const Entry &entry : m_entries) {
        if (!entry.widget)
            continue;
        const QRect &g = entry.geometry;
        entry.widget->setGeometry(int(std::lround(g.x() * sx)), int(std::lround(g.y() * sy)),
                                  int(std::lround(g.width() * sx)), int(std::lround(g.height() * sy)));
        if (entry.ownFont && entry.font.pointSizeF() > 0)
            setFont(entry.widget, scaled(entry.font));
    }
}

bool Resizer::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_page && event->type() == QEvent::Resize)
        apply();
    return QObject::eventFilter(watched, event);
}
