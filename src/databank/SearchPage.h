// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shell/Page.h"

#include <QHash>

class DataControl;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// The search page `frmSearch`: one search text over both databanks, afflictions on the
// left and remedies on the right. It owns no cursor: it walks the afflictions cursor of
// `frmAfflictions` and the remedy cursor of `frmHomeo`, which creates those pages hidden
// when they do not exist yet, and a pick positions the owner's cursor and shows it.
//
// A click on a listed entry presses one of the hidden buttons `cmdGoTo`, `cmdGoTo2` or
// `cmdGoToRemedy`, which carry the picked key in `lblSelect` or `lblSelectBrand`.
//
// The page is a plain window, so it keeps the default button itself: a search text
// that begins with a visible character makes "Search Afflictions" the default, and
// Enter then starts the affliction search.
class SearchPage final : public Page {
    Q_OBJECT
public:
    static constexpr const char *PageName = "frmSearch";
    explicit SearchPage(const PageInfo &info);

    enum class Look { Search, FullList };
    // The look of `lstGoToRemedy`.
    Look remedyListLook() const { return m_remedyLook; }

    // The actions of the buttons.
    void searchAfflictions();
    void clearAfflictions();
    void listAllAfflictions();
    void countAfflictions();
    void searchRemedies();
    void clearRemedies();
    void listAllRemedies();
    void countRemedies();
    void goToAffliction(); // cmdGoTo
    void goToAfflictionFromList(); // cmdGoTo2
    void goToRemedy(); // cmdGoToRemedy

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void searchTextChanged(const QString &text);
    void setRemedyLook(Look look);
    void pick(QListWidget *list);
    // Opens the affliction page on the key picked in `list`; false when no step up to
    // and including the find could run.
    bool openAffliction(QListWidget *list);

    QLineEdit *m_search = nullptr;
    QPushButton *m_searchButton = nullptr;
    QListWidget *m_goTo = nullptr;
    QListWidget *m_listAll = nullptr;
    QListWidget *m_goToRemedy = nullptr;
    QLabel *m_select = nullptr;
    QLabel *m_selectBrand = nullptr;
    QHash<QListWidget *, QPushButton *> m_picks; // each list and the button its pick presses
    Look m_remedyLook = Look::Search;
};
