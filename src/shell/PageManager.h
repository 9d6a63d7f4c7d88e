// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shell/Page.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <functional>

// The single instances of the pages, and the operations every page uses: show page,
// close and discard, replace page, return to the main menu, and ending the program.
class PageManager : public QObject
{
    Q_OBJECT
public:
    static PageManager &instance();

    // The instance of a page, created (hidden, its load action run) on first reference.
    // nullptr only for a name the page table does not know.
    Page *page(const QString &name);
    template<class T>
    T *page()
    {
        return static_cast<T *>(page(QString::fromLatin1(T::PageName)));
    }
    // The instance if it exists, without creating it.
    Page *existing(const QString &name) const;
    template<class T>
    T *existing() const
    {
        return static_cast<T *>(existing(QString::fromLatin1(T::PageName)));
    }

    // A control of a page, found by its name; touching it creates the page (hidden, its
    // load action run) if it does not exist yet. This is how pages hand values to one
    // another: a label that receives a value, a hidden button pressed by program, or the
    // data control whose cursor another page positions.
    template<class T>
    T *control(const QString &pageName, const QString &controlName)
    {
        Page *p = page(pageName);
        return p ? p->findChild<T *>(controlName) : nullptr;
    }

    // Show page: create if needed, make visible without blocking, bring forward.
    Page *show(const QString &name);
    // Close and discard: run the unload action, destroy the window, drop the instance.
    void closeAndDiscard(Page *page);
    void closeAndDiscard(const QString &name);
    // Replace page: show the target first, then close and discard the current page.
    void replace(Page *current, const QString &target);
    // Return to the main menu: show it, then close and discard the current page.
    void returnToMenu(Page *current);
    // Ends the program at once: every page is destroyed without its unload action.
    void endProgram();
    bool hasEnded() const { return m_ended; }

    // What ending the program does after the pages are gone (the running program quits
    // the event loop; tests record it).
    void setQuitHandler(std::function<void()> handler);

    // Destroys every page at once, outside any event handler (end of main, tests).
    void destroyAll();
    // Tests: a clean state, as at program start.
    void resetForTesting();

Q_SIGNALS:
    void pageCreated(const QString &name);
    void pageDiscarded(const QString &name);

private:
    PageManager() = default;
    void discard(Page *page, bool runUnload);

    QHash<QString, QPointer<Page>> m_pages;
    std::function<void()> m_quit;
    bool m_ended = false;
};
