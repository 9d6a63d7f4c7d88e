// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

class QTextDocument;

// Our own RTF reader and writer on QTextDocument, covering what this program's
// documents use (font and colour tables, character and paragraph formatting, tabs,
// indents, alignment, Windows-1252 bytes and Unicode escapes).
namespace rtf {

// The reader's limits: larger input, deeper group nesting, more paragraphs, control
// words of more than 32 letters and parameters of more than 10 digits (or beyond 32
// bits) are invalid.
inline constexpr qsizetype MaxDocumentBytes = 16 * 1024 * 1024;
inline constexpr int MaxGroupDepth = 256;
inline constexpr qsizetype MaxParagraphs = 100000; // far past any real document; more would load for minutes

// Reads `data` into `doc`, replacing its content. Returns false and leaves `doc`
// untouched when the data is not a valid RTF document (malformed, truncated, nested
// too deeply or too large); `error` then says why.
bool read(const QByteArray &data, QTextDocument &doc, QString *error = nullptr);

// Writes the whole of `doc` as an RTF document.
QByteArray write(const QTextDocument &doc);

// The document's own text: its paragraphs joined by '\n'. Unlike toPlainText() it keeps
// no-break spaces and line separators as they are, so what was read compares exactly.
QString blockTexts(const QTextDocument &doc);

} // namespace rtf
