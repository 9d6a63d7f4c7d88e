// SPDX-License-Identifier: GPL-3.0-or-later
#include "databank/SearchPage.h"
#include "platform/Colours.h"

#include "databank/Criterion.h"
#include "databank/FixedLists.h"
#include "platform/Controls.h"
#include "platform/DataControl.h"
#include "platform/Desktop.h"
#include "shell/PageManager.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {


const QString Afflictions = QStringLiteral("frmAfflictions");
const QString Remedies = QStringLiteral("frmHomeo");
const QString AfflictionKey = QStringLiteral("Affliction");
const QString RemedyName = QStringLiteral("HomeoName");

struct ButtonRow {
    const char *name;
    const char *caption;
    int left, top, width, height;
    bool shown;
    void (SearchPage::*action)();
};

// clang-format off
constexpr ButtonRow Buttons[] = {
    {"cmdSearch",        "Search Afflictions",  195, 1440, 2230, 375, true,  &SearchPage::searchAfflictions},
    {"cmdClear",         "Clear",              2425, 1440,  965, 375, true,  &SearchPage::clearAfflictions},
    {"cmdSearchRemedy",  "Search Remedies",    3600, 1440, 2230, 375, true,  &SearchPage::searchRemedies},
    {"cmdClearRemedy",   "Clear",              5830, 1440,  965, 375, true,  &SearchPage::clearRemedies},
    {"cmdListAll",       "List all Afflictions", 195, 5310, 2230, 375, true, &SearchPage::listAllAfflictions},
    {"cmdTotal",         "Total ?",            2425, 5310,  965, 375, true,  &SearchPage::countAfflictions},
    {"cmdListRemedies",  "List all Remedies",  3600, 5310, 2230, 375, true,  &SearchPage::listAllRemedies},
    {"cmdTotalRemedies", "Total ?",            5830, 5310,  965, 375, true,  &SearchPage::countRemedies},
    // Pressed by program when an entry is picked; never shown.
    {"cmdGoTo",          "GoTo",                195, 5310,  965, 375, false, &SearchPage::goToAffliction},
    {"cmdGoTo2",         "cmdGoTo2",            195, 5310,  965, 375, false, &SearchPage::goToAfflictionFromList},
    {"cmdGoToRemedy",    "GoToRemedy",         3600, 5310,  965, 375, false, &SearchPage::goToRemedy},
};

// The lists and the hidden button each one's pick presses.
struct ListRow {
    const char *name;
    const char *accessibleName;
    int left, width;
    const char *pickButton;
};

constexpr int ListTop = 1860, ListHeight = 3375;

// Back to front: the full afflictions list lies behind the hit list at the same place.
constexpr ListRow Lists[] = {
    {"lstListAll",    "All afflictions: click entry", 195, 3195, "cmdGoTo2"},
    {"lstGoTo",       "Afflictions found",            195, 3195, "cmdGoTo"},
    {"lstGoToRemedy", "Remedies found",              3600, 3200, "cmdGoToRemedy"},
};
// clang-format on

// Every match of `criterion` in cursor order, each as a list item; the cursor is left
// on the last one. The cursor never meets a record twice in one walk, and a criterion
// it cannot use ends the walk at once; the bound merely keeps the loop finite should
// either promise ever break.
QStringList walk(DataControl *data, const QString &criterion, const QString &field)
{
    QStringList items;
    if (!data)
        return items;
    data->findFirst(criterion);
    for (int left = data->cursor().size(); !data->noMatch() && left > 0; --left) {
        items << QLatin1Char(' ') + data->fieldValue(field).value_or(QString());
        data->findNext(criterion);
    }
    return items;
}

DataControl *afflictionsCursor()
{
    return PageManager::instance().control<DataControl>(Afflictions, QStringLiteral("datHomeoAfflictions"));
}

DataControl *remedyCursor()
{
    return PageManager::instance().control<DataControl>(Remedies, QStringLiteral("datHomeopathy"));
}

// The count after move-last, or nothing when there is no cursor to count.
QString countOf(DataControl *data)
{
    if (!data || !data->isOpen())
        return {};
    data->moveLast();
    return QString::number(data->recordCount());
}

} // namespace

