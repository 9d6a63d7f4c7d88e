// SPDX-License-Identifier: GPL-3.0-or-later
#include "afflictions/AfflictionsPage.h"
#include "platform/Colours.h"

#include "databank/Criterion.h"
#include "databank/RecordCursor.h"
#include "databank/Scramble.h"
#include "platform/Controls.h"
#include "platform/DataControl.h"
#include "platform/Desktop.h"
#include "platform/TextExport.h"
#include "shell/Companion.h"
#include "shell/PageManager.h"
#include "shell/PrintPage.h"
#include "shell/ProgramFolder.h"

#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSvgRenderer>
#include <iterator>

namespace {


const QString RemedyPageName = QStringLiteral("frmHomeo");
const QString RemedyCursorName = QStringLiteral("datHomeopathy");
const QString RemedyKey = QStringLiteral("HomeoName");
const QString AfflictionKey = QStringLiteral("Affliction");
// The record whose arrival makes the first remedy box visible.
const QString SampleKey = QStringLiteral("Acne 1/2");

constexpr int RightColumn = 5940, LeftColumn = 90, CommonOffset = 2910;
constexpr int Row1 = 660, Row2 = 2370, Row3 = 4200, Row4 = 6030;
constexpr int NameWidth = 2925, NameHeight = 375;
constexpr int SymptomsBelow = 360, SymptomsWidth = 5835, SymptomsHeight = 1475, FirstSymptomsHeight = 1350;

struct SlotDesign {
    const char *remedyBox;
    const char *remedyField;
    const char *remedyDisplay;
    const char *commonBox;
    const char *commonField;
    const char *commonDisplay;
    // The symptoms boxes of slots 4 to 7 carry other numbers than their fields; the
    // field decides which slot a box belongs to.
    const char *symptomsBox;
    const char *symptomsField;
    int left, top; // the remedy boxes; the common-name boxes stand CommonOffset further right
    int symptomsHeight;
};

// clang-format off
constexpr SlotDesign Slots[AfflictionsPage::SlotCount] = {
    {"txtHomeoName1", "HomeoName1", "txtHomeoOne",   "txtCommon1", "CommonName1", "txtCommonOne",   "txtSymp1", "Sympt1", RightColumn, Row1, FirstSymptomsHeight},
    {"txtHomeoName2", "HomeoName2", "txtHomeoTwo",   "txtCommon2", "CommonName2", "txtCommonTwo",   "txtSymp2", "Sympt2", RightColumn, Row2, SymptomsHeight},
    {"txtHomeoName3", "HomeoName3", "txtHomeoThree", "txtCommon3", "CommonName3", "txtCommonThree", "txtSymp3", "Sympt3", RightColumn, Row3, SymptomsHeight},
    {"txtHomeoName4", "HomeoName4", "txtHomeoFour",  "txtCommon4", "CommonName4", "txtCommonFour",  "txtSymp6", "Sympt4", RightColumn, Row4, SymptomsHeight},
    {"txtHomeoName5", "HomeoName5", "txtHomeoFive",  "txtCommon5", "CommonName5", "txtCommonFive",  "txtSymp7", "Sympt5", LeftColumn,  Row2, SymptomsHeight},
    {"txtHomeoName6", "HomeoName6", "txtHomeoSix",   "txtCommon6", "CommonName6", "txtCommonSix",   "txtSymp5", "Sympt6", LeftColumn,  Row3, SymptomsHeight},
    {"txtHomeoName7", "HomeoName7", "txtHomeoSeven", "txtCommon7", "CommonName7", "txtCommonSeven", "txtSymp4", "Sympt7", LeftColumn,  Row4, SymptomsHeight},
};

struct PageButton {
    const char *name;
    const char *caption;
    controls::Twips at;
    const char *target;                 // the page it shows, or
    void (AfflictionsPage::*action)();  // what it does instead
};

constexpr PageButton PageButtons[] = {
    {"cmdReadFirst",  "Read First / Help",                    {0,    0,   1785, 375}, "frmReadFirst",  nullptr},
    {"cmdSampleAcne", "Help: Sample",                         {1800, 0,   1545, 375}, "frmSampleAcne", nullptr},
    {"cmdSuchTip",    "Search Tip",                           {3360, 0,   1545, 375}, "frmSuchTip",    nullptr},
    {"cmdRemedies",   "Materia Medica: Remedies Databank",    {4920, 0,   3945, 375}, "frmHomeo",      nullptr},
    {"cmdNotara",     "Notara",                               {8880, 0,   1545, 375}, nullptr,         nullptr},
    {"cmdSearch",     "Search",                               {120,  420, 1545, 375}, "frmSearch",     nullptr},
    {"cmdPrint",      "Print",                                {120,  795, 1545, 375}, nullptr,         &AfflictionsPage::print},
};

struct MaintenanceButton {
    const char *name;
    const char *caption;
    void (AfflictionsPage::*action)();
};

// In the frame `fraControls`, three to a row.
constexpr MaintenanceButton MaintenanceButtons[] = {
    {"Command1",      "ABC/123",     &AfflictionsPage::scrambleNames},
    {"cmdBlue",       "Blue",        &AfflictionsPage::showBoundBoxes},
    {"cmdWhite",      "White",       &AfflictionsPage::showDisplayBoxes},
    {"cmdAdd",        "Add Record",  &AfflictionsPage::addRecord},
    {"cmdTotal",      "TotalPages",  &AfflictionsPage::countEntries},
    {"cmdSaveToText", "SaveToText",  &AfflictionsPage::saveList},
};

struct Heading {
    const char *name;
    const char *text;
    int left, top;
};

// Above the first row of each column.
constexpr Heading Headings[] = {
    {"lblRemedyHeading1", " Homeopathic Remedy:", RightColumn, 390},
    {"lblCommonHeading1", " Common Name:", RightColumn + CommonOffset, 390},
    {"lblRemedyHeading2", " Homeopathic Remedy:", LeftColumn, 2100},
    {"lblCommonHeading2", " Common Name:", LeftColumn + CommonOffset, 2100},
};
// clang-format on

constexpr controls::Twips ControlsFrame{90, 1230, 5835, 840};
constexpr int MaintenanceButtonWidth = 1845, MaintenanceButtonHeight = 360;

// The blue arrow pointing right that marks the display boxes as clickable; its tip is
// the hot spot.
QCursor arrowPointer()
{
    QSvgRenderer drawing(QStringLiteral(":/pictures/arrow.svg"));
    if (!drawing.isValid())
        return QCursor(Qt::PointingHandCursor);
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    drawing.render(&painter, QRectF(0, 0, 32, 32));
    painter.end();
    return QCursor(pixmap, 30, 16);
}

QLineEdit *nameLine(QWidget *parent, const char *name, const QString &accessibleName, int left, int top)
{
    QLineEdit *box = controls::lineBox(parent, name, accessibleName, {left, top, NameWidth, NameHeight});
    box->setFont(controls::font(11, true));
    return box;
}

} // namespace

