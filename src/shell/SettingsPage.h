// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shell/Page.h"
#include "shell/ScreenMode.h"

class QLabel;
class RichTextBox;

// The settings page `frmSettings`: chooses the screen mode for this run and the next
// start (written to Screen.txt through its own rich-text box), and starts the removal
// of the program.
class SettingsPage final : public Page
{
    Q_OBJECT
public:
    static constexpr const char *PageName = "frmSettings";
    explicit SettingsPage(const PageInfo &info);

    void chooseMode(screenmode::State state);
    void removeProgram();

private:
    RichTextBox *m_rtfScreen;
};

// The notice page `frmResize`: one label whose text the settings page sets.
class ResizeNotice final : public Page
{
    Q_OBJECT
public:
    static constexpr const char *PageName = "frmResize";
    explicit ResizeNotice(const PageInfo &info);

    QLabel *lblResize() const { return m_label; }

private:
    QLabel *m_label;
};
