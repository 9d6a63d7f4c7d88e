// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shell/PageInfo.h"

#include <QWidget>

class QFrame;
class QTimer;
class Resizer;

// A page: one window kind with at most one instance, created the first time anything
// refers to it. The framework (PageManager) creates it, runs its load action once,
// shows, replaces and discards it. A concrete page builds its controls in its
// constructor, puts its own load work in loadWork() and its unload action in unload().
//
// Full-size pages are built inside content(): the frame `fraResize` that covers the
// client area. Their controls are rescaled with the window by the resizing control (which
// records the designed places and fonts when the page loads, after construction), and
// on the pages with the flicker guard `fraResize` is hidden while resize reports keep
// arriving, and shown again by `Timer1` 80 ms after the last one.
class Page : public QWidget
{
    Q_OBJECT
public:
    explicit Page(const PageInfo &info, QWidget *parent = nullptr);
    ~Page() override;

    const PageInfo &info() const { return m_info; }
    QString name() const { return QString::fromLatin1(m_info.name); }

    // The parent for the page's controls: `fraResize` on full-size pages, else the page.
    QWidget *content() const;

    // The mode step: the main menu's screen mode applied to this page's window state.
    void applyScreenMode();

    // Called once by the framework right after construction: the load steps in their
    // order, each failing step skipped.
    void runLoad();
    // The unload action, run by close and discard (never when the program ends).
    virtual void unload() {}
    // Called for every page when the program ends, before it is destroyed without its
    // unload action: the place to keep what the user wrote (pending databank edits).
    virtual void aboutToEnd() {}

protected:
    // The page's own load work.
    virtual void loadWork() {}

    void closeEvent(QCloseEvent *event) override;

private:
    void onResizing();

    const PageInfo &m_info;
    QFrame *m_content = nullptr;
    QTimer *m_timer = nullptr;
    Resizer *m_resizer = nullptr;
};

// A page that a later piece of work builds: an empty page carrying its caption.
class PlainPage final : public Page
{
public:
    explicit PlainPage(const PageInfo &info);
};
