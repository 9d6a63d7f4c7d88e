// SPDX-License-Identifier: GPL-3.0-or-later
#include "databank/RemedyPage.h"
#include "platform/Colours.h"

#include "databank/FixedLists.h"
#include "databank/RemedyPrintout.h"
#include "databank/TextEncoding.h"
#include "platform/Controls.h"
#include "platform/DataControl.h"
#include "platform/Desktop.h"
#include "platform/TextExport.h"
#include "platform/Twips.h"
#include "shell/Companion.h"
#include "shell/PageManager.h"
#include "shell/PrintPage.h"
#include "shell/ProgramFolder.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>
#include <algorithm>
#include <iterator>
#include <span>

namespace {


const QString RecordSource = QStringLiteral("Select * From Homeopathy Order by HomeoName");
const QString BarCaption = QStringLiteral("     Materia Medica");
const QString AfflictionsHeading = QStringLiteral("Afflictions:");
const QString ProfileHeading = QStringLiteral("Remedy Profile of Mother Tincture:");

enum class Look { White, LightYellow, Grey, Panel };

// A button of the page: it shows `target` or runs `action`.
struct ButtonRow {
    const char *name;
    const char *caption;
    int left, top, width, height;
    Look look;
    const char *target;
    void (RemedyPage::*action)();
};

// clang-format off
constexpr ButtonRow TopButtons[] = {
    {"cmdReadFirst",   "Read First / Help",    0,    0, 1695, 315, Look::White,       "frmReadFirst",   nullptr},
    {"cmdSampleAcne",  "Help: Sample",         1680, 0, 1450, 315, Look::White,       "frmSampleAcne",  nullptr},
    {"cmdNamesTip",    "Names Tip",            3120, 0, 1210, 315, Look::White,       "frmNamesTip",    nullptr},
    {"cmdAfflictions", "Afflictions Databank", 4320, 0, 2655, 315, Look::White,       "frmAfflictions", nullptr},
    {"cmdDescription", "View Remedy Profile",  6960, 0, 2900, 315, Look::LightYellow, nullptr, &RemedyPage::switchProfile},
    {"cmdNotara",      "Notara",               9840, 0, 2040, 315, Look::White,       nullptr, &RemedyPage::launchCompanion},
};

// Inside the name frame.
constexpr ButtonRow NameFrameButtons[] = {
    {"cmdSearch", "Search", 3840, 930, 1055, 405, Look::Grey, "frmSearch", nullptr},
    {"cmdPrint",  "Print",  4880, 930, 1025, 405, Look::Grey, nullptr, &RemedyPage::print},
};

// Inside the maintenance frame: two columns of buttons beside the name list.
constexpr ButtonRow MaintenanceButtons[] = {
    {"cmdWhite",          "White",                    90,  270, 1230, 330, Look::Panel, nullptr, &RemedyPage::showDisplayBoxes},
    {"cmdBlue",           "Blue",                     90,  615, 1230, 330, Look::Panel, nullptr, &RemedyPage::showBoundBoxes},
    {"cmdProfileNormal",  "ProfileNormal",            90,  960, 1230, 330, Look::Panel, nullptr, &RemedyPage::showProfileNormal},
    {"cmdProfileVisible", "ProfileVisible",           90, 1305, 1230, 330, Look::Panel, nullptr, &RemedyPage::showProfileVisible},
    {"cmdAdd",            "Add",                      90, 1650, 1230, 330, Look::Panel, nullptr, &RemedyPage::addRecord},
    {"cmdTotal",          "Total Entries",            90, 1995, 1230, 330, Look::Panel, nullptr, &RemedyPage::countEntries},
    {"cmdSaveToText",     "Save",                   1350,  270, 1230, 330, Look::Panel, nullptr, &RemedyPage::saveList},
    {"cmdNumsToText",     "1 2 3 >> A B C",         1350,  615, 1230, 330, Look::Panel, nullptr, &RemedyPage::numbersToText},
    {"cmdTextToNumbers",  "A B C >> 1 2 3",         1350,  960, 1230, 330, Look::Panel, nullptr, &RemedyPage::textToNumbers},
    {"cmdEncrypt",        "Beschreibung: ABC >> 123", 1350, 1305, 1230, 330, Look::Panel, nullptr, &RemedyPage::encryptProfile},
    {"cmdDecrypt",        "Beschreibung: 123 >> ABC", 1350, 1650, 1230, 330, Look::Panel, nullptr, &RemedyPage::decryptProfile},
};

// The boxes of the symptom frame in the page's control order (row by row), each with
// the label that stands 240 twips above it. The potency box closes the list.
struct SymptomBox {
    const char *box;
    const char *field;
    const char *label;
    int left, top, width;
};

constexpr int SymptomBoxHeight = 605, LabelGap = 240;

constexpr SymptomBox SymptomBoxes[] = {
    {"txtModalities",   "Modalities",   "Modalities",                  120,  300, 3775},
    {"txtThroat",       "Throat",       "Throat",                      3960,  300, 3775},
    {"txtNose",         "Nose",         "Nose",                        7800,  300, 3775},
    {"txtAbdomen",      "Abdomen",      "Stomach / Abdomen",           120, 1140, 3775},
    {"txtBack",         "Back",         "Back / Spine",                3960, 1140, 3775},
    {"txtRespiratory",  "Respiratory",  "Respiratory / Chest",         7800, 1140, 3775},
    {"txtMind",         "Mind",         "Mind",                        120, 1965, 3775},
    {"txtEyes",         "Eyes",         "Eyes",                        3960, 1965, 3775},
    {"txtFemale",       "Female",       "Female",                      7800, 1965, 3775},
    {"txtSkin",         "Skin",         "Skin",                        120, 2805, 3775},
    {"txtEars",         "Ears",         "Ears",                        3960, 2805, 3775},
    {"txtMale",         "Male",         "Male",                        7800, 2805, 3775},
    {"txtFever",        "Fever",        "Fever",                       120, 3630, 3775},
    {"txtFace",         "Face",         "Face / Head",                 3960, 3630, 3775},
    {"txtUrine",        "Urine",        "Urine",                       7800, 3630, 3745},
    {"txtCirculatory",  "Circulatory",  "Heart / Circulation / Blood", 120, 4485, 3775},
    {"txtMouth",        "Mouth",        "Mouth / Tongue",              3960, 4485, 3775},
    {"txtExtremities",  "Extremities",  "Extremities",                 7800, 4485, 3775},
    {"txtPain",         "Pain",         "Pains",                       120, 5340, 3775},
    {"txtAdditional",   "Additional",   "Additional",                  3960, 5340, 3775},
    {"txtStool",        "Stool",        "Stool / Rectum",              7800, 5340, 2235},
    {"txtPotency",      "Potency",      "Potency",                     10080, 5340, 1500},
};

// The four boxes of the text area, front to back, all at one place.
struct TextAreaBox {
    const char *name;
    const char *field; // nullptr: a display box
    const char *accessibleName;
    const char *tip;
    bool shown;
};

constexpr controls::Twips TextArea{5970, 90, 5715, 1350};

constexpr TextAreaBox TextAreaBoxes[] = {
    {"txtAfflictionsDec", nullptr,       "Afflictions",                       nullptr,               true},
    {"txtDescriptionDec", nullptr,       "Remedy Profile of Mother Tincture", nullptr,               false},
    {"txtAfflictions",    "Affliction",  "List of Afflictions",               "List of Afflictions", true},
    {"txtDescriptionEnc", "Description", "Remedy Profile of Mother Tincture", nullptr,               true},
};
// clang-format on

QString boxText(const QWidget *box)
{
    if (const auto *line = qobject_cast<const QLineEdit *>(box))
        return line->text();
    if (const auto *plain = qobject_cast<const QPlainTextEdit *>(box)) {
        // The document's own text keeps no-break spaces as typed.
        QString text = plain->document()->toRawText();
        text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
        return text;
    }
    return {};
}

void setBoxText(QPlainTextEdit *box, const QString &text)
{
    if (boxText(box) != text)
        box->setPlainText(text);
}

void setReadOnly(QWidget *box, bool readOnly)
{
    if (auto *line = qobject_cast<QLineEdit *>(box))
        line->setReadOnly(readOnly);
    else if (auto *plain = qobject_cast<QPlainTextEdit *>(box))
        plain->setReadOnly(readOnly);
}

// The designs size their labels for one particular font's metrics. A label keeps its
// designed face at the largest size, down from the designed one, at which every text it
// will carry fits its place; fixed once, so that rescaling the page scales it too.
void fitLabel(QLabel *label, const QStringList &texts)
{
    QFont f = label->font();
    const QRect area(QPoint(), label->size() - QSize(std::max(0, label->indent()), 0));
    const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
    const auto fits = [&](const QFont &candidate) {
        const QFontMetrics metrics(candidate);
        for (const QString &text : texts) {
            const QRect needed = metrics.boundingRect(area, flags, text);
            if (needed.height() > area.height() || needed.width() > area.width())
                return false;
        }
        return true;
    };
    while (f.pointSizeF() > 6 && !fits(f))
        f.setPointSizeF(f.pointSizeF() - 0.25);
    label->setFont(f);
}

void applyLook(QPushButton *button, Look look)
{
    switch (look) {
    case Look::White:
        controls::setColors(button, Qt::black, Qt::white);
        button->setFont(controls::font(10, true));
        break;
    case Look::LightYellow:
        controls::setColors(button, Qt::black, colours::LightYellow);
        button->setFont(controls::font(10, true));
        break;
    case Look::Grey:
        controls::setColors(button, Qt::black, colours::PageGrey);
        button->setFont(controls::font(10, true));
        break;
    case Look::Panel:
        button->setFont(controls::font(8));
        break;
    }
}

} // namespace

