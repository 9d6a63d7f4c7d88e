// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Desktop.h"

#include <QList>
#include <QUrl>
#include <functional>

// A desktop seam for tests: it installs itself for its lifetime, answers every question
// from what the test queued (or a harmless default) and records what was asked.
class RecordingDesktop final : public Desktop
{
public:
    RecordingDesktop();
    ~RecordingDesktop() override;

    struct Started {
        QString program;
        QStringList arguments;
    };
    struct PrinterQuestion {
        bool selectionChosen = false;
    };

    // What was asked, in order.
    QStringList messages;
    QList<Desktop::FontChoice> fontsOffered;
    QList<PrinterQuestion> printerQuestions;
    QStringList saveFilters;
    QList<Started> started;
    QList<QUrl> opened;

    // Answers. Unset optional answers mean "cancel".
    std::optional<Desktop::FontChoice> fontAnswer;
    bool printerAvailable = true;
    bool printerAnswer = true;
    // Called on the printer before the dialog "returns", e.g. to print to a PDF file.
    std::function<void(QPrinter *)> preparePrinter;
    QString saveAnswer;
    bool startAnswer = true;
    bool openAnswer = true;

    void message(QWidget *parent, const QString &text) override;
    std::optional<FontChoice> chooseFont(QWidget *parent, const FontChoice &initial) override;
    bool hasPrinter() override;
    bool choosePrinter(QWidget *parent, QPrinter *printer, bool selectionChosen) override;
    QString chooseSaveFile(QWidget *parent, const QString &filter) override;
    bool startProgram(const QString &program, const QStringList &arguments) override;
    bool openUrl(const QUrl &url) override;
};