AfflictionsPage::AfflictionsPage(const PageInfo &info)
    : Page(info)
    , m_pointer(arrowPointer())
{
    using namespace controls;
    QWidget *area = content();
    setColors(this, Qt::black, colours::PageGrey);
    setColors(area, Qt::black, colours::PageGrey);

    for (const PageButton &b : PageButtons) {
        QPushButton *button = controls::button(area, b.name, QString::fromUtf8(b.caption), b.at);
        button->setFont(controls::font(10, true));
        if (b.action) {
            connect(button, &QPushButton::clicked, this, b.action);
        } else {
            const char *target = b.target;
            connect(button, &QPushButton::clicked, this, [target] { companion::showPageOrLaunch(target); });
        }
    }

    m_key = lineBox(area, "txtAfflictions", tr("Affliction"), {1770, 420, 4140, 375});
    m_key->setFont(controls::font(12, true));
    m_key->setAlignment(Qt::AlignCenter);
    setColors(m_key, colours::Yellow, colours::Blue);

    m_data = new DataControl(area);
    m_data->setObjectName(QStringLiteral("datHomeoAfflictions"));
    m_data->setAccessibleName(tr("Afflictions"));
    m_data->setCaption(QStringLiteral("             Afflictions"));
    m_data->setRecordSource(QStringLiteral("Select * From HomeoAffliction Order By Affliction"));
    place(m_data, {1755, 795, 4155, 415});

    QLabel *hint = label(area, "lblHint",
                         QStringLiteral("To find your best match, compare the symptoms listed under each remedy. "
                                        "Some afflictions have entries on extra pages. When in doubt, additional "
                                        "remedy info can be compared in the Materia Medica. "),
                         {180, 1290, 5715, 750});
    hint->setFont(controls::font(10));
    setColors(hint, colours::Navy, colours::PageGrey);

    for (const Heading &h : Headings) {
        QLabel *heading = label(area, h.name, QString::fromUtf8(h.text), {h.left, h.top, NameWidth, 270});
        heading->setFont(controls::font(10, true));
        setColors(heading, colours::Navy, colours::PageGrey);
    }

    buildSlots(area);
    buildChoiceFrame(area);
    buildHiddenControls(area);
    bindBoxes();

    connect(m_key, &QLineEdit::textChanged, this, &AfflictionsPage::onKeyChanged);
    connect(m_slots[0].remedy, &QLineEdit::textChanged, this, &AfflictionsPage::refreshAllDisplays);
    for (int slot = 0; slot < SlotCount; ++slot) {
        const int common = 2 * slot + 1;
        connect(m_slots[slot].common, &QLineEdit::textChanged, this, [this, common] { refreshDisplay(common); });
    }
    // A move may change any name while the first remedy stays the same; the display
    // boxes must show the new record whichever boxes changed.
    connect(m_data, &DataControl::moved, this, &AfflictionsPage::refreshAllDisplays);
}

