// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <optional>

class QWidget;
class QPrinter;

// The thin seam between the program and the desktop: message boxes, the font, printer
// and save-file dialogs, starting programs and opening documents or web addresses.
// The running program uses Qt's own dialogs, QDesktopServices and QProcess; tests
// install a recorder that answers each question and remembers what was asked, so that
// no window ever blocks a test.
class Desktop
{
public:
    struct FontChoice {
        QFont font;
        QColor color;
    };

    virtual ~Desktop() = default;

    // A message box with one text, an OK button and the program's own title.
    virtual void message(QWidget *parent, const QString &text) = 0;
    // The font dialog, prefilled; nullopt when the user cancels.
    virtual std::optional<FontChoice> chooseFont(QWidget *parent, const FontChoice &initial) = 0;
    // Whether any printer is installed at all.
    virtual bool hasPrinter() = 0;
    // The printer dialog on `printer`; `selectionChosen` opens it with the selection
    // option chosen and page ranges off. False when the user cancels.
    virtual bool choosePrinter(QWidget *parent, QPrinter *printer, bool selectionChosen) = 0;
    // The save-file dialog with a Qt-form filter; it asks before overwriting. An empty
    // result means the user cancelled.
    virtual QString chooseSaveFile(QWidget *parent, const QString &filter) = 0;
    // Starts a program with an argument list (no shell). False when it cannot start.
    virtual bool startProgram(const QString &program, const QStringList &arguments) = 0;
    // Opens a document or web address with the desktop's associated program.
    virtual bool openUrl(const QUrl &url) = 0;

    // The seam in force. Without an installed one, the real desktop answers.
    static Desktop &current();
    // Installs `desktop` (not owned); nullptr goes back to the real desktop.
    static void install(Desktop *desktop);
};
