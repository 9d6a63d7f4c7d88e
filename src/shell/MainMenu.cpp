// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/MainMenu.h"
#include "platform/Colours.h"

#include "platform/Controls.h"
#include "platform/Picture.h"
#include "platform/RichTextBox.h"
#include "shell/Companion.h"
#include "shell/PageManager.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <iterator>

namespace {


struct SubjectButton {
    const char *name;
    const char *caption;
    int left, top, width, height;
    const char *target; // page to show; nullptr: the companion program
};

// clang-format off
// Inside the group frame, in tab order (top to bottom).
constexpr SubjectButton SubjectButtons[] = {
    {"cmdIntro",          "Introduction / Help",      180, 1545, 2685, 415, "frmReadFirst"},
    {"cmdDiseases",       "Afflictions",              180, 1965, 2685, 415, "frmAfflictions"},
    {"cmdRemedies",       "Materia Medica: Remedies", 180, 2385, 2685, 640, "frmHomeo"},
    {"cmdCellSalts",      "Cell Salts",               180, 3030, 2685, 415, "frmCellSalts"},
    {"cmdBonesMuscles",   "Bones / Muscles",          180, 3450, 2685, 415, "frmBonesMuscles"},
    {"cmdCardiovascular", "Cardiovascular",           180, 3870, 2685, 415, "frmHeart"},
    {"cmdDigestive",      "Digestive System",         180, 4290, 2685, 415, "frmDigestive"},
    {"cmdEyes",           "Eye Problems",             180, 4710, 2685, 415, "frmEyes"},
    {"cmdFemaleMale",     "Female / Male",            180, 5130, 2685, 415, "frmFemaleMale"},
    {"cmdNerves",         "Mind / Nervous System",    180, 5550, 2685, 415, "frmNerves"},
    {"cmdSkin",           "Skin Problems",            180, 5970, 2685, 415, "frmSkin"},
    {"cmdTongue",         "Tongue Indicator",         180, 6390, 2685, 415, "frmTongueIndicator"},
    {"cmdNotara",         "DataBank",                 180, 6810, 1365, 415, nullptr},
    {"cmdSources",        "Sources",                 1530, 6810, 1335, 415, "frmSources"},
};

struct ToolbarButton {
    const char *name;
    const char *caption;
    int left, width;
    const char *page;
};

// Along the bottom of the page, left to right (tab order 14 onward).
constexpr ToolbarButton ToolbarButtons[] = {
    {"cmdAbout",     "About",             150, 1410, "frmAbout"},
    {"cmdReadFirst", "Disclaimer",       1540, 1605, "frmDisclaimer"},
    {"cmdPrograms",  "Korvalis Products", 3140, 1560, "frmProgramsBooks"},
    {"cmdSettings",  "Settings",         4680, 1410, "frmSettings"},
    {"cmdSupport",   "Support",          6075, 2680, "frmSupport"},
};
// clang-format on

constexpr int ToolbarTop = 7470, ToolbarHeight = 415;

// The order in which the other toolbar pages are closed before one opens.
constexpr const char *ToolbarClosingOrder[] = {"frmDisclaimer", "frmAbout", "frmSettings", "frmSupport",
                                               "frmProgramsBooks"};

} // namespace

MainMenu::MainMenu(const PageInfo &info)
    : Page(info)
{
    using namespace controls;
    QWidget *area = content();
    setColors(this, Qt::white, colours::Teal);
    setColors(area, Qt::white, colours::Teal);

    QGroupBox *frame1 = frame(area, "Frame1", QStringLiteral("Homeopathy"), {150, 0, 3045, 7335});
    frame1->setFont(controls::font(21.75, true));
    setColors(frame1, colours::Yellow, colours::Teal);
    frame1->setAlignment(Qt::AlignHCenter);

    for (const char *maker : {"by", "Korvalis"}) {
        const bool first = QLatin1String(maker) == QLatin1String("by");
        QLabel *l = label(frame1, first ? "lblBy" : "lblMaker", QString::fromLatin1(maker),
                          {180, first ? 560 : 860, 2685, 330});
        l->setFont(controls::font(12.75, true));
        l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        setColors(l, colours::LightYellow, colours::Teal);
    }
    line(frame1, "Line1", 180, 1320, 2865, 1320, colours::LightYellow);

    for (const SubjectButton &b : SubjectButtons) {
        QPushButton *button = controls::button(frame1, b.name, QString::fromUtf8(b.caption),
                                               {b.left, b.top, b.width, b.height});
        button->setFont(controls::font(12, true));
        setColors(button, Qt::black, colours::Olive);
        const char *target = b.target;
        connect(button, &QPushButton::clicked, this, [target] { companion::showPageOrLaunch(target); });
    }

    auto *image = new Picture(area);
    image->setObjectName(QStringLiteral("Image1"));
    image->setAccessibleName(tr("Natural remedies: herbs, a mortar and remedy bottles"));
    image->setSource(QStringLiteral(":/pictures/menu.svg"));
    place(image, {3360, 120, 8370, 7230});

    for (const ToolbarButton &b : ToolbarButtons) {
        QPushButton *button = controls::button(area, b.name, QString::fromUtf8(b.caption),
                                               {b.left, ToolbarTop, b.width, ToolbarHeight});
        button->setFont(controls::font(12, true));
        setColors(button, Qt::black, colours::LightYellow);
        const QString page = QString::fromLatin1(b.page);
        connect(button, &QPushButton::clicked, this, [this, page] { openToolbarPage(page); });
    }

    m_rtfScreen = new RichTextBox(area);
    m_rtfScreen->setObjectName(QStringLiteral("rtfScreen"));
    m_rtfScreen->hide();
}

QString MainMenu::screenMode() const
{
    return m_rtfScreen->text();
}

void MainMenu::setScreenMode(const QString &mode)
{
    m_rtfScreen->setText(mode);
}

void MainMenu::openToolbarPage(const QString &name)
{
    PageManager &pages = PageManager::instance();
    for (const char *other : ToolbarClosingOrder) {
        if (name != QLatin1String(other))
            pages.closeAndDiscard(QString::fromLatin1(other));
    }
    pages.show(name);
}

void MainMenu::loadWork()
{
    // The screen mode: a missing, unreadable, oversized or invalid file leaves the
    // designed empty text, which counts as maximised.
    const QFileInfo file(QStringLiteral("Screen.txt"));
    if (file.isFile() && file.size() <= MaxScreenFileBytes)
        m_rtfScreen->loadFile(file.filePath());
}

void MainMenu::closeEvent(QCloseEvent *event)
{
    event->accept();
    PageManager::instance().endProgram();
}
