// SPDX-License-Identifier: GPL-3.0-or-later
#include "afflictions/GlossaryPage.h"
#include "platform/Colours.h"

#include "afflictions/ContentTables.h"
#include "platform/Controls.h"
#include "platform/Picture.h"
#include "platform/Twips.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QResizeEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <algorithm>

namespace {

const QColor Rule(0xA0, 0xA0, 0xA0);
constexpr double TextPoints = 10;

// A frame beside the list whose sections follow the terms in the text file.
struct SideFrame {
    const char *frame; // its section is the caption; the terms end before it
    const char *picture;
    const char *description;
    const char *labels[3];
};

struct GlossaryDesign {
    const char *page;
    int listWidth; // twips
    SideFrame side;
};

constexpr GlossaryDesign Designs[] = {
    {"frmDefinitions", 11280, {}},
    {"frmDefinitionsDigestive", 7800,
     {"fraGinger", "ginger.svg", "Ginger root with a leafy shoot", {"lblGinger1", "lblGinger2", "lblGinger3"}}},
};

const GlossaryDesign *findDesign(const QString &page)
{
    for (const GlossaryDesign &d : Designs) {
        if (page == QLatin1String(d.page))
            return &d;
    }
    return nullptr;
}

// Places in twips; the list's heights follow the texts.
constexpr int Left = 300, Top = 720, Height = 7050;
constexpr int ScrollBarReserve = 330; // the list never needs to scroll sideways
constexpr int TermLeft = 150, TermWidth = 2150, Gap = 150, PairPadding = 90;

// The height in twips that `text` needs when wrapped into `width` twips.
int textHeight(const QString &text, const QFont &font, int width)
{
    const QRect bounds = QFontMetrics(font).boundingRect(QRect(0, 0, twips::toPx(width), 100000),
                                                          Qt::TextWordWrap, text);
    return twips::fromPx(bounds.height() + 2);
}

QLabel *textLabel(QWidget *parent, const QString &name, const QString &text, const QFont &font, int left, int top,
                  int width, int height)
{
    QLabel *l = controls::label(parent, qPrintable(name), text, {left, top, width, height});
    l->setFont(font);
    return l;
}

} // namespace

GlossaryPage::GlossaryPage(const PageInfo &info)
    : Page(info)
{
    const GlossaryDesign *design = findDesign(name());
    if (!design) {
        qWarning("GlossaryPage: no design for %s", qPrintable(name()));
        return;
    }
    QString error;
    const auto texts = contenttables::TextSections::forPage(name(), &error);
    if (!error.isEmpty())
        qWarning("%s", qPrintable(error));

    QWidget *area = content();
    QLabel *title = controls::label(area, "lblTitle", windowTitle(), {Left, 120, 11280, 480});
    title->setFont(controls::font(16, true));
    title->setAlignment(Qt::AlignCenter);
    QPalette titlePalette = title->palette();
    titlePalette.setColor(QPalette::WindowText, colours::Navy);
    title->setPalette(titlePalette);

    // The terms: every section up to the side frame's.
    QList<contenttables::TextSections::Section> pairs;
    for (const auto &section : texts.sections()) {
        if (design->side.frame && section.name == QLatin1String(design->side.frame))
            break;
        pairs.append(section);
        m_terms.append(section.name);
    }

    m_scroll = new QScrollArea(area);
    m_scroll->setObjectName(QStringLiteral("scrTerms"));
    m_scroll->setAccessibleName(windowTitle());
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll->setBackgroundRole(QPalette::Base);
    controls::place(m_scroll, {Left, Top, design->listWidth, Height});

    auto *list = new QWidget;
    list->setObjectName(QStringLiteral("fraTerms"));
    list->setBackgroundRole(QPalette::Base);
    list->setAutoFillBackground(true);
    const int listWidth = design->listWidth - ScrollBarReserve;
    const int definitionLeft = TermLeft + TermWidth + Gap;
    const int definitionWidth = listWidth - definitionLeft - TermLeft;
    const QFont termFont = controls::font(TextPoints, true);
    const QFont definitionFont = controls::font(TextPoints);
    // The list draws on the base colour, so its labels take the text role.
    QPalette termPalette = list->palette();
    termPalette.setColor(QPalette::WindowText, colours::DarkRed);
    termPalette.setColor(QPalette::Text, colours::DarkRed);

    int y = PairPadding;
    for (int i = 0; i < pairs.size(); ++i) {
        const QString term = pairs[i].name;
        const QString definition = pairs[i].text;
        const int height = std::max(textHeight(term, termFont, TermWidth),
                                    textHeight(definition, definitionFont, definitionWidth));
        QLabel *t = textLabel(list, QStringLiteral("lblTerm%1").arg(i + 1), term, termFont, TermLeft, y, TermWidth,
                              height);
        t->setPalette(termPalette);
        QLabel *d = textLabel(list, QStringLiteral("lblDefinition%1").arg(i + 1), definition, definitionFont,
                              definitionLeft, y, definitionWidth, height);
        d->setAccessibleDescription(term);
        y += height + PairPadding;
        controls::line(list, qPrintable(QStringLiteral("Line%1").arg(i + 1)), TermLeft, y, listWidth - TermLeft, y,
                       Rule);
        y += PairPadding;
    }
    list->resize(twips::toPx(listWidth, std::max(y, Height - 60)));
    m_scroll->setWidget(list);

    if (design->side.frame) {
        const SideFrame &side = design->side;
        const int frameLeft = Left + design->listWidth + 200;
        const int frameWidth = Left + 11280 - frameLeft;
        QGroupBox *frame = controls::frame(area, side.frame, texts.text(QString::fromLatin1(side.frame)),
                                           {frameLeft, Top, frameWidth, Height});
        frame->setFont(controls::font(11, true));
        auto *picture = new Picture(frame);
        picture->setObjectName(QStringLiteral("imgGinger"));
        picture->setAccessibleName(QString::fromLatin1(side.description));
        if (!picture->setSource(QStringLiteral(":/pictures/") + QString::fromLatin1(side.picture)))
            qWarning("GlossaryPage: picture %s does not load", side.picture);
        controls::place(picture, {200, 360, frameWidth - 400, 2600});
        int top = 3100;
        for (const char *labelName : side.labels) {
            const QString text = texts.text(QString::fromLatin1(labelName));
            const int height = textHeight(text, definitionFont, frameWidth - 400);
            textLabel(frame, QString::fromLatin1(labelName), text, definitionFont, 200, top, frameWidth - 400, height);
            top += height + 200;
        }
    }
}

void GlossaryPage::resizeEvent(QResizeEvent *event)
{
    Page::resizeEvent(event);
    // The resizing control puts the list back at its designed top; keep it where the
    // scroll bar says.
    if (m_scroll && m_scroll->widget())
        m_scroll->widget()->move(m_scroll->widget()->x(), -m_scroll->verticalScrollBar()->value());
}
