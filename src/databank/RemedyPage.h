// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shell/Page.h"

#include <QList>
#include <utility>

class DataControl;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

// The remedy page `frmHomeo`, the materia medica: one record of the remedy databank at
// a time, stepped through with the navigation bar of `datHomeopathy`, which owns the
// remedy cursor. Other pages position that cursor and then show the page.
//
// Two fields are stored in code. Their bound boxes `txtAfflictions` and
// `txtDescriptionEnc` lie behind the display boxes `txtAfflictionsDec` and
// `txtDescriptionDec`, which receive the decoded text whenever a bound box changes and
// after every move, shown or not; the profile switch only chooses which display box is
// in front. The printout is composed from the boxes as they stand.
//
// The maintenance panel (`cmdControls`, `fraControls`) exists only for a program
// started with --maintenance; then the bound boxes are editable and what is typed is
// written back when the cursor leaves the record, when the page closes and when the
// program ends. `List1`, the fixed list of remedy names, lives on that panel and is
// read by the search page in any mode.
class RemedyPage final : public Page {
    Q_OBJECT
public:
    static constexpr const char *PageName = "frmHomeo";
    explicit RemedyPage(const PageInfo &info);

    DataControl *dataControl() const { return m_data; }

    // The printout of the shown record, as `cmdPrint` hands it to the print page.
    QString printoutText() const;

    // The actions of the buttons.
    void switchProfile();
    void print();
    void toggleControls();
    void showDisplayBoxes(); // "White"
    void showBoundBoxes(); // "Blue"
    void showProfileNormal(); // "ProfileNormal"
    void showProfileVisible(); // "ProfileVisible"
    void addRecord();
    void countEntries();
    void saveList();
    void numbersToText();
    void textToNumbers();
    void encryptProfile();
    void decryptProfile();
    void launchCompanion();

    void unload() override;
    void aboutToEnd() override;

protected:
    void loadWork() override;

private:
    void buildNameFrame(QWidget *area);
    void buildSymptomFrame(QWidget *area);
    void buildMaintenancePanel(QWidget *area);
    void refreshAfflictions();
    void refreshDescription();
    // Writes what was typed and closes the cursor; a failed write is told once.
    void finishEditing();

    DataControl *m_data = nullptr;
    QFrame *m_nameFrame = nullptr;
    QLineEdit *m_homeoName = nullptr;
    QLabel *m_heading = nullptr;
    QPushButton *m_description = nullptr;
    QPlainTextEdit *m_afflictionsDec = nullptr;
    QPlainTextEdit *m_descriptionDec = nullptr;
    QPlainTextEdit *m_afflictions = nullptr;
    QPlainTextEdit *m_descriptionEnc = nullptr;
    QPushButton *m_controlsButton = nullptr;
    QGroupBox *m_controls = nullptr;
    QListWidget *m_list = nullptr;
    QList<std::pair<QWidget *, QString>> m_bound; // box and field, in the page's control order
};
