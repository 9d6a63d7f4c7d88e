// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Controls.h"

#include "platform/Twips.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace controls {
namespace {

// A line drawn between two points of its own rectangle.
class Line final : public QWidget
{
public:
    Line(QWidget *parent, QPointF from, QPointF to, QColor color)
        : QWidget(parent)
        , m_from(from)
        , m_to(to)
        , m_color(color)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(m_color, 1));
        const qreal w = std::max(1, width() - 1), h = std::max(1, height() - 1);
        painter.drawLine(QPointF(m_from.x() * w, m_from.y() * h), QPointF(m_to.x() * w, m_to.y() * h));
    }

private:
    QPointF m_from, m_to; // in fractions of the rectangle, so the line scales with it
    QColor m_color;
};

// A button whose caption wraps onto a second line, or shrinks, when it does not fit:
// the designs size their buttons for one particular font's metrics.
class Button final : public QPushButton
{
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QStylePainter painter(this);
        QStyleOptionButton option;
        initStyleOption(&option);
        const QString caption = option.text;
        option.text.clear();
        painter.drawControl(QStyle::CE_PushButton, option);

        const QRect area = rect().adjusted(3, 2, -3, -2);
        QFont f = font();
        int flags = Qt::AlignCenter | Qt::TextShowMnemonic;
        if (QFontMetrics(f).horizontalAdvance(caption) > area.width()) {
            flags |= Qt::TextWordWrap;
            while (f.pointSizeF() > 6
                   && QFontMetrics(f).boundingRect(area, flags, caption).height() > area.height()) {
                f.setPointSizeF(f.pointSizeF() - 0.5);
            }
            // A single word that still overflows shrinks until it fits across.
            while (f.pointSizeF() > 6 && QFontMetrics(f).boundingRect(area, flags, caption).width() > area.width())
                f.setPointSizeF(f.pointSizeF() - 0.5);
        }
        painter.setFont(f);
        painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
        painter.drawText(area, flags, caption);
    }
};

template<class W>
W *named(W *widget, const char *name, const Twips &at)
{
    widget->setObjectName(QString::fromLatin1(name));
    place(widget, at);
    return widget;
}

} // namespace

QFont font(double pointSize, bool bold)
{
    QFont f(QStringLiteral("Times New Roman"));
    f.setPointSizeF(pointSize);
    f.setBold(bold);
    return f;
}

void place(QWidget *widget, const Twips &at)
{
    widget->setGeometry(twips::toPx(at.left, at.top, at.width, at.height));
}

void setColors(QWidget *widget, const QColor &text, const QColor &background)
{
    QPalette palette = widget->palette();
    for (auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        palette.setColor(role, text);
    for (auto role : {QPalette::Window, QPalette::Button, QPalette::Base})
        palette.setColor(role, background);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QPushButton *button(QWidget *parent, const char *name, const QString &caption, const Twips &at)
{
    auto *b = named(new Button(caption, parent), name, at);
    b->setAutoDefault(false);
    b->setAccessibleName(caption.trimmed());
    return b;
}

QLabel *label(QWidget *parent, const char *name, const QString &text, const Twips &at)
{
    auto *l = named(new QLabel(text, parent), name, at);
    l->setWordWrap(true);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l->setAccessibleName(text.trimmed());
    return l;
}

QGroupBox *frame(QWidget *parent, const char *name, const QString &caption, const Twips &at)
{
    auto *g = named(new QGroupBox(caption, parent), name, at);
    g->setAccessibleName(caption.trimmed());
    return g;
}

QFrame *panel(QWidget *parent, const char *name, const Twips &at)
{
    auto *f = named(new QFrame(parent), name, at);
    f->setFrameShape(QFrame::NoFrame);
    return f;
}

QLineEdit *lineBox(QWidget *parent, const char *name, const QString &accessibleName, const Twips &at)
{
    auto *e = named(new QLineEdit(parent), name, at);
    e->setAccessibleName(accessibleName);
    return e;
}

QPlainTextEdit *textBox(QWidget *parent, const char *name, const QString &accessibleName, const Twips &at)
{
    auto *e = named(new QPlainTextEdit(parent), name, at);
    e->setAccessibleName(accessibleName);
    e->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    e->setTabChangesFocus(true);
    return e;
}

QListWidget *list(QWidget *parent, const char *name, const QString &accessibleName, const Twips &at)
{
    auto *l = named(new QListWidget(parent), name, at);
    l->setAccessibleName(accessibleName);
    return l;
}

QWidget *line(QWidget *parent, const char *name, int x1, int y1, int x2, int y2, const QColor &color)
{
    const int left = std::min(x1, x2), top = std::min(y1, y2);
    const int width = std::max(15, std::abs(x2 - x1)), height = std::max(15, std::abs(y2 - y1));
    const auto frac = [](int v, int origin, int extent) { return extent ? double(v - origin) / extent : 0.0; };
    auto *l = new Line(parent, QPointF(frac(x1, left, width), frac(y1, top, height)),
                       QPointF(frac(x2, left, width), frac(y2, top, height)), color);
    return named(l, name, Twips{left, top, width, height});
}

} // namespace controls