RemedyPage::RemedyPage(const PageInfo &info)
    : Page(info)
{
    QWidget *area = content();
    controls::setColors(this, Qt::black, colours::PageGrey);
    controls::setColors(area, Qt::black, colours::PageGrey);

    const auto addButtons = [this](QWidget *parent, std::span<const ButtonRow> rows) {
        for (const ButtonRow &row : rows) {
            QPushButton *button = controls::button(
                parent, row.name, QString::fromUtf8(row.caption), { row.left, row.top, row.width, row.height });
            applyLook(button, row.look);
            const char *target = row.target;
            const auto action = row.action;
            connect(button, &QPushButton::clicked, this, [this, target, action] {
                if (target)
                    PageManager::instance().show(QString::fromLatin1(target));
                else
                    (this->*action)();
            });
        }
    };

    addButtons(area, TopButtons);
    m_description = area->findChild<QPushButton *>(QStringLiteral("cmdDescription"));

    buildNameFrame(area);
    addButtons(m_nameFrame, NameFrameButtons);

    m_data = new DataControl(area);
    m_data->setObjectName(QStringLiteral("datHomeopathy"));
    m_data->setAccessibleName(tr("Materia Medica: step through the remedies"));
    m_data->setCaption(BarCaption);
    m_data->setRecordSource(RecordSource);
    controls::place(m_data, { 180, 1290, 3720, 435 });

    buildSymptomFrame(area);
    buildMaintenancePanel(area);
    addButtons(m_controls, MaintenanceButtons);

    // The bar lies over the lower left corner of the name frame; the maintenance
    // controls over everything.
    m_data->raise();
    m_controlsButton->raise();
    m_controls->raise();

    // Bound in the page's control order: a move fills the boxes one after the other in
    // this order, each raising its change notification.
    const bool editable = programfolder::maintenance();
    for (const auto &[box, field] : std::as_const(m_bound)) {
        m_data->bind(box, field);
        setReadOnly(box, !editable);
    }
    connect(m_afflictions, &QPlainTextEdit::textChanged, this, &RemedyPage::refreshAfflictions);
    connect(m_descriptionEnc, &QPlainTextEdit::textChanged, this, &RemedyPage::refreshDescription);
    // A move that leaves a stored text as it was raises no change; both display boxes
    // still show the decoding of the record the cursor stands on.
    connect(m_data, &DataControl::moved, this, [this] {
        refreshAfflictions();
        refreshDescription();
    });
}

