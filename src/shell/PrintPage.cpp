// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/PrintPage.h"

#include "platform/Controls.h"
#include "platform/Desktop.h"
#include "platform/RichTextBox.h"
#include "shell/PageManager.h"

#include <QDir>
#include <QPrinter>
#include <QPushButton>
#include <QShortcut>
#include <QTextCursor>
#include <QTextDocument>

namespace {

constexpr int ButtonTop = 5670, ButtonWidth = 1215, ButtonHeight = 375;

QString nativeName(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

PrintPage::PrintPage(const PageInfo &info)
    : Page(info)
{
    using namespace controls;
    m_rtfPrint = new RichTextBox(this);
    m_rtfPrint->setObjectName(QStringLiteral("rtfPrint"));
    m_rtfPrint->setAccessibleName(tr("Text to print"));
    place(m_rtfPrint, {0, 0, 8055, 5520});
    // Handed-over text carries this format explicitly, so that it prints and saves in
    // the designed font even where the document's default font is not consulted.
    const QFont designed = controls::font(12, true);
    m_rtfPrint->setFont(designed);
    m_designedFormat.setFont(designed);
    m_rtfPrint->setCurrentCharFormat(m_designedFormat);

    const auto buttonAt = [this](const char *name, const char *caption, int left) {
        return button(this, name, QString::fromLatin1(caption), {left, ButtonTop, ButtonWidth, ButtonHeight});
    };
    QPushButton *fontButton = buttonAt("cmdFont", "Font", 120);
    QPushButton *printButton = buttonAt("cmdPrint", "Print", 1800);
    QPushButton *cancelButton = buttonAt("cmdCancel", "Cancel", 3480);
    QPushButton *saveButton = buttonAt("cmdSave", "Save", 5145);
    QPushButton *closeButton = buttonAt("cmdClose", "Close", 6720);

    connect(fontButton, &QPushButton::clicked, this, &PrintPage::chooseFont);
    connect(printButton, &QPushButton::clicked, this, &PrintPage::print);
    connect(cancelButton, &QPushButton::clicked, this, &PrintPage::cancelPrint);
    connect(saveButton, &QPushButton::clicked, this, &PrintPage::save);
    connect(closeButton, &QPushButton::clicked, this, [this] { PageManager::instance().closeAndDiscard(this); });

    // "Cancel" is the page's cancel button: Escape presses it, wherever the focus is on
    // the page, and never closes the page.
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WindowShortcut);
    connect(escape, &QShortcut::activated, cancelButton, &QPushButton::click);
}

PrintPage::~PrintPage() = default;

PrintPage *PrintPage::handOver(const QString &text)
{
    PageManager &pages = PageManager::instance();
    auto *page = pages.page<PrintPage>();
    page->setPrintText(text);
    pages.show(QString::fromLatin1(PageName));
    return page;
}

void PrintPage::setPrintText(const QString &text)
{
    QTextDocument *doc = m_rtfPrint->document();
    // A fresh text in the designed font: neither the earlier text's formatting nor a
    // font chosen for the insertion point carries over, and undo cannot bring the
    // earlier text back.
    doc->setUndoRedoEnabled(false);
    doc->clear();
    m_rtfPrint->setCurrentCharFormat(m_designedFormat);
    m_rtfPrint->setText(text);
    doc->setUndoRedoEnabled(true);
}

QPrinter &PrintPage::printer()
{
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>();
        m_printer->setDocName(QStringLiteral("Simillon"));
    }
    return *m_printer;
}

QString PrintPage::saveFilter()
{
    return QStringLiteral("Rich Text File (*.Rtf *.rtf);;All Files (*)");
}

