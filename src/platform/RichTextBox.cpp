// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/RichTextBox.h"

#include "platform/rtf/Rtf.h"

#include <QFile>
#include <QPrinter>
#include <QSaveFile>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

RichTextBox::RichTextBox(QWidget *parent)
    : QTextEdit(parent)
{
    setAcceptRichText(false);
}

QString RichTextBox::text() const
{
    return toPlainText();
}

void RichTextBox::setText(const QString &text)
{
    QString plain = text;
    plain.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    plain.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    // Keep the box's own font: the new text takes the format the box was designed with.
    const QTextCharFormat format = currentCharFormat();
    document()->clear();
    QTextCursor cursor(document());
    cursor.setCharFormat(format);
    cursor.insertText(plain);
    setTextCursor(QTextCursor(document()));
}

QByteArray RichTextBox::textRtf() const
{
    return rtf::write(*document());
}

bool RichTextBox::setTextRtf(const QByteArray &data)
{
    return rtf::read(data, *document());
}

bool RichTextBox::loadFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    if (file.size() > MaxFileBytes)
        return false;
    return setTextRtf(file.read(MaxFileBytes + 1));
}

bool RichTextBox::saveFile(const QString &path, QString *error) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    file.write(textRtf());
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

void RichTextBox::copyFrom(const RichTextBox &other)
{
    setDocument(other.document()->clone(this));
}

void RichTextBox::printTo(QPrinter *printer, bool selectionOnly) const
{
    if (selectionOnly && textCursor().hasSelection()) {
        QTextDocument part;
        QTextCursor(&part).insertFragment(textCursor().selection());
        part.print(printer);
        return;
    }
    document()->print(printer);
}
