// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/PageManager.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>

PageManager &PageManager::instance()
{
    static PageManager manager;
    return manager;
}

Page *PageManager::existing(const QString &name) const
{
    return m_pages.value(name).data();
}

Page *PageManager::page(const QString &name)
{
    if (Page *found = existing(name))
        return found;
    const PageInfo *info = findPageInfo(name);
    if (!info)
        return nullptr;
    Page *created = info->create ? info->create(*info) : new PlainPage(*info);
    // Registered before its load runs, so that the load (or anything it calls) finds
    // this instance instead of creating a second one.
    m_pages.insert(name, created);
    created->runLoad();
    Q_EMIT pageCreated(name);
    return created;
}

Page *PageManager::show(const QString &name)
{
    Page *p = page(name);
    if (!p)
        return nullptr;
    p->show();
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) // it cannot raise
        p->raise();
    p->activateWindow();
    return p;
}

void PageManager::discard(Page *p, bool runUnload)
{
    if (!p)
        return;
    const QString name = p->name();
    if (m_pages.value(name) != p)
        return; // already discarded
    m_pages.remove(name);
    if (runUnload)
        p->unload();
    else
        p->aboutToEnd();
    p->hide();
    // Destroyed when control returns to the event loop: the page may be discarding
    // itself from one of its own handlers.
    p->deleteLater();
    Q_EMIT pageDiscarded(name);
}

void PageManager::closeAndDiscard(Page *p)
{
    discard(p, true);
}

void PageManager::closeAndDiscard(const QString &name)
{
    discard(existing(name), true);
}

void PageManager::replace(Page *current, const QString &target)
{
    show(target);
    closeAndDiscard(current);
}

void PageManager::returnToMenu(Page *current)
{
    replace(current, QStringLiteral("frmMenu"));
}

void PageManager::endProgram()
{
    if (m_ended)
        return;
    m_ended = true;
    const auto pages = m_pages.values();
    for (const QPointer<Page> &p : pages)
        discard(p.data(), false);
    if (m_quit)
        m_quit();
}

void PageManager::setQuitHandler(std::function<void()> handler)
{
    m_quit = std::move(handler);
}

void PageManager::destroyAll()
{
    const auto pages = m_pages.values();
    m_pages.clear();
    for (const QPointer<Page> &p : pages) {
        if (p) {
            p->aboutToEnd();
            delete p.data();
        }
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void PageManager::resetForTesting()
{
    destroyAll();
    m_ended = false;
}