void RemedyPage::buildNameFrame(QWidget *area)
{
    using namespace controls;
    m_nameFrame = panel(area, "Frame1", { 90, 360, 11700, 1515 });
    m_nameFrame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    setColors(m_nameFrame, colours::Navy, colours::PageGrey);

    m_homeoName = lineBox(m_nameFrame, "txtHomeoName", tr("Homeopathic Name"), { 60, 90, 4185, 435 });
    m_homeoName->setToolTip(tr("Homeopathic Name"));
    m_homeoName->setAlignment(Qt::AlignCenter);
    m_homeoName->setFont(controls::font(12.75, true));
    setColors(m_homeoName, colours::Yellow, colours::Navy);
    m_bound.append({ m_homeoName, QStringLiteral("HomeoName") });

    QLabel *englishLabel = label(m_nameFrame, "lblEnglish", tr("English Name:"), { 45, 600, 1395, 330 });
    englishLabel->setFont(controls::font(12, true));
    englishLabel->setWordWrap(false);
    fitLabel(englishLabel, { englishLabel->text() });
    setColors(englishLabel, colours::Navy, colours::PageGrey);
    QLineEdit *english = lineBox(m_nameFrame, "txtEnglish", tr("English Name"), { 1440, 570, 3135, 405 });
    english->setToolTip(tr("English Name"));
    english->setFont(controls::font(12, true));
    setColors(english, colours::Navy, colours::PageGrey);
    m_bound.append({ english, QStringLiteral("English") });

    m_heading = label(m_nameFrame, "lblHeading", AfflictionsHeading, { 4440, 120, 1455, 855 });
    m_heading->setFont(controls::font(12, true));
    // Its left edge lies behind the English name box; the text starts beside the box.
    m_heading->setIndent(twips::toPx(1440 + 3135 - 4440));
    fitLabel(m_heading, { AfflictionsHeading, ProfileHeading });
    setColors(m_heading, colours::Navy, colours::PageGrey);

    QList<QPlainTextEdit *> stack;
    for (const TextAreaBox &row : TextAreaBoxes) {
        QPlainTextEdit *box = textBox(m_nameFrame, row.name, QString::fromUtf8(row.accessibleName), TextArea);
        box->setFont(controls::font(11.25));
        // The lines wrap at the box's width; a box filled while hidden must not show a
        // sideways bar when it comes to the front.
        box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        if (row.tip)
            box->setToolTip(QString::fromUtf8(row.tip));
        if (row.field) {
            setColors(box, Qt::white, colours::Navy);
            m_bound.append({ box, QString::fromLatin1(row.field) });
        } else {
            setColors(box, colours::Navy, Qt::white);
            box->setReadOnly(true);
        }
        box->setVisible(row.shown);
        stack.append(box);
    }
    // Front to back as listed: the back box is raised first.
    for (auto it = stack.crbegin(); it != stack.crend(); ++it)
        (*it)->raise();
    // Labels lie behind the boxes and buttons they touch.
    englishLabel->lower();
    m_heading->lower();
    m_afflictionsDec = stack[0];
    m_descriptionDec = stack[1];
    m_afflictions = stack[2];
    m_descriptionEnc = stack[3];
}

