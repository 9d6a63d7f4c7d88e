// SPDX-License-Identifier: GPL-3.0-or-later
#include "afflictions/BodySystemPage.h"

#include "afflictions/BodySystemDesign.h"
#include "platform/Controls.h"
#include "platform/Picture.h"
#include "platform/RichTextBox.h"
#include "shell/PageManager.h"

#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QPushButton>

namespace {

constexpr double PageFontPoints = 10;
const QString AfflictionPage = QStringLiteral("frmAfflictions");

QStringList namesOf(const char *list)
{
    return list ? QString::fromLatin1(list).split(QLatin1Char(','), Qt::SkipEmptyParts) : QStringList();
}

void setTextColor(QWidget *widget, QRgb color)
{
    if (!color)
        return;
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, QColor::fromRgb(color));
    widget->setPalette(palette);
}

} // namespace

BodySystemPage::BodySystemPage(const PageInfo &info)
    : Page(info)
    , m_design(findBodySystemDesign(name()))
{
    // The board comes first, so that the tab order runs down the columns.
    addAfflictionButtons();
    if (m_design)
        build(*m_design);
    else
        qWarning("BodySystemPage: no design for %s", qPrintable(name()));
}

void BodySystemPage::goToAffliction(const QString &key)
{
    PageManager &pages = PageManager::instance();
    // Created on first use, its own load standing on the first record; then it moves.
    pages.page(AfflictionPage);
    pages.show(AfflictionPage);
    if (auto *select = pages.control<QLabel>(AfflictionPage, QStringLiteral("lblSelect")))
        select->setText(key);
    if (auto *go = pages.control<QPushButton>(AfflictionPage, QStringLiteral("cmdGoToSystems"))) {
        go->setEnabled(true);
        go->click();
    }
}

void BodySystemPage::addAfflictionButtons()
{
    QString error;
    m_buttons = contenttables::afflictionButtons(name(), &error);
    if (!error.isEmpty())
        qWarning("%s", qPrintable(error));
    for (const contenttables::AfflictionButton &b : std::as_const(m_buttons)) {
        QPushButton *button = controls::button(content(), qPrintable(b.control), b.caption,
                                               {b.left, b.top, b.width, b.height});
        button->setFont(controls::font(PageFontPoints));
        if (!b.tooltip.isEmpty()) {
            button->setToolTip(b.tooltip);
            button->setAccessibleDescription(b.tooltip);
        }
        const QString key = b.key;
        connect(button, &QPushButton::clicked, this, [key] { goToAffliction(key); });
    }
}

void BodySystemPage::build(const BodySystemDesign &design)
{
    using K = BodySystemDesign::Kind;
    QString error;
    const auto texts = contenttables::TextSections::forPage(name(), &error);
    if (!error.isEmpty())
        qWarning("%s", qPrintable(error));

    QHash<QString, QWidget *> built;
    for (const BodySystemDesign::Control &c : design.controls) {
        QWidget *parent = content();
        if (c.parent) {
            parent = built.value(QString::fromLatin1(c.parent));
            if (!parent) {
                qWarning("%s: %s comes before its parent %s", qPrintable(name()), c.name, c.parent);
                parent = content();
            }
        }
        const QString text = texts.text(QString::fromLatin1(c.name));
        const bool needsText = c.kind == K::Heading || c.kind == K::Label || c.kind == K::Button;
        if (needsText && !texts.contains(QString::fromLatin1(c.name)))
            qWarning("%s: no text for %s", qPrintable(name()), c.name);

        QWidget *widget = nullptr;
        switch (c.kind) {
        case K::Heading: {
            QLabel *l = controls::label(parent, c.name, text, c.at);
            l->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
            widget = l;
            break;
        }
        case K::Label:
            widget = controls::label(parent, c.name, text, c.at);
            break;
        case K::Frame:
            widget = controls::frame(parent, c.name, text, c.at);
            break;
        case K::Panel:
            widget = controls::panel(parent, c.name, c.at);
            break;
        case K::Button:
            widget = controls::button(parent, c.name, text, c.at);
            break;
        case K::Picture: {
            auto *picture = new Picture(parent);
            picture->setObjectName(QString::fromLatin1(c.name));
            if (c.picture && !picture->setSource(QStringLiteral(":/pictures/") + QString::fromLatin1(c.picture)))
                qWarning("%s: picture %s does not load", qPrintable(name()), c.picture);
            // The drawing carries its own part labels; a screen reader gets them here.
            QStringList parts;
            for (const QString &part : namesOf(c.parts))
                parts.append(texts.text(part).simplified());
            QString description = QString::fromUtf8(c.description ? c.description : "");
            if (!parts.isEmpty())
                description += QStringLiteral(": ") + parts.join(QStringLiteral(", "));
            picture->setAccessibleName(description);
            controls::place(picture, c.at);
            widget = picture;
            break;
        }
        case K::RichText: {
            auto *box = new RichTextBox(parent);
            box->setObjectName(QString::fromLatin1(c.name));
            box->setReadOnly(true);
            controls::place(box, c.at);
            widget = box;
            break;
        }
        }
        // Every control has its own font, so that the resizing control scales it; a
        // frame's bold caption must not make its contents bold.
        widget->setFont(controls::font(c.points > 0 ? c.points : PageFontPoints, c.bold));
        setTextColor(widget, c.color);
        // Frames that switch lie over other controls and must hide them.
        if (c.kind == K::Frame || c.kind == K::Panel)
            widget->setAutoFillBackground(true);
        if (c.hidden)
            widget->hide();
        built.insert(QString::fromLatin1(c.name), widget);
    }

    for (int i = 0; i < int(design.switches.size()); ++i) {
        const QString buttonName = QString::fromLatin1(design.switches[size_t(i)].button);
        auto *button = qobject_cast<QPushButton *>(built.value(buttonName));
        if (!button) {
            qWarning("%s: no button %s for its switch", qPrintable(name()), qPrintable(buttonName));
            continue;
        }
        connect(button, &QPushButton::clicked, this, [this, i] { runSwitch(i); });
    }
}

void BodySystemPage::setShown(const char *names, bool shown)
{
    for (const QString &n : namesOf(names)) {
        if (QWidget *w = content()->findChild<QWidget *>(n))
            w->setVisible(shown);
    }
}

void BodySystemPage::runSwitch(int index)
{
    const BodySystemDesign::Switch &s = m_design->switches[size_t(index)];
    setShown(s.hide, false);
    setShown(s.show, true);
    if (s.copyDefinitions && m_design->definitionsBox) {
        // The store page is created unshown on first use and keeps its texts.
        auto *source = PageManager::instance().control<RichTextBox>(QStringLiteral("frmFemMaleStore"),
                                                                     QString::fromLatin1(s.copyDefinitions));
        auto *target = content()->findChild<RichTextBox *>(QString::fromLatin1(m_design->definitionsBox));
        if (source && target)
            target->copyFrom(*source);
    }
    if (s.page)
        PageManager::instance().show(QString::fromLatin1(s.page));
}