SearchPage::SearchPage(const PageInfo &info)
    : Page(info)
{
    using namespace controls;
    setColors(this, Qt::black, colours::LightBlue);

    QLabel *title = label(this, "Label6", tr("Search by Affliction or Remedy"), { 180, 60, 6645, 375 });
    title->setFont(controls::font(12, true));
    title->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setColors(title, colours::DarkNavy, colours::LightBlue);

    m_search = lineBox(this, "txtSearch", tr("Search text"), { 1920, 390, 3150, 375 });
    m_search->setFont(controls::font(11.25));
    setColors(m_search, colours::DarkNavy, Qt::white);
    connect(m_search, &QLineEdit::textChanged, this, &SearchPage::searchTextChanged);

    QLabel *hint = label(this, "Label13",
        tr("Enter first letter(s) or full name, then click one of the Search options. "
           "Select by clicking your choice. Before a new search, click Clear."),
        { 180, 840, 6615, 525 });
    setColors(hint, Qt::black, colours::LightBlue);

    for (const ButtonRow &row : Buttons) {
        QPushButton *b
            = button(this, row.name, QString::fromUtf8(row.caption), { row.left, row.top, row.width, row.height });
        b->setFont(controls::font(10, true));
        setColors(b, Qt::black, colours::PageGrey);
        b->setVisible(row.shown);
        const auto action = row.action;
        connect(b, &QPushButton::clicked, this, [this, action] { (this->*action)(); });
    }
    m_searchButton = findChild<QPushButton *>(QStringLiteral("cmdSearch"));

    for (const ListRow &row : Lists) {
        QListWidget *l
            = list(this, row.name, QString::fromUtf8(row.accessibleName), { row.left, ListTop, row.width, ListHeight });
        l->setFont(controls::font(11.25));
        m_picks.insert(l, findChild<QPushButton *>(QString::fromLatin1(row.pickButton)));
        connect(l, &QListWidget::itemClicked, this, [this, l] { pick(l); });
    }
    m_listAll = findChild<QListWidget *>(QStringLiteral("lstListAll"));
    m_goTo = findChild<QListWidget *>(QStringLiteral("lstGoTo"));
    m_goToRemedy = findChild<QListWidget *>(QStringLiteral("lstGoToRemedy"));
    m_listAll->setToolTip(tr("Click entry"));
    setColors(m_listAll, colours::Navy, colours::LightBlue);
    m_listAll->addItems(fixedlists::loadListItems(QStringLiteral(":/tables/affliction-keys.txt")));
    setColors(m_goTo, QApplication::palette().color(QPalette::WindowText), Qt::white);
    setRemedyLook(Look::Search);

    m_select = label(this, "lblSelect", QString(), { 195, 5310, 965, 375 });
    m_select->hide();
    m_selectBrand = label(this, "lblSelectBrand", QString(), { 3600, 5310, 965, 375 });
    m_selectBrand->hide();

    // The search text comes first in the tab order.
    setTabOrder(m_search, m_searchButton);
    m_search->setFocus();
}

void SearchPage::searchTextChanged(const QString &text)
{
    // Compared by character codes with one blank: a text that begins with a visible
    // character makes the affliction search the default, the empty text stops it, and
    // exactly one blank changes nothing.
    const QString blank = QStringLiteral(" ");
    if (text > blank)
        m_searchButton->setDefault(true);
    else if (text < blank)
        m_searchButton->setDefault(false);
}

void SearchPage::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && event->modifiers() == Qt::NoModifier) {
        // Enter on a list entry picks it, as a click does.
        auto *list = qobject_cast<QListWidget *>(focusWidget());
        if (list && m_picks.contains(list) && list->currentItem()) {
            pick(list);
            return;
        }
        if (m_searchButton->isDefault()) {
            m_searchButton->click();
            return;
        }
    }
    Page::keyPressEvent(event);
}

void SearchPage::pick(QListWidget *list)
{
    // The hidden button does the work; then the search text starts afresh.
    if (QPushButton *button = m_picks.value(list))
        button->click();
    m_search->clear();
}

