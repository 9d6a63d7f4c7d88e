// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <vector>

class QWidget;

// The resizing control of the full-size pages: it remembers every control's designed
// place and font, and when the page's size changes it rescales them in proportion to the
// designed client area. Each time it rescales it reports resizing(), which the flicker
// guard listens to.
class Resizer : public QObject
{
    Q_OBJECT
public:
    // Records the designed state of every descendant of `page`; `designSize` is the
    // designed client area in pixels.
    Resizer(QWidget *page, QSize designSize);

    // Rescales to the page's current size (called on every resize of the page).
    void apply();

Q_SIGNALS:
    void resizing();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Entry {
        QPointer<QWidget> widget;
        QRect geometry;
        QFont font;
        bool ownFont;
    };
    QWidget *m_page;
    QSize m_design;
    QSize m_applied;
    std::vector<Entry> m_entries;
    QFont m_pageFont;
    bool m_pageOwnFont = false;
};
