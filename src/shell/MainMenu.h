// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shell/Page.h"

class RichTextBox;

// The main menu `frmMenu`: the start-up page and the hub of the program. It holds the
// running copy of the screen mode in its hidden rich-text box `rtfScreen`; closing it
// ends the program.
class MainMenu final : public Page
{
    Q_OBJECT
public:
    static constexpr const char *PageName = "frmMenu";
    explicit MainMenu(const PageInfo &info);

    // The plain text of `rtfScreen`.
    QString screenMode() const;
    void setScreenMode(const QString &mode);

    // Toolbar pages: at most one is open; the others are closed in a fixed order first.
    void openToolbarPage(const QString &name);

    // The largest screen-mode file that start-up reads; anything larger is not a
    // screen-mode document and leaves the default.
    static constexpr qint64 MaxScreenFileBytes = 64 * 1024;

protected:
    void loadWork() override;
    void closeEvent(QCloseEvent *event) override;

private:
    RichTextBox *m_rtfScreen;
};
