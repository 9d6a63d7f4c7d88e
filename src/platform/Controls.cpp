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
#include <QTextLayout>

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

// The look of the page designs: flat faces in the design colours, edges drawn with
// single-pixel lines in the classic raised or sunken bevel. Painted directly, without
// the style's cached pixmaps, so a page of many buttons paints quickly and uses little
// memory.
const QColor EdgeHighlight{0xFF, 0xFF, 0xFF};
const QColor EdgeLight{0xDF, 0xDF, 0xDF};
const QColor EdgeShadow{0x80, 0x80, 0x80};
const QColor EdgeDarkShadow{0x00, 0x00, 0x00};

// Two nested one-pixel rectangles, each with its own top-left and bottom-right colour.
void drawBevel(QPainter &painter, QRect r, const QColor (&colours)[4])
{
    for (int ring = 0; ring < 2 && r.width() > 1 && r.height() > 1; ++ring) {
        const QColor &topLeft = colours[ring * 2], &bottomRight = colours[ring * 2 + 1];
        painter.fillRect(r.left(), r.top(), r.width() - 1, 1, topLeft);
        painter.fillRect(r.left(), r.top() + 1, 1, r.height() - 2, topLeft);
        painter.fillRect(r.left(), r.bottom(), r.width(), 1, bottomRight);
        painter.fillRect(r.right(), r.top(), 1, r.height() - 1, bottomRight);
        r.adjust(1, 1, -1, -1);
    }
}

// A button caption laid out for an area: centred, wrapped onto more lines or shrunk in
// half points when it does not fit, as the designs size their buttons for one
// particular font's metrics. Shaped once; kept until the caption, font or area change.
class CaptionLayout
{
public:
    void draw(QPainter &painter, const QString &caption, const QFont &font, const QRect &area)
    {
        if (caption != m_caption || font != m_font || area.size() != m_area) {
            m_caption = caption;
            m_font = font;
            m_area = area.size();
            layOut();
        }
        m_layout.draw(&painter, area.topLeft() + m_offset);
    }

private:
    // Lays the caption out at the font's size and returns the size it takes.
    QSizeF layOutAt(const QFont &font, bool wrap)
    {
        m_layout.clearLayout();
        m_layout.setFont(font);
        QTextOption option(Qt::AlignHCenter);
        option.setWrapMode(wrap ? QTextOption::WordWrap : QTextOption::NoWrap);
        m_layout.setTextOption(option);
        qreal height = 0, width = 0;
        m_layout.beginLayout();
        for (QTextLine line = m_layout.createLine(); line.isValid(); line = m_layout.createLine()) {
            line.setLineWidth(m_area.width());
            line.setPosition(QPointF(0, height));
            height += line.height();
            width = std::max(width, line.naturalTextWidth());
        }
        m_layout.endLayout();
        return {width, height};
    }

    void layOut()
    {
        // The captions carry no access keys: "&&" is an ampersand, a single "&" is dropped.
        QString text = m_caption;
        text.replace(QLatin1String("&&"), QStringLiteral("\x01")).remove(u'&').replace(u'\x01', u'&');
        m_layout.setText(text);
        QFont f = m_font;
        QSizeF taken = layOutAt(f, false);
        if (taken.width() > m_area.width()) {
            taken = layOutAt(f, true);
            while (f.pointSizeF() > 6 && taken.height() > m_area.height()) {
                f.setPointSizeF(f.pointSizeF() - 0.5);
                taken = layOutAt(f, true);
            }
            // A single word that still overflows shrinks until it fits across.
            while (f.pointSizeF() > 6 && taken.width() > m_area.width()) {
                f.setPointSizeF(f.pointSizeF() - 0.5);
                taken = layOutAt(f, true);
            }
        }
        m_offset = QPointF(0, (m_area.height() - taken.height()) / 2);
    }

    QTextLayout m_layout;
    QString m_caption;
    QFont m_font;
    QSize m_area;
    QPointF m_offset;
};

class Button final : public QPushButton
{
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        QRect r = rect();
        const bool sunken = isDown() || isChecked();
        painter.fillRect(r, palette().color(QPalette::Button));
        if (isDefault() || sunken) {
            // The default button, and a pressed one, carry a dark outer ring.
            painter.setPen(EdgeDarkShadow);
            painter.drawRect(r.adjusted(0, 0, -1, -1));
            r.adjust(1, 1, -1, -1);
        }
        if (sunken) {
            painter.setPen(EdgeShadow);
            painter.drawRect(r.adjusted(0, 0, -1, -1));
        } else {
            drawBevel(painter, r, {EdgeHighlight, EdgeDarkShadow, EdgeLight, EdgeShadow});
        }

        QRect area = rect().adjusted(3, 2, -3, -2);
        if (sunken)
            area.translate(1, 1);
        if (isEnabled()) {
            painter.setPen(palette().color(QPalette::ButtonText));
            m_caption.draw(painter, text(), font(), area);
        } else {
            // Greyed and embossed, as a disabled caption looks in the designs.
            painter.setPen(EdgeHighlight);
            m_caption.draw(painter, text(), font(), area.translated(1, 1));
            painter.setPen(EdgeShadow);
            m_caption.draw(painter, text(), font(), area);
        }

        if (hasFocus()) {
            QPen dots(palette().color(QPalette::ButtonText), 1, Qt::DotLine);
            painter.setPen(dots);
            painter.drawRect(rect().adjusted(4, 4, -5, -5));
        }
    }

private:
    CaptionLayout m_caption;
};

// A frame: an etched line around its area, broken at the top by the caption.
class Frame final : public QGroupBox
{
public:
    using QGroupBox::QGroupBox;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        const QString caption = title();
        const QFontMetrics metrics(font());
        const int top = caption.isEmpty() ? 0 : metrics.height() / 2;
        QRect border = rect().adjusted(0, top, -2, -2);
        painter.setPen(EdgeShadow);
        painter.drawRect(border);
        painter.setPen(EdgeHighlight);
        painter.drawRect(border.translated(1, 1));
        if (caption.isEmpty())
            return;

        const int margin = metrics.averageCharWidth();
        const int textWidth = std::min(metrics.horizontalAdvance(caption) + margin, width() - 2 * margin);
        int left = margin;
        if (alignment() & Qt::AlignHCenter)
            left = (width() - textWidth) / 2;
        else if (alignment() & Qt::AlignRight)
            left = width() - margin - textWidth;
        const QRect titleArea(left, 0, textWidth, metrics.height());
        painter.fillRect(titleArea, palette().color(QPalette::Window));
        painter.setPen(isEnabled() ? palette().color(QPalette::WindowText) : EdgeShadow);
        painter.drawText(titleArea, Qt::AlignCenter | Qt::TextShowMnemonic, caption);
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

QPushButton *button(QWidget *parent, const char *name, const QString &caption)
{
    auto *b = new Button(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    b->setAccessibleName(caption.trimmed());
    return b;
}

QPushButton *button(QWidget *parent, const char *name, const QString &caption, const Twips &at)
{
    QPushButton *b = button(parent, name, caption);
    place(b, at);
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
    auto *g = named(new Frame(caption, parent), name, at);
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
