// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecordingDesktop.h"

RecordingDesktop::RecordingDesktop()
{
    Desktop::install(this);
}

RecordingDesktop::~RecordingDesktop()
{
    Desktop::install(nullptr);
}

void RecordingDesktop::message(QWidget *, const QString &text)
{
    messages << text;
}

std::optional<Desktop::FontChoice> RecordingDesktop::chooseFont(QWidget *, const FontChoice &initial)
{
    fontsOffered << initial;
    return fontAnswer;
}

bool RecordingDesktop::hasPrinter()
{
    return printerAvailable;
}

bool RecordingDesktop::choosePrinter(QWidget *, QPrinter *printer, bool selectionChosen)
{
    printerQuestions << PrinterQuestion{selectionChosen};
    if (printerAnswer && preparePrinter)
        preparePrinter(printer);
    return printerAnswer;
}

QString RecordingDesktop::chooseSaveFile(QWidget *, const QString &filter)
{
    saveFilters << filter;
    return saveAnswer;
}

bool RecordingDesktop::startProgram(const QString &program, const QStringList &arguments)
{
    started << Started{program, arguments};
    return startAnswer;
}

bool RecordingDesktop::openUrl(const QUrl &url)
{
    opened << url;
    return openAnswer;
}