void RemedyPage::buildSymptomFrame(QWidget *area)
{
    using namespace controls;
    QFrame *frame = panel(area, "fraSympt", { 90, 1920, 11700, 6030 });
    setColors(frame, Qt::white, colours::Navy);
    for (const SymptomBox &row : SymptomBoxes) {
        const QString caption = QString::fromUtf8(row.label);
        const QByteArray labelName = QByteArray("lbl") + row.field;
        QLabel *l = label(frame, labelName.constData(), caption, { row.left, row.top - LabelGap, row.width, LabelGap });
        l->setFont(controls::font(11.25));
        setColors(l, Qt::white, colours::Navy);
        QPlainTextEdit *box = textBox(frame, row.box, caption, { row.left, row.top, row.width, SymptomBoxHeight });
        box->setFont(controls::font(11.25));
        box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setColors(box, colours::Navy, Qt::white);
        l->setBuddy(box);
        m_bound.append({ box, QString::fromLatin1(row.field) });
    }
}

void RemedyPage::buildMaintenancePanel(QWidget *area)
{
    using namespace controls;
    m_controlsButton = button(area, "cmdControls", QStringLiteral("C"), { 4800, 1560, 345, 255 });
    m_controlsButton->setAccessibleName(tr("Maintenance controls"));
    m_controlsButton->setFont(controls::font(8, true));
    connect(m_controlsButton, &QPushButton::clicked, this, &RemedyPage::toggleControls);
    // Only a program started for maintenance offers the panel at all.
    m_controlsButton->setVisible(programfolder::maintenance());

    m_controls = frame(area, "fraControls", QStringLiteral("Controls"), { 3600, 4800, 3735, 2445 });
    m_controls->setFont(controls::font(8, true));
    m_controls->setAutoFillBackground(true);
    m_controls->hide();

    m_list = list(m_controls, "List1", tr("Remedy names"), { 2610, 270, 1035, 2085 });
    m_list->setFont(controls::font(8));
    m_list->addItems(fixedlists::loadListItems(QStringLiteral(":/tables/remedy-names.txt")));
}