void SearchPage::setRemedyLook(Look look)
{
    m_remedyLook = look;
    if (look == Look::Search)
        controls::setColors(m_goToRemedy, QApplication::palette().color(QPalette::WindowText), Qt::white);
    else
        controls::setColors(m_goToRemedy, colours::Navy, colours::LightBlue);
}

void SearchPage::searchAfflictions()
{
    if (m_search->text().isEmpty()) {
        Desktop::current().message(this, tr("You have not entered a SearchString."));
        m_search->setFocus();
        return;
    }
    m_goTo->setEnabled(true);
    m_goTo->show();
    m_goTo->raise();
    m_goTo->clear();
    m_goTo->addItems(walk(afflictionsCursor(), Criterion::like(AfflictionKey, m_search->text()), AfflictionKey));
    if (m_goTo->count() == 0)
        Desktop::current().message(this, tr("No record found - try entering fewer letters."));
}

void SearchPage::searchRemedies()
{
    if (m_search->text().isEmpty()) {
        Desktop::current().message(this, tr("You have not entered a SearchString."));
        m_search->setFocus();
        return;
    }
    setRemedyLook(Look::Search);
    m_goToRemedy->setEnabled(true);
    m_goToRemedy->show();
    m_goToRemedy->clear();
    m_goToRemedy->addItems(walk(remedyCursor(), Criterion::like(RemedyName, m_search->text()), RemedyName));
    if (m_goToRemedy->count() == 0)
        Desktop::current().message(this, tr("No record found - try entering fewer letters."));
}

void SearchPage::clearAfflictions()
{
    m_goTo->show();
    m_goTo->raise();
    m_listAll->hide();
    m_goTo->clear();
    m_search->clear();
    m_search->setFocus();
}

void SearchPage::clearRemedies()
{
    setRemedyLook(Look::Search);
    m_goToRemedy->clear();
    m_search->clear();
    m_search->setFocus();
}

void SearchPage::listAllAfflictions()
{
    m_goTo->hide();
    m_listAll->show();
}

void SearchPage::countAfflictions()
{
    listAllAfflictions();
    Desktop::current().message(this, countOf(afflictionsCursor()) + QStringLiteral(" Entries"));
}

void SearchPage::listAllRemedies()
{
    // Not emptied first: a second click lists every name again.
    if (const auto *names = PageManager::instance().control<QListWidget>(Remedies, QStringLiteral("List1"))) {
        for (int i = 0; i < names->count(); ++i)
            m_goToRemedy->addItem(names->item(i)->text());
    }
    setRemedyLook(Look::FullList);
}

void SearchPage::countRemedies()
{
    listAllRemedies();
    Desktop::current().message(this, countOf(remedyCursor()) + QStringLiteral(" Entries"));
}

bool SearchPage::openAffliction(QListWidget *list)
{
    const QListWidgetItem *picked = list->currentItem();
    if (!picked)
        return false;
    m_select->setText(picked->text());
    DataControl *data = afflictionsCursor();
    if (!data || !data->isOpen())
        return false;
    data->findFirst(Criterion::equals(AfflictionKey, m_select->text()));
    // A key the databank lacks leaves the cursor where it stood; the page still opens.
    PageManager::instance().show(Afflictions);
    return true;
}

void SearchPage::goToAffliction()
{
    openAffliction(m_goTo);
}

void SearchPage::goToAfflictionFromList()
{
    // Whatever fails on the way, the affliction page opens and the remedy page closes,
    // taking its cursor with it.
    if (!openAffliction(m_listAll))
        PageManager::instance().show(Afflictions);
    PageManager::instance().closeAndDiscard(Remedies);
}

void SearchPage::goToRemedy()
{
    const QListWidgetItem *picked = m_goToRemedy->currentItem();
    if (!picked)
        return;
    m_selectBrand->setText(picked->text());
    DataControl *data = remedyCursor();
    if (!data || !data->isOpen())
        return;
    data->findFirst(Criterion::equals(RemedyName, m_selectBrand->text()));
    PageManager::instance().show(Remedies);
}
