// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/SettingsPage.h"

#include "platform/Controls.h"
#include "platform/Desktop.h"
#include "platform/RichTextBox.h"
#include "shell/MainMenu.h"
#include "shell/PageManager.h"
#include "shell/ProgramFolder.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>

namespace {

// Software managers that can remove an installed program, tried in this order.
constexpr const char *SoftwareManagers[] = {"gnome-software", "plasma-discover", "mintinstall",
                                            "pamac-manager", "synaptic-pkexec"};

} // namespace

SettingsPage::SettingsPage(const PageInfo &info)
    : Page(info)
{
    using namespace controls;
    QLabel *screenHeading = label(this, "lblScreenSize", QStringLiteral("Screen Size"), {240, 120, 3000, 300});
    screenHeading->setFont(controls::font(12, true));
    label(this, "lblScreenText",
          QStringLiteral("You can adjust the Program's Screen Size for what works best on your computer:"),
          {240, 480, 3960, 800})
        ->setFont(controls::font(10));
    QPushButton *maximize = button(this, "cmdMaximize", QStringLiteral("Maximize Screen"), {4410, 420, 2000, 380});
    QPushButton *center = button(this, "cmdMitte", QStringLiteral("Center Screen"), {4410, 840, 2000, 380});

    QLabel *uninstallHeading = label(this, "lblUninstall", QStringLiteral("Uninstall"), {240, 1500, 3000, 300});
    uninstallHeading->setFont(controls::font(12, true));
    label(this, "lblUninstallText",
          QStringLiteral("If, for any reason, you wish to uninstall this program, click the button below to start "
                         "Window's Remove Program. Then select the program you wish to remove, click Remove and "
                         "click OK."),
          {240, 1830, 6225, 900})
        ->setFont(controls::font(10));
    QPushButton *remove = button(this, "cmdAddRemove", QStringLiteral("Remove Program"), {1980, 2790, 2000, 380});
    QPushButton *close = button(this, "cmdClose", QStringLiteral("Close"), {5850, 3090, 735, 380});

    m_rtfScreen = new RichTextBox(this);
    m_rtfScreen->setObjectName(QStringLiteral("rtfScreen"));
    m_rtfScreen->hide();

    connect(maximize, &QPushButton::clicked, this, [this] { chooseMode(screenmode::State::Maximised); });
    connect(center, &QPushButton::clicked, this, [this] { chooseMode(screenmode::State::Normal); });
    connect(remove, &QPushButton::clicked, this, &SettingsPage::removeProgram);
    connect(close, &QPushButton::clicked, this, [this] { PageManager::instance().closeAndDiscard(this); });
}

void SettingsPage::chooseMode(screenmode::State state)
{
    PageManager &pages = PageManager::instance();
    const QString mode = screenmode::textFor(state);
    programfolder::makeCurrent();
    m_rtfScreen->setText(mode);
    QString error;
    const bool saved = m_rtfScreen->saveFile(programfolder::file(QStringLiteral("Screen.txt")), &error);

    auto *menu = pages.page<MainMenu>();
    menu->setScreenMode(mode);
    menu->setWindowState(state == screenmode::State::Maximised ? Qt::WindowMaximized : Qt::WindowNoState);
    menu->show();

    QString notice;
    if (saved)
        notice = state == screenmode::State::Maximised
                     ? QStringLiteral("Next time you restart the program all pages will open maximized.")
                     : QStringLiteral("Next time you restart the program all pages will open centered.");
    else
        notice = tr("The screen setting could not be saved (Screen.txt: %1). It applies only until the "
                    "program ends.")
                     .arg(error);
    pages.page<ResizeNotice>()->lblResize()->setText(notice);
    pages.show(QStringLiteral("frmResize"));
}

void SettingsPage::removeProgram()
{
    Desktop &desktop = Desktop::current();
#ifdef Q_OS_WIN
    desktop.startProgram(QStringLiteral("rundll32.exe"),
                         {QStringLiteral("shell32.dll,Control_RunDLL"), QStringLiteral("appwiz.cpl,,1")});
#else
    bool started = false;
    for (const char *manager : SoftwareManagers) {
        const QString program = QStandardPaths::findExecutable(QString::fromLatin1(manager));
        if (!program.isEmpty() && desktop.startProgram(program, {})) {
            started = true;
            break;
        }
    }
    if (!started)
        desktop.message(this, tr("To remove Simillon, delete its program folder:\n%1")
                                  .arg(QDir::toNativeSeparators(programfolder::path())));
#endif
    PageManager &pages = PageManager::instance();
    pages.closeAndDiscard(this);
    pages.endProgram();
}

ResizeNotice::ResizeNotice(const PageInfo &info)
    : Page(info)
{
    using namespace controls;
    m_label = label(this, "lblResize", QString(), {240, 300, 3300, 705});
    m_label->setFont(controls::font(10, true));
    QPushButton *close = button(this, "cmdClose", QStringLiteral("Close"), {1530, 1200, 735, 380});
    connect(close, &QPushButton::clicked, this, [this] { PageManager::instance().closeAndDiscard(this); });
}
