// SPDX-License-Identifier: GPL-3.0-or-later
// The RTF writer: a first pass over the document gathers the fonts and colours in use
// so that the tables list only those; a second writes each block as one paragraph,
// with every run's properties spelled out in full after \plain so that no run depends
// on the one before it. The output is pure ASCII with CR LF line ends.
#include "platform/rtf/Rtf.h"

#include "platform/rtf/RtfCommon.h"

#include <QColor>
#include <QFont>
#include <QHash>
#include <QList>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextDocument>
#include <QTextOption>

#include <algorithm>
#include <cmath>

namespace rtf {
namespace {

// What a run looks like once the document's default font has filled in what the
// format leaves open.
struct Props {
    QString family;
    int halfPoints = 24;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    QColor colour; // invalid: automatic
    bool operator==(const Props &) const = default;
};

class Writer {
public:
    explicit Writer(const QTextDocument &doc)
        : m_doc(doc)
        , m_base(doc.defaultFont())
        , m_twipsPerPixel(detail::twipsPerPixel())
    {
    }

    QByteArray write();

private:
    Props props(const QTextCharFormat &format) const;
    void collect(const Props &props);
    void paragraph(const QTextBlock &block);
    void runProps(const Props &props);
    void controlWord(const char *name, int param);
    void controlWord(const char *name);
    void text(QStringView text, bool fontName = false);
    int twips(qreal pixels) const;

    const QTextDocument &m_doc;
    const QFont m_base;
    const double m_twipsPerPixel;
    QByteArray m_out;
    bool m_needsDelimiter = false; // the last thing written was a bare control word
    QList<QString> m_fonts;
    QHash<QString, int> m_fontIndex;
    QList<QRgb> m_colours;
    QHash<QRgb, int> m_colourIndex;
};

bool isEmptyBlock(const QTextBlock &block)
{
    return block.length() <= 1;
}

Props Writer::props(const QTextCharFormat &format) const
{
    Props props;
    const QStringList families = format.fontFamilies().toStringList();
    if (!families.isEmpty())
        props.family = families.first();
    if (props.family.isEmpty() && format.hasProperty(QTextFormat::FontFamily))
        props.family = format.stringProperty(QTextFormat::FontFamily);
    if (props.family.isEmpty())
        props.family = m_base.family();
    if (props.family.isEmpty())
        props.family = QStringLiteral("Times New Roman");

    qreal points = format.hasProperty(QTextFormat::FontPointSize) ? format.fontPointSize() : m_base.pointSizeF();
    if (!(points > 0))
        points = 12;
    props.halfPoints = int(std::clamp<qreal>(std::round(points * 2), 1, 3276));

    const int weight = format.hasProperty(QTextFormat::FontWeight) ? format.fontWeight() : int(m_base.weight());
    props.bold = weight >= QFont::DemiBold;
    props.italic = format.hasProperty(QTextFormat::FontItalic) ? format.fontItalic() : m_base.italic();
    if (format.hasProperty(QTextFormat::TextUnderlineStyle)) {
        const auto style = format.underlineStyle();
        props.underline = style != QTextCharFormat::NoUnderline && style != QTextCharFormat::SpellCheckUnderline;
    } else if (format.hasProperty(QTextFormat::FontUnderline)) {
        props.underline = format.boolProperty(QTextFormat::FontUnderline);
    } else {
        props.underline = m_base.underline();
    }
    props.strike = format.hasProperty(QTextFormat::FontStrikeOut) ? format.fontStrikeOut() : m_base.strikeOut();
    if (format.hasProperty(QTextFormat::ForegroundBrush) && format.foreground().style() != Qt::NoBrush)
        props.colour = QColor(format.foreground().color().rgb());
    return props;
}

void Writer::collect(const Props &props)
{
    if (!m_fontIndex.contains(props.family)) {
        m_fontIndex.insert(props.family, int(m_fonts.size()));
        m_fonts.append(props.family);
    }
    if (props.colour.isValid()) {
        const QRgb rgb = props.colour.rgb();
        if (!m_colourIndex.contains(rgb)) {
            m_colours.append(rgb);
            m_colourIndex.insert(rgb, int(m_colours.size())); // entry 0 is "automatic"
        }
    }
}

QByteArray Writer::write()
{
    // The mark of an empty paragraph carries its font and size; a paragraph with text
    // gets them from its runs, so its mark is left out (and out of the font table).
    for (QTextBlock block = m_doc.begin(); block.isValid(); block = block.next()) {
        if (isEmptyBlock(block))
            collect(props(block.charFormat()));
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().isValid())
                collect(props(it.fragment().charFormat()));
        }
    }

    m_out = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl";
    for (qsizetype i = 0; i < m_fonts.size(); ++i) {
        m_out += "{\\f" + QByteArray::number(i) + "\\fnil\\fcharset0 ";
        text(m_fonts.at(i), true);
        m_out += ";}";
    }
    m_out += "}\r\n";
    if (!m_colours.isEmpty()) {
        m_out += "{\\colortbl ;";
        for (const QRgb rgb : std::as_const(m_colours)) {
            m_out += "\\red" + QByteArray::number(qRed(rgb)) + "\\green" + QByteArray::number(qGreen(rgb)) + "\\blue"
                + QByteArray::number(qBlue(rgb)) + ';';
        }
        m_out += "}\r\n";
    }
    m_out += "\\viewkind4\\uc1";
    controlWord("deftab", std::clamp(twips(m_doc.defaultTextOption().tabStopDistance()), 1, 31680));
    m_out += "\r\n";
    m_needsDelimiter = false;
    for (QTextBlock block = m_doc.begin(); block.isValid(); block = block.next())
        paragraph(block);
    m_out += "}\r\n";
    return m_out;
}

