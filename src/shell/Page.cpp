// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Page.h"

#include "platform/Controls.h"
#include "platform/Resizer.h"
#include "platform/RichTextBox.h"
#include "platform/Twips.h"
#include "shell/PageManager.h"
#include "shell/ProgramFolder.h"
#include "shell/ScreenMode.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QScreen>
#include <QShortcut>
#include <QTimer>

namespace {
constexpr int FlickerGuardMs = 80;

// The main menu's running copy of the screen mode; empty before the main menu exists.
QString currentScreenMode()
{
    Page *menu = PageManager::instance().existing(QStringLiteral("frmMenu"));
    const auto *box = menu ? menu->findChild<RichTextBox *>(QStringLiteral("rtfScreen")) : nullptr;
    return box ? box->text() : QString();
}
} // namespace

Page::Page(const PageInfo &info, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_info(info)
{
    setObjectName(name());
    setWindowTitle(QString::fromUtf8(info.caption));
    setAccessibleName(QString::fromUtf8(info.caption));
    setFont(controls::font(10)); // page texts are in Times New Roman unless a design says otherwise
    resize(twips::toPx(info.clientWidth, info.clientHeight));

    if (info.fullSize) {
        m_content = new QFrame(this);
        m_content->setObjectName(QStringLiteral("fraResize"));
        m_content->setFrameShape(QFrame::NoFrame);
        m_content->setGeometry(0, 0, width(), height());
    }
    if (info.flickerGuard) {
        m_timer = new QTimer(this);
        m_timer->setObjectName(QStringLiteral("Timer1"));
        m_timer->setInterval(FlickerGuardMs);
        connect(m_timer, &QTimer::timeout, this, [this] {
            if (m_content)
                m_content->show();
            m_timer->stop();
        });
    }
    if (info.escapeEnds) {
        auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
        escape->setContext(Qt::WindowShortcut);
        connect(escape, &QShortcut::activated, this, [this] {
            PageManager &pages = PageManager::instance();
            pages.closeAndDiscard(this);
            pages.endProgram();
        });
    }
}

Page::~Page() = default;

QWidget *Page::content() const
{
    return m_content ? static_cast<QWidget *>(m_content) : const_cast<Page *>(this);
}

void Page::runLoad()
{
    if (m_info.fullSize) {
        m_resizer = new Resizer(this, twips::toPx(m_info.clientWidth, m_info.clientHeight));
        connect(m_resizer, &Resizer::resizing, this, &Page::onResizing);
    }
    if (!m_info.move) {
        // Pages without the move step open centred, as dialog-like pages do.
        if (const QScreen *screen = QGuiApplication::primaryScreen()) {
            QRect r(QPoint(), size());
            r.moveCenter(screen->availableGeometry().center());
            move(r.topLeft());
        }
    }
    if (!m_info.hasLoad)
        return;
    if (m_info.move)
        move(0, 0);
    if (m_info.folder)
        programfolder::makeCurrent();
    if (m_info.workBeforeMode)
        loadWork();
    if (m_info.mode)
        applyScreenMode();
    if (!m_info.workBeforeMode)
        loadWork();
}

void Page::applyScreenMode()
{
    // The two tests read the main menu's text afresh each time.
    const auto state = screenmode::resultingState(currentScreenMode());
    if (!state)
        return;
    setWindowState(*state == screenmode::State::Maximised ? Qt::WindowMaximized : Qt::WindowNoState);
}

void Page::onResizing()
{
    if (m_content) {
        m_content->setGeometry(0, 0, width(), height());
        if (m_timer) {
            m_content->hide();
            m_timer->setInterval(FlickerGuardMs);
            m_timer->stop();
            m_timer->start();
        }
    }
}

void Page::closeEvent(QCloseEvent *event)
{
    event->accept();
    PageManager::instance().closeAndDiscard(this);
}

PlainPage::PlainPage(const PageInfo &info)
    : Page(info)
{
}
