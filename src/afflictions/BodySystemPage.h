// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "afflictions/ContentTables.h"
#include "shell/Page.h"

struct BodySystemDesign;

// The seven body-system pages (eyes, heart, digestion, skin, nerves, bones and muscles,
// female and male) are one class built from data: the page's design (BodySystemDesign),
// its button table and its text file. A click on any affliction button of any of these
// pages runs goToAffliction() with the button's key; the other buttons switch panels
// or show a related page as the design says.
class BodySystemPage final : public Page
{
    Q_OBJECT
public:
    explicit BodySystemPage(const PageInfo &info);

    // Opens the affliction page on the record of `key`: creates the page if needed,
    // shows it, hands the key to its `lblSelect`, enables `cmdGoToSystems` and presses
    // it. A step whose control is missing is skipped.
    static void goToAffliction(const QString &key);

    const QList<contenttables::AfflictionButton> &afflictionButtons() const { return m_buttons; }

private:
    void build(const BodySystemDesign &design);
    void addAfflictionButtons();
    void runSwitch(int index);
    void setShown(const char *names, bool shown);

    const BodySystemDesign *m_design = nullptr;
    QList<contenttables::AfflictionButton> m_buttons;
};
