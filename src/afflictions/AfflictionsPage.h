// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "afflictions/AfflictionsPrintout.h"
#include "shell/Page.h"

#include <QCursor>
#include <QList>

class DataControl;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

// The affliction page `frmAfflictions`: one record of the afflictions databank at a
// time, stepped through with the navigation bar of `datHomeoAfflictions`, which owns
// the afflictions cursor. Body-system pages hand it a key through `lblSelect` and the
// hidden `cmdGoToSystems`; the search page positions the cursor itself.
//
// Each of the seven remedy slots has bound boxes for the stored, position-scrambled
// remedy and common names (hidden beneath), a display box for each showing the
// unscrambled name, and a bound symptoms box. One slot table builds them and serves
// every action that walks the slots. The display boxes follow the bound boxes when
// those change, and after every move all fourteen are refreshed from the new record,
// whichever boxes the move happened to change.
//
// A click on a remedy display box looks the name up on the remedy cursor, reached
// through the remedy page: one match opens that page, several open the choice frame
// `fraGoTo`.
//
// The maintenance buttons exist for a program started with --maintenance: the button
// `cmdControls` then toggles the frame `fraControls` holding them, and the bound boxes
// are editable; what is typed is written back when the cursor leaves the record, when
// the page closes and when the program ends.
class AfflictionsPage final : public Page
{
    Q_OBJECT
public:
    static constexpr const char *PageName = "frmAfflictions";
    static constexpr int SlotCount = 7;
    explicit AfflictionsPage(const PageInfo &info);

    DataControl *dataControl() const { return m_data; }

    // The printout of the shown record, as `cmdPrint` hands it to the print page.
    QString printoutText() const;

    // The actions of the buttons.
    void print();
    void goToKey();      // `cmdGoToSystems`
    void lookUp(int slot); // a click on the remedy display box of slot 0..6
    void pick();         // a click on `lstGoTo`
    void goToPicked();   // `cmdGoTo`
    void toggleControls();
    void showBoundBoxes();   // "Blue"
    void showDisplayBoxes(); // "White"
    void scrambleNames();    // "ABC/123"
    void addRecord();
    void countEntries();
    void saveList();

    void unload() override;
    void aboutToEnd() override;

protected:
    void loadWork() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct SlotBoxes {
        QLineEdit *remedy = nullptr; // bound, stored form
        QLineEdit *remedyDisplay = nullptr;
        QLineEdit *common = nullptr; // bound, stored form
        QLineEdit *commonDisplay = nullptr;
        QPlainTextEdit *symptoms = nullptr;
    };

    void buildSlots(QWidget *area);
    void buildChoiceFrame(QWidget *area);
    void buildHiddenControls(QWidget *area);
    void bindBoxes();
    QLineEdit *nameBox(int index) const;    // the 14 bound name boxes in slot order
    QLineEdit *displayBox(int index) const; // and their display boxes
    QString nameField(int index) const;
    // The stored text of a bound name box, exactly as the databank holds it.
    QString storedName(int index) const;
    void refreshDisplay(int index);
    void refreshAllDisplays();
    void onKeyChanged();

    DataControl *m_data = nullptr;
    QLineEdit *m_key = nullptr;
    QList<SlotBoxes> m_slots;
    QGroupBox *m_goToFrame = nullptr;
    QListWidget *m_goToList = nullptr;
    QPushButton *m_goTo = nullptr;
    QLabel *m_goToLabel = nullptr;
    QLabel *m_select = nullptr;
    QPushButton *m_controlsButton = nullptr;
    QFrame *m_controls = nullptr;
    QCursor m_pointer;
};
