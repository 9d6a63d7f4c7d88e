// SPDX-License-Identifier: GPL-3.0-or-later
#include "afflictions/SampleAcnePage.h"
#include "platform/Colours.h"

#include "databank/Criterion.h"
#include "platform/Controls.h"
#include "platform/DataControl.h"
#include "platform/Desktop.h"
#include "platform/Picture.h"
#include "platform/Twips.h"
#include "shell/PageManager.h"

#include <QCursor>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QSvgRenderer>
#include <algorithm>

namespace {

const QString OthersFrame = QStringLiteral("fraOthers");

// Twips. Every frame of the page is 11300 wide at left 300.
constexpr int FrameLeft = 300, FrameWidth = 11300;
constexpr controls::Twips ChoiceArea{FrameLeft, 2145, FrameWidth, 3690};
constexpr int PictureWidth = 2000, PictureHeight = 1700; // the drawings are 100 x 85

// The pointer of the pictures that take a click: the blue arrow, its tip the hotspot.
QCursor arrowCursor()
{
    QSvgRenderer renderer(QStringLiteral(":/pictures/arrow.svg"));
    if (!renderer.isValid())
        return QCursor(Qt::PointingHandCursor);
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    painter.end();
    return QCursor(pixmap, 30, 16);
}

int textHeight(const QString &text, const QFont &font, int width)
{
    const QRect bounds = QFontMetrics(font).boundingRect(QRect(0, 0, twips::toPx(width), 100000),
                                                          Qt::TextWordWrap, text);
    return twips::fromPx(bounds.height() + 2);
}

QLabel *textLabel(QWidget *parent, const char *name, const QString &text, const controls::Twips &at,
                  double points = 10, bool bold = false)
{
    QLabel *l = controls::label(parent, name, text, at);
    l->setFont(controls::font(points, bold));
    return l;
}

} // namespace