void RemedyPage::loadWork()
{
    m_data->setDatabaseName(programfolder::file(QStringLiteral("Homeopathy.mdb")));
    // A missing or broken databank leaves the record set empty; the data control tells
    // the user once, and the page stays usable.
    m_data->open();
}

void RemedyPage::refreshAfflictions()
{
    setBoxText(m_afflictionsDec, textencoding::decodeAffliction(boxText(m_afflictions)));
}

void RemedyPage::refreshDescription()
{
    setBoxText(m_descriptionDec, textencoding::decodeDescription(boxText(m_descriptionEnc)));
}

QString RemedyPage::printoutText() const
{
    return remedyprintout::compose([this](const QString &box) {
        const auto *widget = findChild<QWidget *>(box);
        return widget ? boxText(widget) : QString();
    });
}

void RemedyPage::switchProfile()
{
    // The switch goes by which display box is in front, so it keeps its state while
    // the cursor moves.
    if (!m_afflictionsDec->isHidden()) {
        m_description->setText(tr("Hide Remedy Profile"));
        m_heading->setText(ProfileHeading);
        m_afflictionsDec->hide();
        m_descriptionDec->show();
    } else {
        m_description->setText(tr("Remedy Profile"));
        m_heading->setText(AfflictionsHeading);
        m_afflictionsDec->show();
        m_descriptionDec->hide();
    }
    m_description->setAccessibleName(m_description->text());
}

void RemedyPage::print()
{
    PrintPage::handOver(printoutText());
}

void RemedyPage::launchCompanion()
{
    companion::launch();
}

void RemedyPage::toggleControls()
{
    m_controls->setVisible(m_controls->isHidden());
}

void RemedyPage::showDisplayBoxes()
{
    m_afflictionsDec->show();
    m_descriptionDec->show();
    m_afflictions->hide();
    m_descriptionEnc->hide();
}

void RemedyPage::showBoundBoxes()
{
    m_afflictionsDec->hide();
    m_descriptionDec->hide();
    m_afflictions->show();
    m_descriptionEnc->show();
}

void RemedyPage::showProfileNormal()
{
    m_descriptionEnc->hide();
    m_descriptionDec->show();
}

void RemedyPage::showProfileVisible()
{
    m_descriptionEnc->show();
    m_descriptionDec->hide();
    m_afflictionsDec->hide();
    m_afflictions->hide();
}

void RemedyPage::addRecord()
{
    m_homeoName->setFocus();
    if (!m_data->addNew())
        return;
    m_afflictionsDec->hide();
}

void RemedyPage::countEntries()
{
    // Without a databank there is no count to take: the message then has none.
    QString count;
    if (m_data->isOpen()) {
        m_data->moveLast();
        count = QString::number(m_data->recordCount());
    }
    Desktop::current().message(this, count + QStringLiteral(" Entries"));
}

void RemedyPage::saveList()
{
    QStringList items;
    items.reserve(m_list->count());
    for (int i = 0; i < m_list->count(); ++i)
        items << m_list->item(i)->text();
    QString message;
    if (!textexport::writeLines(
            programfolder::file(QStringLiteral("HPRemedies.txt")), items, textexport::Mode::Replace, &message))
        Desktop::current().message(this, message);
}

void RemedyPage::numbersToText()
{
    setBoxText(m_afflictions, textencoding::afflictionNumbersToText(boxText(m_afflictions)));
    refreshAfflictions();
    setBoxText(m_afflictionsDec, textencoding::restoreAdditionalPair(boxText(m_afflictionsDec)));
}

void RemedyPage::textToNumbers()
{
    setBoxText(m_afflictions, textencoding::afflictionTextToNumbers(boxText(m_afflictions)));
}

void RemedyPage::encryptProfile()
{
    setBoxText(m_descriptionEnc, textencoding::encryptDescription(boxText(m_descriptionEnc)));
}

void RemedyPage::decryptProfile()
{
    setBoxText(m_descriptionEnc, textencoding::decryptDescription(boxText(m_descriptionEnc)));
}

void RemedyPage::finishEditing()
{
    // Closing the cursor writes what was typed into the record it stands on, once; a
    // failed write has been told by the data control.
    m_data->close();
}

void RemedyPage::unload()
{
    finishEditing();
}

void RemedyPage::aboutToEnd()
{
    finishEditing();
}
