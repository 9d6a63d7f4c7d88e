// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Desktop.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>

namespace {

class RealDesktop final : public Desktop
{
public:
    void message(QWidget *parent, const QString &text) override
    {
        QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(), text,
                        QMessageBox::Ok, parent);
        box.exec();
    }

    std::optional<FontChoice> chooseFont(QWidget *parent, const FontChoice &initial) override
    {
        bool ok = false;
        const QFont font = QFontDialog::getFont(&ok, initial.font, parent);
        if (!ok)
            return std::nullopt;
        return FontChoice{font, initial.color};
    }

    bool hasPrinter() override { return !QPrinterInfo::availablePrinterNames().isEmpty(); }

    bool choosePrinter(QWidget *parent, QPrinter *printer, bool selectionChosen) override
    {
        QPrintDialog dialog(printer, parent);
        QAbstractPrintDialog::PrintDialogOptions options = dialog.options();
        options.setFlag(QAbstractPrintDialog::PrintPageRange, false);
        options.setFlag(QAbstractPrintDialog::PrintSelection, selectionChosen);
        dialog.setOptions(options);
        if (selectionChosen)
            dialog.setPrintRange(QAbstractPrintDialog::Selection);
        return dialog.exec() == QDialog::Accepted;
    }

    QString chooseSaveFile(QWidget *parent, const QString &filter) override
    {
        return QFileDialog::getSaveFileName(parent, QString(), QString(), filter);
    }

    bool startProgram(const QString &program, const QStringList &arguments) override
    {
        return QProcess::startDetached(program, arguments);
    }

    bool openUrl(const QUrl &url) override { return QDesktopServices::openUrl(url); }
};

Desktop *g_installed = nullptr;

} // namespace

Desktop &Desktop::current()
{
    static RealDesktop real;
    return g_installed ? *g_installed : real;
}

void Desktop::install(Desktop *desktop)
{
    g_installed = desktop;
}