void AfflictionsPage::buildSlots(QWidget *area)
{
    using controls::setColors;
    const bool editable = programfolder::maintenance();
    // The bound boxes come first, so that the display boxes lie above them.
    for (int slot = 0; slot < SlotCount; ++slot) {
        const SlotDesign &d = Slots[slot];
        const QString number = QString::number(slot + 1);
        SlotBoxes boxes;
        boxes.remedy = nameLine(area, d.remedyBox, tr("Stored remedy name %1").arg(number), d.left, d.top);
        boxes.common = nameLine(area, d.commonBox, tr("Stored common name %1").arg(number), d.left + CommonOffset,
                                d.top);
        for (QLineEdit *box : {boxes.remedy, boxes.common}) {
            setColors(box, colours::StoredBlue, colours::StoredGrey);
            box->setReadOnly(!editable);
            box->hide();
        }
        boxes.symptoms = controls::textBox(area, d.symptomsBox, tr("Symptoms for remedy %1").arg(number),
                                           {d.left, d.top + SymptomsBelow, SymptomsWidth, d.symptomsHeight});
        boxes.symptoms->setFont(controls::font(10));
        // The text wraps, so a sideways bar would only flash up while the box is laid out.
        boxes.symptoms->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        boxes.symptoms->setReadOnly(!editable);
        setColors(boxes.symptoms, colours::Navy, Qt::white);
        m_slots.append(boxes);
    }
    for (int slot = 0; slot < SlotCount; ++slot) {
        const SlotDesign &d = Slots[slot];
        const QString number = QString::number(slot + 1);
        SlotBoxes &boxes = m_slots[slot];
        boxes.remedyDisplay = nameLine(area, d.remedyDisplay, tr("Homeopathic remedy %1").arg(number), d.left, d.top);
        boxes.remedyDisplay->setToolTip(tr("Click to open this remedy in the Materia Medica"));
        boxes.remedyDisplay->installEventFilter(this);
        boxes.commonDisplay =
            nameLine(area, d.commonDisplay, tr("Common name %1").arg(number), d.left + CommonOffset, d.top);
        for (QLineEdit *box : {boxes.remedyDisplay, boxes.commonDisplay}) {
            setColors(box, Qt::white, colours::Blue);
            box->setReadOnly(true);
            box->setCursor(m_pointer);
        }
    }
    m_key->setReadOnly(!editable);
}

void AfflictionsPage::buildChoiceFrame(QWidget *area)
{
    using namespace controls;
    m_goToFrame = frame(area, "fraGoTo", QStringLiteral("Choose and click"), {4335, 2730, 3420, 1485});
    m_goToFrame->setFont(controls::font(10, true));
    setColors(m_goToFrame, colours::Navy, colours::PageGrey);
    m_goToList = list(m_goToFrame, "lstGoTo", tr("Matching remedies"), {120, 300, 2280, 1080});
    m_goToList->setFont(controls::font(10));
    setColors(m_goToList, colours::Navy, Qt::white);
    m_goTo = button(m_goToFrame, "cmdGoTo", QStringLiteral("GoTo"), {2520, 300, 780, 375});
    m_goTo->hide();
    m_goToLabel = label(m_goToFrame, "lblGoTo", QString(), {2520, 720, 780, 255});
    m_goToLabel->setTextFormat(Qt::PlainText);
    m_goToLabel->hide();
    QPushButton *close = button(m_goToFrame, "cmdClose", QStringLiteral("Close"), {2520, 1005, 780, 375});
    m_goToFrame->hide();

    connect(m_goToList, &QListWidget::itemClicked, this, &AfflictionsPage::pick);
    connect(m_goToList, &QListWidget::itemActivated, this, &AfflictionsPage::pick);
    connect(m_goTo, &QPushButton::clicked, this, &AfflictionsPage::goToPicked);
    connect(close, &QPushButton::clicked, m_goToFrame, &QWidget::hide);
}