void PrintPage::chooseFont()
{
    // The first selected character speaks for the selection; without a selection the
    // insertion point's format does.
    QTextCursor probe = m_rtfPrint->textCursor();
    if (probe.hasSelection()) {
        probe.setPosition(probe.selectionStart());
        probe.movePosition(QTextCursor::NextCharacter);
    }
    const QTextCharFormat current = probe.charFormat();

    Desktop::FontChoice initial;
    initial.font = current.font().resolve(m_rtfPrint->document()->defaultFont());
    initial.color = current.foreground().style() != Qt::NoBrush ? current.foreground().color()
                                                                 : m_rtfPrint->palette().color(QPalette::Text);

    const std::optional<Desktop::FontChoice> choice = Desktop::current().chooseFont(this, initial);
    if (!choice)
        return;

    QTextCharFormat chosen;
    chosen.setFontFamilies(QStringList{choice->font.family()});
    if (choice->font.pointSizeF() > 0)
        chosen.setFontPointSize(choice->font.pointSizeF());
    chosen.setFontWeight(choice->font.weight());
    chosen.setFontItalic(choice->font.italic());
    chosen.setFontStrikeOut(choice->font.strikeOut());
    chosen.setFontUnderline(choice->font.underline());
    if (choice->color.isValid())
        chosen.setForeground(choice->color);
    // With a selection this changes the selected text only; without one it sets the
    // format of what is typed next and leaves every existing character as it is.
    m_rtfPrint->mergeCurrentCharFormat(chosen);
}

void PrintPage::print()
{
    Desktop &desktop = Desktop::current();
    const bool selectionOnly = m_rtfPrint->textCursor().hasSelection();
    QPrinter &target = printer();

    if (!desktop.hasPrinter()) {
        // Printing to a PDF file is still possible; the printer window offers it.
        desktop.message(this, tr("No printer is available. You can print the text to a PDF file instead: "
                                 "choose \"Print to File (PDF)\" in the printer window that opens next."));
        if (target.outputFormat() != QPrinter::PdfFormat)
            target.setOutputFormat(QPrinter::PdfFormat);
        if (!desktop.choosePrinter(this, &target, selectionOnly))
            return;
    } else if (selectionOnly) {
        if (!desktop.choosePrinter(this, &target, true))
            return;
    }
    printOn(selectionOnly);
}

void PrintPage::printOn(bool selectionOnly)
{
    QPrinter &target = printer();
    m_printing = true;
    m_rtfPrint->printTo(&target, selectionOnly);
    m_printing = false;

    // A finished job leaves the printer idle. A job that could not begin leaves it in
    // the error state, or stuck as active when a PDF has no file to go to.
    const QPrinter::PrinterState state = target.printerState();
    if (state == QPrinter::Idle)
        return;
    const QString file = target.outputFormat() == QPrinter::PdfFormat ? target.outputFileName() : QString();
    replacePrinter();
    if (state == QPrinter::Aborted)
        return; // the user's own "Cancel"
    Desktop::current().message(this, file.isEmpty() ? tr("The text could not be printed.")
                                                    : tr("The text could not be printed to the file \"%1\".")
                                                          .arg(nativeName(file)));
}

void PrintPage::replacePrinter()
{
    auto fresh = std::make_unique<QPrinter>();
    fresh->setDocName(m_printer->docName());
    if (m_printer->outputFormat() == QPrinter::NativeFormat && fresh->outputFormat() == QPrinter::NativeFormat)
        fresh->setPrinterName(m_printer->printerName());
    fresh->setPageLayout(m_printer->pageLayout());
    m_printer = std::move(fresh);
}

void PrintPage::cancelPrint()
{
    // Printing runs to its end before any click is handled, so there is seldom a job
    // to abort; when there is, the printer may refuse, and that is all right.
    if (m_printing && m_printer)
        m_printer->abort();
}

void PrintPage::save()
{
    Desktop &desktop = Desktop::current();
    const QString name = desktop.chooseSaveFile(this, saveFilter());
    if (name.isEmpty())
        return;
    QString error;
    if (!m_rtfPrint->saveFile(name, &error))
        desktop.message(this, tr("The text could not be saved as \"%1\": %2").arg(nativeName(name), error));
}
