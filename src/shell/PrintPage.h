// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shell/Page.h"

#include <QTextCharFormat>
#include <memory>

class QPrinter;
class QPushButton;
class RichTextBox;

// The print page `frmPrint`: the one place where text leaves the program on paper or
// as a file. Other pages compose plain text and hand it over; the page then owns it,
// lets the user change its fonts and edit it, prints all of it or the selection, and
// saves it as RTF. It keeps a single printer, so the printer chosen once serves every
// later job until the page is closed.
class PrintPage final : public Page
{
    Q_OBJECT
public:
    static constexpr const char *PageName = "frmPrint";
    explicit PrintPage(const PageInfo &info);
    ~PrintPage() override;

    // The hand-over every caller uses: replaces the whole text (and any formatting the
    // user gave the earlier one) by `text`, lines separated by "\r\n", in the designed
    // font, then shows the page or brings it forward. Creates the page if needed.
    static PrintPage *handOver(const QString &text);
    void setPrintText(const QString &text);

    RichTextBox *rtfPrint() const { return m_rtfPrint; }
    // The printer kept for every job of this page (created on first use).
    QPrinter &printer();

    // The actions of the five buttons.
    void chooseFont();
    void print();
    void cancelPrint();
    void save();

    // The save dialog's filter.
    static QString saveFilter();

private:
    void printOn(bool selectionOnly);
    // A printer whose job failed cannot start another one; a fresh one takes its place.
    void replacePrinter();

    RichTextBox *m_rtfPrint;
    QTextCharFormat m_designedFormat;
    std::unique_ptr<QPrinter> m_printer;
    bool m_printing = false;
};