void Writer::paragraph(const QTextBlock &block)
{
    const QTextBlockFormat format = block.blockFormat();
    controlWord("pard");
    const Qt::Alignment alignment = format.alignment() & Qt::AlignHorizontal_Mask;
    if (alignment & Qt::AlignHCenter)
        controlWord("qc");
    else if (alignment & Qt::AlignJustify)
        controlWord("qj");
    else if (alignment & Qt::AlignRight)
        controlWord("qr");
    const int left = twips(format.leftMargin() + format.indent() * m_doc.indentWidth());
    if (left > 0)
        controlWord("li", left);
    if (const int right = twips(format.rightMargin()); right > 0)
        controlWord("ri", right);
    if (const int first = twips(format.textIndent()); first != 0)
        controlWord("fi", first);
    if (const int before = twips(format.topMargin()); before > 0)
        controlWord("sb", before);
    if (const int after = twips(format.bottomMargin()); after > 0)
        controlWord("sa", after);
    QList<QTextOption::Tab> tabs = format.tabPositions();
    std::stable_sort(tabs.begin(), tabs.end(),
        [](const QTextOption::Tab &a, const QTextOption::Tab &b) { return a.position < b.position; });
    for (const QTextOption::Tab &tab : std::as_const(tabs)) {
        if (tab.type == QTextOption::RightTab)
            controlWord("tqr");
        else if (tab.type == QTextOption::CenterTab)
            controlWord("tqc");
        else if (tab.type == QTextOption::DelimiterTab)
            controlWord("tqdec");
        controlWord("tx", std::max(twips(tab.position), 0));
    }

    bool started = false;
    Props current;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (!fragment.isValid())
            continue;
        const Props fragmentProps = props(fragment.charFormat());
        if (!started || !(fragmentProps == current)) {
            runProps(fragmentProps);
            current = fragmentProps;
            started = true;
        }
        text(fragment.text());
    }
    if (isEmptyBlock(block))
        runProps(props(block.charFormat()));
    m_out += "\\par\r\n";
    m_needsDelimiter = false;
}

void Writer::runProps(const Props &props)
{
    controlWord("plain");
    controlWord("f", m_fontIndex.value(props.family));
    controlWord("fs", props.halfPoints);
    if (props.bold)
        controlWord("b");
    if (props.italic)
        controlWord("i");
    if (props.underline)
        controlWord("ul");
    if (props.strike)
        controlWord("strike");
    if (props.colour.isValid())
        controlWord("cf", m_colourIndex.value(props.colour.rgb()));
}

void Writer::controlWord(const char *name, int param)
{
    m_out += '\\';
    m_out += name;
    m_out += QByteArray::number(param);
    m_needsDelimiter = true;
}

void Writer::controlWord(const char *name)
{
    m_out += '\\';
    m_out += name;
    m_needsDelimiter = true;
}

void Writer::text(QStringView text, bool fontName)
{
    static const char Hex[] = "0123456789abcdef";
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c == u'\\' || c == u'{' || c == u'}') {
            m_out += '\\';
            m_out += char(c);
            m_needsDelimiter = false;
        } else if (fontName && (c == u';' || c == u'\t' || c == 0x2028 || c == 0x2029)) {
            continue; // a semicolon would end the name early; a name has no tabs or lines
        } else if (c == u'\t') {
            controlWord("tab");
        } else if (c == 0x2028 || c == 0x2029) {
            controlWord("line");
        } else if (c == 0x00A0) {
            m_out += "\\~";
            m_needsDelimiter = false;
        } else if (c == 0x00AD) {
            m_out += "\\-";
            m_needsDelimiter = false;
        } else if (c == 0x2011) {
            m_out += "\\_";
            m_needsDelimiter = false;
        } else if (c >= 0x20 && c < 0x7F) {
            if (m_needsDelimiter)
                m_out += ' ';
            m_out += char(c);
            m_needsDelimiter = false;
        } else if (c < 0x20 || (c >= 0x7F && c < 0xA0) || c == 0xFFFC || c == 0xFDD0 || c == 0xFDD1) {
            continue; // control characters and object placeholders have no text to write
        } else if (const int byte = detail::toWindows1252(c); byte >= 0) {
            m_out += "\\'";
            m_out += Hex[byte >> 4];
            m_out += Hex[byte & 0xF];
            m_needsDelimiter = false;
        } else {
            // RTF takes the code unit as a signed 16-bit number; '?' is what readers
            // without Unicode show instead.
            m_out += "\\u" + QByteArray::number(int(qint16(c))) + '?';
            m_needsDelimiter = false;
        }
    }
}

int Writer::twips(qreal pixels) const
{
    const double value = std::round(pixels * m_twipsPerPixel);
    if (!std::isfinite(value))
        return 0;
    return int(std::clamp(value, -31680.0, 31680.0));
}

} // namespace

QByteArray write(const QTextDocument &doc)
{
    return Writer(doc).write();
}

QString blockTexts(const QTextDocument &doc)
{
    QStringList texts;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next())
        texts.append(block.text());
    return texts.join(QLatin1Char('\n'));
}

} // namespace rtf