void AfflictionsPage::buildHiddenControls(QWidget *area)
{
    using namespace controls;
    m_select = label(area, "lblSelect", QString(), {10500, 420, 1275, 255});
    m_select->setTextFormat(Qt::PlainText);
    m_select->hide();
    QPushButton *goToSystems = button(area, "cmdGoToSystems", QStringLiteral("GoToSystems"), {10500, 420, 1275, 375});
    goToSystems->hide();
    connect(goToSystems, &QPushButton::clicked, this, &AfflictionsPage::goToKey);

    m_controlsButton = button(area, "cmdControls", QStringLiteral("C"), {11400, 0, 420, 375});
    m_controlsButton->setAccessibleName(tr("Maintenance controls"));
    m_controlsButton->setToolTip(tr("Show or hide the maintenance controls"));
    m_controlsButton->setVisible(programfolder::maintenance());
    connect(m_controlsButton, &QPushButton::clicked, this, &AfflictionsPage::toggleControls);

    m_controls = panel(area, "fraControls", ControlsFrame);
    m_controls->setFrameShape(QFrame::Box);
    setColors(m_controls, Qt::black, colours::StoredGrey);
    for (int i = 0; i < int(std::size(MaintenanceButtons)); ++i) {
        const MaintenanceButton &b = MaintenanceButtons[i];
        QPushButton *maintenance = button(m_controls, b.name, QString::fromUtf8(b.caption),
                                          {60 + (i % 3) * (MaintenanceButtonWidth + 75), 45 + (i / 3) * 390,
                                           MaintenanceButtonWidth, MaintenanceButtonHeight});
        connect(maintenance, &QPushButton::clicked, this, b.action);
    }
    m_controls->hide();
}

void AfflictionsPage::bindBoxes()
{
    // The data control fills the boxes in this order: every other name before the key,
    // and the key just before the first remedy, whose change refreshes all display
    // boxes once the whole record is in.
    for (int slot = 0; slot < SlotCount; ++slot)
        m_data->bind(m_slots[slot].symptoms, QString::fromLatin1(Slots[slot].symptomsField));
    for (int index = 1; index < 2 * SlotCount; ++index)
        m_data->bind(nameBox(index), nameField(index));
    m_data->bind(m_key, AfflictionKey);
    m_data->bind(m_slots[0].remedy, nameField(0));
}

QLineEdit *AfflictionsPage::nameBox(int index) const
{
    const SlotBoxes &boxes = m_slots[index / 2];
    return index % 2 ? boxes.common : boxes.remedy;
}

QLineEdit *AfflictionsPage::displayBox(int index) const
{
    const SlotBoxes &boxes = m_slots[index / 2];
    return index % 2 ? boxes.commonDisplay : boxes.remedyDisplay;
}

QString AfflictionsPage::nameField(int index) const
{
    const SlotDesign &d = Slots[index / 2];
    return QString::fromLatin1(index % 2 ? d.commonField : d.remedyField);
}

QString AfflictionsPage::storedName(int index) const
{
    // The data control hands a box its field with every CR made LF, but a scrambled
    // name may hold a CR (a blank at position 45 is stored as one). While the box
    // still shows what was filled, the record's own text is the exact stored form.
    const QString text = nameBox(index)->text();
    const std::optional<QString> stored = m_data->fieldValue(nameField(index));
    if (stored && *stored != text && RecordCursor::normalizedLineEnds(*stored) == text)
        return *stored;
    return text;
}

void AfflictionsPage::refreshDisplay(int index)
{
    QLineEdit *display = displayBox(index);
    display->clear();
    display->setText(scramble::scramble(storedName(index)));
    display->setCursorPosition(0); // a long name shows its beginning
}

void AfflictionsPage::refreshAllDisplays()
{
    for (int index = 0; index < 2 * SlotCount; ++index)
        refreshDisplay(index);
}

void AfflictionsPage::onKeyChanged()
{
    if (m_key->text() != SampleKey)
        return;
    // The sample record shows its first remedy in any case. Its display boxes show
    // the names unscrambled like every other record's, never the stored form.
    m_slots[0].remedyDisplay->show();
    refreshAllDisplays();
}

bool AfflictionsPage::eventFilter(QObject *watched, QEvent *event)
{
    for (int slot = 0; slot < SlotCount; ++slot) {
        if (watched != m_slots[slot].remedyDisplay)
            continue;
        if (event->type() == QEvent::MouseButtonRelease) {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            if (mouse->button() == Qt::LeftButton && m_slots[slot].remedyDisplay->rect().contains(mouse->position().toPoint()))
                lookUp(slot);
        } else if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                lookUp(slot);
                return true;
            }
        }
        break;
    }
    return Page::eventFilter(watched, event);
}