SampleAcnePage::SampleAcnePage(const PageInfo &info)
    : Page(info)
{
    using namespace controls;
    QString error;
    const auto texts = contenttables::TextSections::forPage(name(), &error);
    if (!error.isEmpty())
        qWarning("%s", qPrintable(error));
    m_causes = contenttables::acneCauses(&error);
    if (!error.isEmpty())
        qWarning("%s", qPrintable(error));
    m_symptoms = contenttables::acneSymptoms(&error);
    if (!error.isEmpty())
        qWarning("%s", qPrintable(error));
    m_pictures = contenttables::acnePictures(&error);
    if (!error.isEmpty())
        qWarning("%s", qPrintable(error));
    const auto text = [&texts](const char *section) { return texts.text(QString::fromLatin1(section)); };

    QWidget *area = content();
    QLabel *title = textLabel(area, "lblTitle", text("lblTitle"), {FrameLeft, 270, FrameWidth, 330}, 12, true);
    title->setAlignment(Qt::AlignCenter);
    QPalette titlePalette = title->palette();
    titlePalette.setColor(QPalette::WindowText, colours::Navy);
    title->setPalette(titlePalette);

    // The cause buttons, in one row.
    QGroupBox *causes = frame(area, "Frame1", text("Frame1"), {FrameLeft, 630, FrameWidth, 1245});
    causes->setFont(controls::font(10, true));
    constexpr int CauseGap = 100, CauseMargin = 150;
    const int count = std::max<int>(1, int(m_causes.size()));
    const int causeWidth = (FrameWidth - 2 * CauseMargin - (count - 1) * CauseGap) / count;
    for (int i = 0; i < m_causes.size(); ++i) {
        QPushButton *b = button(causes, qPrintable(m_causes[i].button), m_causes[i].caption,
                                {CauseMargin + i * (causeWidth + CauseGap), 330, causeWidth, 720});
        b->setFont(controls::font(10, true));
        connect(b, &QPushButton::clicked, this, [this, i] { chooseCause(i); });
    }

    // The explanation, with the main picture over its right side.
    m_howTo = frame(area, "fraSampleHowTo", text("fraSampleHowTo"), {FrameLeft, 1965, FrameWidth, 4100});
    m_howTo->setFont(controls::font(10, true));
    constexpr int HowToWidth = 6900;
    int top = 330;
    for (const char *n : {"lblHowTo1", "lblHowTo2", "lblHowTo3", "lblHowTo4", "lblHowTo5"}) {
        const QString t = text(n);
        const int height = textHeight(t, controls::font(10), HowToWidth);
        textLabel(m_howTo, n, t, {200, top, HowToWidth, height});
        top += height + 120;
    }
    QPushButton *close = button(m_howTo, "cmdClose", text("cmdClose"), {9800, 3550, 1300, 420});
    close->setFont(controls::font(10));
    connect(close, &QPushButton::clicked, m_howTo, &QWidget::hide);

    m_imgMain = new Picture(area);
    m_imgMain->setObjectName(QStringLiteral("imgMain"));
    m_imgMain->setAccessibleName(tr("A face with a few spots, one of them under a magnifier"));
    if (!m_imgMain->setSource(QStringLiteral(":/pictures/acne-main.svg")))
        qWarning("SampleAcnePage: acne-main.svg does not load");
    place(m_imgMain, {7400, 2300, 3950, 2200});

    // The nine choice frames share the working area; all are hidden at start.
    const QCursor pointer = arrowCursor();
    const auto addChoiceFrame = [&](const QString &frameName, const QString &caption) {
        QGroupBox *f = frame(area, qPrintable(frameName), caption, ChoiceArea);
        f->setFont(controls::font(10, true));
        f->hide();
        m_frames.insert(frameName, f);
        return f;
    };
    for (const auto &c : std::as_const(m_causes))
        buildChoiceFrame(addChoiceFrame(c.frame, c.frameCaption), c.frame, pointer);
    for (const auto &s : std::as_const(m_symptoms))
        buildChoiceFrame(addChoiceFrame(s.frame, s.frameCaption), s.frame, pointer);

    if (QGroupBox *others = m_frames.value(OthersFrame)) {
        for (int i = 0; i < m_symptoms.size(); ++i) {
            QPushButton *b = button(others, qPrintable(m_symptoms[i].button), m_symptoms[i].caption,
                                    {250, 450 + i * 650, 4700, 520});
            b->setFont(controls::font(10));
            connect(b, &QPushButton::clicked, this, [this, i] { chooseSymptom(i); });
        }
        textLabel(others, "lblPurplish", text("lblPurplish"), {5400, 420, 2800, 650});
        textLabel(others, "lblOilySkin", text("lblOilySkin"), {8500, 420, 2600, 650});
    }

    // The result: the selection and the way to the remedy's profile.
    QGroupBox *result = frame(area, "fraSampleRemedy", text("fraSampleRemedy"), {FrameLeft, 6225, FrameWidth, 1650});
    result->setFont(controls::font(10, true));
    m_lblRemedy = textLabel(result, "lblRemedy", QString(), {300, 360, 5200, 480}, 12, true);
    m_lblRemedy->setAlignment(Qt::AlignCenter);
    setColors(m_lblRemedy, Qt::white, colours::Blue);
    m_cmdOpenProfile = button(result, "cmdOpenProfile", QString(), {300, 930, 5200, 480});
    m_cmdOpenProfile->setFont(controls::font(10, true));
    connect(m_cmdOpenProfile, &QPushButton::clicked, this, &SampleAcnePage::openProfile);
    textLabel(result, "lblVerify", text("lblVerify"), {5800, 420, 5200, 360});
    // White on white: the lookup name is there for the profile button, not for the eye.
    m_lblRemedyInvisible = textLabel(result, "lblRemedyInvisible", QString(), {5800, 930, 5200, 360});
    setColors(m_lblRemedyInvisible, Qt::white, Qt::white);
}

QString SampleAcnePage::noRecordMessage()
{
    return QStringLiteral("No record found.");
}

