// SPDX-License-Identifier: GPL-3.0-or-later
// Placeholder until the reader and writer land: plain text inside a minimal header.
#include "platform/rtf/Rtf.h"

#include <QTextDocument>

namespace rtf {

bool read(const QByteArray &data, QTextDocument &doc, QString *error)
{
    if (!data.startsWith("{\\rtf")) {
        if (error)
            *error = QStringLiteral("not an RTF document");
        return false;
    }
    QByteArray body = data;
    int depth = 0;
    QByteArray text;
    for (int i = 0; i < body.size(); ++i) {
        const char c = body.at(i);
        if (c == '{') { ++depth; continue; }
        if (c == '}') { --depth; continue; }
        if (c == '\\') {
            int j = i + 1;
            while (j < body.size() && QChar::isLetter(uchar(body.at(j)))) ++j;
            const QByteArray word = body.mid(i + 1, j - i - 1);
            while (j < body.size() && (QChar::isDigit(uchar(body.at(j))) || body.at(j) == '-')) ++j;
            if (j < body.size() && body.at(j) == ' ') ++j;
            if (word == "par") text += '\n';
            if (word == "fonttbl") { while (j < body.size() && body.at(j) != '}') ++j; }
            i = j - 1;
            continue;
        }
        if (c == '\r' || c == '\n') continue;
        if (depth == 1) text += c;
    }
    doc.setPlainText(QString::fromLatin1(text));
    return true;
}

QByteArray write(const QTextDocument &doc)
{
    QByteArray out = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Times New Roman;}}\r\n";
    const QStringList lines = doc.toPlainText().split(QLatin1Char('\n'));
    for (const QString &line : lines)
        out += line.toLatin1() + "\\par\r\n";
    out += "}\r\n";
    return out;
}

} // namespace rtf
