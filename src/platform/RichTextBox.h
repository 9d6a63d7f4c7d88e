// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTextEdit>

class QPrinter;

// The rich-text box of the page designs: plain text in and out, RTF files and
// strings, formatted copies between boxes, the character format of the selection and
// printing of the selection or of everything.
class RichTextBox : public QTextEdit
{
    Q_OBJECT
public:
    explicit RichTextBox(QWidget *parent = nullptr);

    // The whole plain text; line ends are "\r\n" on the way in and "\n" out.
    QString text() const;
    void setText(const QString &text);

    // The whole content as RTF, and a formatted replacement from RTF. A document that
    // is not valid RTF leaves the box as it was and returns false.
    QByteArray textRtf() const;
    bool setTextRtf(const QByteArray &rtf);

    // Loads an RTF file (false, box unchanged, if it is missing, too large or not RTF)
    // and saves the whole content as RTF (false if it cannot be written; a file is never
    // left half written).
    bool loadFile(const QString &path);
    bool saveFile(const QString &path, QString *error = nullptr) const;

    // Copies the formatted content of another box.
    void copyFrom(const RichTextBox &other);

    // Prints everything, or only the selection when `selectionOnly`.
    void printTo(QPrinter *printer, bool selectionOnly) const;

    // The largest file loadFile accepts.
    static constexpr qint64 MaxFileBytes = 8 * 1024 * 1024;
};