void SampleAcnePage::buildChoiceFrame(QGroupBox *frame, const QString &frameName, const QCursor &pointer)
{
    QList<int> own;
    for (int i = 0; i < m_pictures.size(); ++i) {
        if (m_pictures[i].frame == frameName)
            own.append(i);
    }
    // Other frames: the pictures spread evenly in one row. The "Others" frame keeps its
    // left half for the symptom buttons and sets each picture under its label.
    const bool others = frameName == OthersFrame;
    const int n = int(own.size());
    const int spacing = n ? (ChoiceArea.width - n * PictureWidth) / (n + 1) : 0;
    for (int k = 0; k < n; ++k) {
        const contenttables::AcnePicture &p = m_pictures[own[k]];
        auto *picture = new Picture(frame);
        picture->setObjectName(p.picture);
        picture->setAccessibleName(p.selection.isEmpty() ? p.lookup : p.selection);
        if (!picture->setSource(QStringLiteral(":/pictures/") + p.file))
            qWarning("SampleAcnePage: picture %s does not load", qPrintable(p.file));
        if (others)
            controls::place(picture, {5500 + k * 3100, 1150, 2400, 2040});
        else
            controls::place(picture, {spacing + k * (PictureWidth + spacing), 1100, PictureWidth, PictureHeight});
        if (p.clickable()) {
            picture->setCursor(pointer);
            const int index = own[k];
            connect(picture, &Picture::clicked, this, [this, index] { choosePicture(index); });
        }
    }
}

void SampleAcnePage::chooseCause(int index)
{
    const contenttables::AcneCause &cause = m_causes[index];
    if (QGroupBox *own = m_frames.value(cause.frame))
        own->show();
    for (const auto &c : std::as_const(m_causes)) {
        if (c.frame != cause.frame)
            if (QGroupBox *f = m_frames.value(c.frame))
                f->hide();
    }
    for (const auto &s : std::as_const(m_symptoms)) {
        if (QGroupBox *f = m_frames.value(s.frame))
            f->hide();
    }
    m_howTo->hide();
    m_imgMain->hide();
    clearSelection();
    if (!cause.selection.isEmpty() || !cause.lookup.isEmpty())
        setSelection(cause.selection, cause.lookup, cause.profileCaption);
}

void SampleAcnePage::chooseSymptom(int index)
{
    if (QGroupBox *own = m_frames.value(m_symptoms[index].frame))
        own->show();
    if (QGroupBox *others = m_frames.value(OthersFrame))
        others->hide();
    clearSelection();
}

void SampleAcnePage::choosePicture(int index)
{
    const contenttables::AcnePicture &p = m_pictures[index];
    m_lblRemedy->clear();
    setSelection(p.selection, p.lookup, p.caption);
}

void SampleAcnePage::clearSelection()
{
    setSelection(QString(), QString(), QString());
}

void SampleAcnePage::setSelection(const QString &text, const QString &lookup, const QString &caption)
{
    m_lblRemedy->setText(text);
    m_lblRemedy->setAccessibleName(text);
    m_lblRemedyInvisible->setText(lookup);
    m_cmdOpenProfile->setText(caption);
    m_cmdOpenProfile->setAccessibleName(caption);
}

void SampleAcnePage::openProfile()
{
    // Each failing step is reported and the next one still runs. A name that matches
    // no remedy is no failure: the remedy page stays on the record it showed.
    PageManager &pages = PageManager::instance();
    const QString remedyPage = QStringLiteral("frmHomeo");
    const QString criterion = Criterion::like(QStringLiteral("HomeoName"), m_lblRemedyInvisible->text().trimmed());
    auto *data = pages.control<DataControl>(remedyPage, QStringLiteral("datHomeopathy"));
    bool failed = !data || !data->isOpen();
    if (!failed && !data->findFirst(criterion))
        failed = !data->cursor().lastError().isEmpty();
    if (failed)
        Desktop::current().message(this, noRecordMessage());
    if (!pages.show(remedyPage))
        Desktop::current().message(this, noRecordMessage());
}