void AfflictionsPage::lookUp(int slot)
{
    const QString text = m_slots[slot].remedyDisplay->text();
    if (text.isEmpty())
        return;
    const QString criterion = Criterion::like(RemedyKey, text);
    m_goToList->setEnabled(true);
    m_goToList->clear();

    PageManager &pages = PageManager::instance();
    if (auto *remedies = pages.control<DataControl>(RemedyPageName, RemedyCursorName)) {
        // Every find must stand further on than the one before: the walk ends and
        // lists no record twice, whatever the cursor does.
        int last = -1;
        for (bool found = remedies->findFirst(criterion); found && !remedies->noMatch();
             found = remedies->findNext(criterion)) {
            const int at = remedies->cursor().position();
            if (at <= last)
                break;
            last = at;
            m_goToList->addItem(u' ' + remedies->fieldValue(RemedyKey).value_or(QString()));
        }
    }

    switch (m_goToList->count()) {
    case 0:
        Desktop::current().message(this, QStringLiteral("No entry found for: ") + text);
        break;
    case 1:
        pages.show(RemedyPageName);
        break;
    default:
        m_goToFrame->show();
        m_goToFrame->raise();
        break;
    }
}

void AfflictionsPage::pick()
{
    m_goTo->setEnabled(true);
    m_goTo->click();
    m_goToFrame->hide();
}

void AfflictionsPage::goToPicked()
{
    const QListWidgetItem *item = m_goToList->currentItem();
    if (!item)
        return;
    m_goToLabel->setText(item->text());
    PageManager &pages = PageManager::instance();
    if (auto *remedies = pages.control<DataControl>(RemedyPageName, RemedyCursorName))
        remedies->findFirst(Criterion::equals(RemedyKey, m_goToLabel->text()));
    pages.show(RemedyPageName);
}

void AfflictionsPage::goToKey()
{
    m_data->findFirst(Criterion::equals(AfflictionKey, m_select->text()));
}

QString AfflictionsPage::printoutText() const
{
    QList<afflictionsprintout::Slot> entries;
    for (const SlotBoxes &boxes : m_slots)
        entries.append({boxes.remedyDisplay->text(), boxes.symptoms->toPlainText()});
    return afflictionsprintout::compose(m_key->text(), entries);
}

void AfflictionsPage::print()
{
    PrintPage::handOver(printoutText());
}

void AfflictionsPage::toggleControls()
{
    m_controls->setVisible(!m_controls->isVisible());
    if (m_controls->isVisible())
        m_controls->raise();
}

void AfflictionsPage::showBoundBoxes()
{
    for (int index = 0; index < 2 * SlotCount; ++index) {
        displayBox(index)->hide();
        nameBox(index)->show();
    }
}

void AfflictionsPage::showDisplayBoxes()
{
    // Edits of the stored names made meanwhile show at once.
    refreshAllDisplays();
    for (int index = 0; index < 2 * SlotCount; ++index) {
        nameBox(index)->hide();
        displayBox(index)->show();
    }
}

void AfflictionsPage::scrambleNames()
{
    for (int index = 0; index < 2 * SlotCount; ++index) {
        const QString turned = scramble::scramble(storedName(index));
        // Back at the stored form, the box takes it as filled, so that nothing is
        // written that was not changed.
        const std::optional<QString> stored = m_data->fieldValue(nameField(index));
        nameBox(index)->setText(stored && *stored == turned ? RecordCursor::normalizedLineEnds(turned) : turned);
    }
    refreshAllDisplays();
}

void AfflictionsPage::addRecord()
{
    m_key->setFocus();
    m_data->addNew();
}

void AfflictionsPage::countEntries()
{
    m_data->moveLast();
    Desktop::current().message(this, afflictionsprintout::countMessage(m_data->recordCount()));
}

void AfflictionsPage::saveList()
{
    programfolder::makeCurrent();
    QStringList items;
    for (int row = 0; row < m_goToList->count(); ++row)
        items << m_goToList->item(row)->text();
    QString message;
    if (!textexport::writeLines(programfolder::file(QStringLiteral("HPAfflictions.txt")), items,
                                textexport::Mode::Append, &message))
        Desktop::current().message(this, message);
}

void AfflictionsPage::unload()
{
    m_data->saveEdits();
}

void AfflictionsPage::aboutToEnd()
{
    m_data->saveEdits();
}

void AfflictionsPage::loadWork()
{
    m_data->setDatabaseName(programfolder::file(QStringLiteral("HomeoAfflictions.mdb")));
    m_data->open();
}
