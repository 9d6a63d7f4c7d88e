// SPDX-License-Identifier: GPL-3.0-or-later
// The RTF reader: one pass over the bytes with an explicit group stack (no recursion,
// so nesting depth is a counter with a cap), collecting paragraphs and runs of plain
// character properties. Only when the whole input has parsed cleanly are the runs
// turned into formats and written into the target document, so a bad file never
// touches it.
#include "platform/rtf/Rtf.h"

#include "platform/rtf/RtfCommon.h"

#include <QColor>
#include <QHash>
#include <QList>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>

#include <algorithm>
#include <string_view>

namespace rtf {
namespace {

constexpr int MaxWordLetters = 32;
constexpr int MaxParamDigits = 10;
constexpr qint64 MaxParamValue = 2147483647;
constexpr int MaxTabStops = 64;
constexpr int MaxTwips = 31680; // 22 inches, the widest page word processors offer
constexpr int MaxHalfPoints = 3276;
constexpr int MaxUnicodeSkip = 255;
constexpr int DefaultHalfPoints = 24;
constexpr int DefaultTabTwips = 720;

enum class Dest { Text, FontTable, ColourTable, Skip };

struct CharProps {
    int font = -1; // -1: the \deff font
    int halfPoints = DefaultHalfPoints;
    int colour = -1; // index into the colour table, -1: automatic
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool hidden = false;
    bool operator==(const CharProps &) const = default;
};

size_t qHash(const CharProps &props, size_t seed = 0)
{
    return qHashMulti(
        seed, props.font, props.halfPoints, props.colour, props.bold, props.italic, props.underline, props.strike);
}

struct TabStop {
    int twips;
    QTextOption::TabType type;
};

struct ParaProps {
    Qt::Alignment alignment = Qt::AlignLeft;
    int left = 0;
    int right = 0;
    int firstLine = 0;
    int before = 0;
    int after = 0;
    QList<TabStop> tabs;
    QTextOption::TabType nextTabType = QTextOption::LeftTab;
};

struct State {
    Dest dest = Dest::Text;
    CharProps chars;
    ParaProps para;
    int unicodeSkip = 1;
};

struct Run {
    CharProps props;
    QString text;
};

struct Paragraph {
    ParaProps para;
    CharProps mark; // the properties of the paragraph mark: they size an empty paragraph
    QList<Run> runs;
};

enum class Word {
    Skip,
    Fonttbl,
    Colortbl,
    Deff,
    Deftab,
    Bin,
    Plain,
    Bold,
    Italic,
    Underline,
    UnderlineNone,
    Strike,
    Font,
    FontSize,
    Colour,
    Hidden,
    Uc,
    U,
    Char,
    Pard,
    Par,
    Ql,
    Qc,
    Qr,
    Qj,
    Li,
    Ri,
    Fi,
    Sb,
    Sa,
    Tx,
    Tqr,
    Tqc,
    Tqdec,
    Red,
    Green,
    Blue,
};

struct WordEntry {
    std::string_view name;
    Word word;
    char16_t ch = 0;
};

// Sorted by name for the binary search; words not listed are ignored.
constexpr WordEntry Words[] = {
    { "annotation", Word::Skip },
    { "atnauthor", Word::Skip },
    { "atnid", Word::Skip },
    { "author", Word::Skip },
    { "b", Word::Bold },
    { "bin", Word::Bin },
    { "blue", Word::Blue },
    { "bullet", Word::Char, 0x2022 },
    { "buptim", Word::Skip },
    { "cell", Word::Char, u'\t' },
    { "cf", Word::Colour },
    { "colortbl", Word::Colortbl },
    { "comment", Word::Skip },
    { "company", Word::Skip },
    { "creatim", Word::Skip },
    { "deff", Word::Deff },
    { "deftab", Word::Deftab },
    { "doccomm", Word::Skip },
    { "emdash", Word::Char, 0x2014 },
    { "emspace", Word::Char, 0x2003 },
    { "endash", Word::Char, 0x2013 },
    { "enspace", Word::Char, 0x2002 },
    { "f", Word::Font },
    { "fi", Word::Fi },
    { "filetbl", Word::Skip },
    { "fldinst", Word::Skip },
    { "fonttbl", Word::Fonttbl },
    { "footer", Word::Skip },
    { "footerf", Word::Skip },
    { "footerl", Word::Skip },
    { "footerr", Word::Skip },
    { "footnote", Word::Skip },
    { "fs", Word::FontSize },
    { "green", Word::Green },
    { "header", Word::Skip },
    { "headerf", Word::Skip },
    { "headerl", Word::Skip },
    { "headerr", Word::Skip },
    { "i", Word::Italic },
    { "info", Word::Skip },
    { "keywords", Word::Skip },
    { "ldblquote", Word::Char, 0x201C },
    { "li", Word::Li },
    { "line", Word::Char, 0x2028 },
    { "listoverridetable", Word::Skip },
    { "listtable", Word::Skip },
    { "lquote", Word::Char, 0x2018 },
    { "manager", Word::Skip },
    { "nonshppict", Word::Skip },
    { "object", Word::Skip },
    { "operator", Word::Skip },
    { "page", Word::Par },
    { "par", Word::Par },
    { "pard", Word::Pard },
    { "pict", Word::Skip },
    { "plain", Word::Plain },
    { "pn", Word::Skip },
    { "printim", Word::Skip },
    { "qc", Word::Qc },
    { "qj", Word::Qj },
    { "ql", Word::Ql },
    { "qmspace", Word::Char, 0x2005 },
    { "qr", Word::Qr },
    { "rdblquote", Word::Char, 0x201D },
    { "red", Word::Red },
    { "revtbl", Word::Skip },
    { "revtim", Word::Skip },
    { "ri", Word::Ri },
    { "row", Word::Par },
    { "rquote", Word::Char, 0x2019 },
    { "rsidtbl", Word::Skip },
    { "rxe", Word::Skip },
    { "sa", Word::Sa },
    { "sb", Word::Sb },
    { "sect", Word::Par },
    { "shp", Word::Skip },
    { "shpinst", Word::Skip },
    { "strike", Word::Strike },
    { "striked", Word::Strike },
    { "stylesheet", Word::Skip },
    { "subject", Word::Skip },
    { "tab", Word::Char, u'\t' },
    { "tc", Word::Skip },
    { "template", Word::Skip },
    { "title", Word::Skip },
    { "tqc", Word::Tqc },
    { "tqdec", Word::Tqdec },
    { "tqr", Word::Tqr },
    { "tx", Word::Tx },
    { "txe", Word::Skip },
    { "u", Word::U },
    { "uc", Word::Uc },
    { "ul", Word::Underline },
    { "uld", Word::Underline },
    { "uldash", Word::Underline },
    { "uldashd", Word::Underline },
    { "uldashdd", Word::Underline },
    { "uldb", Word::Underline },
    { "ulhwave", Word::Underline },
    { "ulldash", Word::Underline },
    { "ulnone", Word::UnderlineNone },
    { "ulth", Word::Underline },
    { "ulthd", Word::Underline },
    { "ulthdash", Word::Underline },
    { "ulthdashd", Word::Underline },
    { "ulthdashdd", Word::Underline },
    { "ulthldash", Word::Underline },
    { "ululdbwave", Word::Underline },
    { "ulw", Word::Underline },
    { "ulwave", Word::Underline },
    { "v", Word::Hidden },
    { "xe", Word::Skip },
};

constexpr bool wordsSorted()
{
    return std::is_sorted(
        std::begin(Words), std::end(Words), [](const WordEntry &a, const WordEntry &b) { return a.name < b.name; });
}
static_assert(wordsSorted(), "the control word table must stay sorted");

const WordEntry *findWord(std::string_view name)
{
    const auto it = std::lower_bound(std::begin(Words), std::end(Words), name,
        [](const WordEntry &entry, std::string_view key) { return entry.name < key; });
    return it != std::end(Words) && it->name == name ? it : nullptr;
}

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int hexValue(char c)
{
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Characters QTextCursor::insertText would turn into block or frame breaks, and
// control characters, never reach the document.
bool acceptable(char16_t c)
{
    if (c == u'\t')
        return true;
    if (c < 0x20 || (c >= 0x7F && c < 0xA0))
        return false;
    return c != 0x2029 && c != 0xFDD0 && c != 0xFDD1 && c != 0xFFFC;
}

// Unpaired surrogates from broken \u sequences become replacement characters.
QString withPairedSurrogates(QString text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            text[i] = QChar(QChar::ReplacementCharacter);
    }
    return text;
}

class Parser {
public:
    explicit Parser(const QByteArray &data)
        : m_data(data)
    {
    }

    bool parse();
    void apply(QTextDocument &doc) const;
    QString error() const { return m_error; }

private:
    bool fail(const char *why)
    {
        m_error = QString::fromLatin1(why);
        return false;
    }
    bool controlWord();
    bool controlSymbol();
    void word(const WordEntry &entry, bool hasParam, int param);
    void character(char16_t c);
    void plainText();
    void endGroup();
    void endParagraph();
    void storeFontName();
    QTextCharFormat charFormat(const CharProps &props) const;
    QTextBlockFormat blockFormat(const ParaProps &props, double twipsPerPixel) const;

    const QByteArray &m_data;
    qsizetype m_pos = 0;
    QString m_error;
    State m_state;
    QList<State> m_stack;
    int m_skipCount = 0; // characters still to drop after a \u

    QList<Paragraph> m_paragraphs;
    QHash<int, QString> m_fonts;
    int m_fontNumber = -1;
    QString m_fontName;
    QList<QColor> m_colours; // an invalid colour stands for "automatic"
    int m_red = 0, m_green = 0, m_blue = 0;
    bool m_colourGiven = false;
    int m_defaultFont = 0;
    int m_defaultTab = DefaultTabTwips;
};

bool Parser::parse()
{
    const char *p = m_data.constData();
    const qsizetype n = m_data.size();
    if (n > MaxDocumentBytes)
        return fail("the document is larger than 16 MiB");
    if (m_data.startsWith("\xEF\xBB\xBF"))
        m_pos = 3;
    while (m_pos < n && (p[m_pos] == ' ' || p[m_pos] == '\t' || p[m_pos] == '\r' || p[m_pos] == '\n'))
        ++m_pos;
    if (!QByteArrayView(p + m_pos, n - m_pos).startsWith("{\\rtf") || (m_pos + 5 < n && isLetter(p[m_pos + 5])))
        return fail("not an RTF document");

    m_paragraphs.append(Paragraph {});
    while (m_pos < n) {
        const char c = p[m_pos];
        switch (c) {
        case '{':
            if (m_stack.size() >= MaxGroupDepth)
                return fail("groups are nested more than 256 deep");
            m_stack.append(m_state);
            m_skipCount = 0;
            ++m_pos;
            break;
        case '}':
            endGroup();
            m_skipCount = 0;
            ++m_pos;
            if (m_stack.isEmpty()) {
                // The outer group is closed; whatever follows it is not part of the document.
                if (m_paragraphs.size() > 1 && m_paragraphs.last().runs.isEmpty())
                    m_paragraphs.removeLast(); // a final \par closes the last paragraph
                if (m_paragraphs.size() > MaxParagraphs)
                    return fail("the document has more than 100000 paragraphs");
                return true;
            }
            break;
        case '\\':
            if (!(m_pos + 1 < n && isLetter(p[m_pos + 1]) ? controlWord() : controlSymbol()))
                return false;
            break;
        case '\r':
        case '\n':
            ++m_pos;
            break;
        default:
            plainText();
            break;
        }
        // One more than the limit: a final \par only closes the last paragraph.
        if (m_paragraphs.size() > MaxParagraphs + 1)
            return fail("the document has more than 100000 paragraphs");
    }
    return fail("the document is truncated (unbalanced braces)");
}

bool Parser::controlWord()
{
    const char *p = m_data.constData();
    const qsizetype n = m_data.size();
    const qsizetype start = ++m_pos;
    while (m_pos < n && isLetter(p[m_pos])) {
        if (++m_pos - start > MaxWordLetters)
            return fail("a control word is longer than 32 letters");
    }
    const std::string_view name(p + start, size_t(m_pos - start));
    bool negative = false;
    if (m_pos + 1 < n && p[m_pos] == '-' && isDigit(p[m_pos + 1])) {
        negative = true;
        ++m_pos;
    }
    qint64 value = 0;
    int digits = 0;
    while (m_pos < n && isDigit(p[m_pos])) {
        if (++digits > MaxParamDigits)
            return fail("a control word parameter has more than 10 digits");
        value = value * 10 + (p[m_pos++] - '0');
    }
    if (value > MaxParamValue)
        return fail("a control word parameter is out of range");
    if (m_pos < n && p[m_pos] == ' ')
        ++m_pos;
    const int param = int(negative ? -value : value);
    const bool hasParam = digits > 0;

    const WordEntry *entry = findWord(name);
    if (entry && entry->word == Word::Bin) {
        // Binary data is skipped whole; it counts as one character after a \u.
        if (param < 0 || param > n - m_pos)
            return fail("binary data runs past the end of the document");
        m_pos += param;
        if (m_skipCount > 0)
            --m_skipCount;
        return true;
    }
    if (m_skipCount > 0) {
        --m_skipCount;
        return true;
    }
    if (entry)
        word(*entry, hasParam, param);
    return true;
}

bool Parser::controlSymbol()
{
    const char *p = m_data.constData();
    const qsizetype n = m_data.size();
    if (m_pos + 1 >= n)
        return fail("the document is truncated after a backslash");
    const char c = p[m_pos + 1];
    m_pos += 2;
    switch (c) {
    case '\'': {
        const int high = m_pos + 1 < n ? hexValue(p[m_pos]) : -1;
        const int low = m_pos + 1 < n ? hexValue(p[m_pos + 1]) : -1;
        if (high < 0 || low < 0)
            return fail("a \\' escape lacks its two hex digits");
        m_pos += 2;
        character(detail::fromWindows1252(uchar(high * 16 + low)));
        return true;
    }
    case '\\':
    case '{':
    case '}':
        character(char16_t(c));
        return true;
    case '~':
        character(0x00A0);
        return true;
    case '-':
        character(0x00AD);
        return true;
    case '_':
        character(0x2011);
        return true;
    case '*':
        // An ignorable destination: whatever it is, we do not show it.
        m_state.dest = Dest::Skip;
        return true;
    case '\r':
    case '\n':
        if (m_skipCount > 0)
            --m_skipCount;
        else if (m_state.dest == Dest::Text)
            endParagraph();
        return true;
    default:
        if (m_skipCount > 0)
            --m_skipCount;
        return true;
    }
}

void Parser::word(const WordEntry &entry, bool hasParam, int param)
{
    const bool on = !hasParam || param != 0;
    switch (entry.word) {
    case Word::Skip:
        m_state.dest = Dest::Skip;
        return;
    case Word::Fonttbl:
        if (m_state.dest != Dest::Skip) {
            m_state.dest = Dest::FontTable;
            m_fontNumber = -1;
            m_fontName.clear();
        }
        return;
    case Word::Colortbl:
        if (m_state.dest != Dest::Skip) {
            m_state.dest = Dest::ColourTable;
            m_red = m_green = m_blue = 0;
            m_colourGiven = false;
        }
        return;
    default:
        break;
    }

    switch (m_state.dest) {
    case Dest::Skip:
        return;
    case Dest::FontTable:
        if (entry.word == Word::Font) {
            storeFontName();
            m_fontNumber = hasParam ? param : -1;
            return;
        }
        if (entry.word != Word::U && entry.word != Word::Uc)
            return;
        break; // font names may hold Unicode characters
    case Dest::ColourTable:
        if (entry.word == Word::Red || entry.word == Word::Green || entry.word == Word::Blue) {
            const int value = std::clamp(param, 0, 255);
            (entry.word == Word::Red ? m_red : entry.word == Word::Green ? m_green : m_blue) = value;
            m_colourGiven = true;
        }
        return;
    case Dest::Text:
        break;
    }

    CharProps &chars = m_state.chars;
    ParaProps &para = m_state.para;
    const int twips = std::clamp(param, -MaxTwips, MaxTwips);
    switch (entry.word) {
    case Word::Deff:
        m_defaultFont = param;
        break;
    case Word::Deftab:
        if (param > 0)
            m_defaultTab = std::min(param, MaxTwips);
        break;
    case Word::Plain:
        chars = CharProps {};
        break;
    case Word::Bold:
        chars.bold = on;
        break;
    case Word::Italic:
        chars.italic = on;
        break;
    case Word::Underline:
        chars.underline = on;
        break;
    case Word::UnderlineNone:
        chars.underline = false;
        break;
    case Word::Strike:
        chars.strike = on;
        break;
    case Word::Hidden:
        chars.hidden = on;
        break;
    case Word::Font:
        chars.font = hasParam ? param : -1;
        break;
    case Word::FontSize:
        chars.halfPoints = param > 0 ? std::min(param, MaxHalfPoints) : DefaultHalfPoints;
        break;
    case Word::Colour:
        chars.colour = hasParam && param >= 0 ? param : -1;
        break;
    case Word::Uc:
        m_state.unicodeSkip = std::clamp(param, 0, MaxUnicodeSkip);
        break;
    case Word::U: {
        const int code = param < 0 ? param + 65536 : param;
        character(code >= 0 && code <= 0xFFFF ? char16_t(code) : char16_t(0xFFFD));
        m_skipCount = m_state.unicodeSkip;
        break;
    }
    case Word::Char:
        character(entry.ch);
        break;
    case Word::Pard:
        para = ParaProps {};
        break;
    case Word::Par:
        endParagraph();
        break;
    case Word::Ql:
        para.alignment = Qt::AlignLeft;
        break;
    case Word::Qc:
        para.alignment = Qt::AlignHCenter;
        break;
    case Word::Qr:
        para.alignment = Qt::AlignRight;
        break;
    case Word::Qj:
        para.alignment = Qt::AlignJustify;
        break;
    case Word::Li:
        para.left = std::max(twips, 0);
        break;
    case Word::Ri:
        para.right = std::max(twips, 0);
        break;
    case Word::Fi:
        para.firstLine = twips;
        break;
    case Word::Sb:
        para.before = std::max(twips, 0);
        break;
    case Word::Sa:
        para.after = std::max(twips, 0);
        break;
    case Word::Tqr:
        para.nextTabType = QTextOption::RightTab;
        break;
    case Word::Tqc:
        para.nextTabType = QTextOption::CenterTab;
        break;
    case Word::Tqdec:
        para.nextTabType = QTextOption::DelimiterTab;
        break;
    case Word::Tx:
        if (para.tabs.size() < MaxTabStops)
            para.tabs.append(TabStop { std::max(twips, 0), para.nextTabType });
        para.nextTabType = QTextOption::LeftTab;
        break;
    default:
        break;
    }
}

void Parser::character(char16_t c)
{
    if (m_skipCount > 0) {
        --m_skipCount;
        return;
    }
    switch (m_state.dest) {
    case Dest::Text:
        if (!m_state.chars.hidden && acceptable(c)) {
            QList<Run> &runs = m_paragraphs.last().runs;
            if (runs.isEmpty() || !(runs.last().props == m_state.chars))
                runs.append(Run { m_state.chars, QString() });
            runs.last().text.append(QChar(c));
        }
        break;
    case Dest::FontTable:
        if (c == u';')
            storeFontName();
        else if (acceptable(c) && c != u'\t' && c != 0x2028) // a name is one line of text
            m_fontName.append(QChar(c));
        break;
    case Dest::ColourTable:
        if (c == u';') {
            m_colours.append(m_colourGiven ? QColor(m_red, m_green, m_blue) : QColor());
            m_red = m_green = m_blue = 0;
            m_colourGiven = false;
        }
        break;
    case Dest::Skip:
        break;
    }
}

// A stretch of literal text, taken in one go when it goes straight into a run.
void Parser::plainText()
{
    const char *p = m_data.constData();
    const qsizetype n = m_data.size();
    qsizetype end = m_pos;
    while (end < n && p[end] != '{' && p[end] != '}' && p[end] != '\\' && p[end] != '\r' && p[end] != '\n')
        ++end;
    if (end == m_pos)
        end = m_pos + 1;
    if (m_skipCount > 0 || m_state.dest != Dest::Text || m_state.chars.hidden) {
        for (; m_pos < end; ++m_pos) {
            const char c = p[m_pos];
            if (c == '\t' || uchar(c) >= 0x20)
                character(detail::fromWindows1252(uchar(c)));
        }
        return;
    }
    QList<Run> &runs = m_paragraphs.last().runs;
    if (runs.isEmpty() || !(runs.last().props == m_state.chars))
        runs.append(Run { m_state.chars, QString() });
    QString &text = runs.last().text;
    text.reserve(text.size() + (end - m_pos));
    for (; m_pos < end; ++m_pos) {
        const char16_t c = detail::fromWindows1252(uchar(p[m_pos]));
        if (acceptable(c))
            text.append(QChar(c));
    }
}

void Parser::endGroup()
{
    if (m_state.dest == Dest::FontTable)
        storeFontName(); // an entry may lack its closing semicolon
    if (m_stack.size() == 1) {
        // The outer group ends: the last paragraph takes the properties in force now.
        m_paragraphs.last().para = m_state.para;
        m_paragraphs.last().mark = m_state.chars;
    }
    m_state = m_stack.takeLast();
}

void Parser::endParagraph()
{
    m_paragraphs.last().para = m_state.para;
    m_paragraphs.last().mark = m_state.chars;
    m_paragraphs.append(Paragraph {});
}

void Parser::storeFontName()
{
    const QString name = m_fontName.trimmed();
    if (m_fontNumber >= 0 && !name.isEmpty())
        m_fonts.insert(m_fontNumber, name);
    m_fontName.clear();
}

QTextCharFormat Parser::charFormat(const CharProps &props) const
{
    QTextCharFormat format;
    QString family = m_fonts.value(props.font >= 0 ? props.font : m_defaultFont);
    if (family.isEmpty())
        family = m_fonts.value(m_defaultFont);
    if (!family.isEmpty())
        format.setFontFamilies(QStringList { family });
    format.setFontPointSize(props.halfPoints / 2.0);
    format.setFontWeight(props.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(props.italic);
    format.setFontUnderline(props.underline);
    format.setFontStrikeOut(props.strike);
    if (props.colour >= 0 && props.colour < m_colours.size() && m_colours.at(props.colour).isValid())
        format.setForeground(m_colours.at(props.colour));
    return format;
}

QTextBlockFormat Parser::blockFormat(const ParaProps &props, double twipsPerPixel) const
{
    QTextBlockFormat format;
    format.setAlignment(props.alignment);
    if (props.left)
        format.setLeftMargin(props.left / twipsPerPixel);
    if (props.right)
        format.setRightMargin(props.right / twipsPerPixel);
    if (props.firstLine)
        format.setTextIndent(props.firstLine / twipsPerPixel);
    if (props.before)
        format.setTopMargin(props.before / twipsPerPixel);
    if (props.after)
        format.setBottomMargin(props.after / twipsPerPixel);
    if (!props.tabs.isEmpty()) {
        QList<TabStop> stops = props.tabs;
        std::stable_sort(
            stops.begin(), stops.end(), [](const TabStop &a, const TabStop &b) { return a.twips < b.twips; });
        QList<QTextOption::Tab> tabs;
        for (const TabStop &stop : stops) {
            const QChar delimiter = stop.type == QTextOption::DelimiterTab ? QLatin1Char('.') : QChar();
            tabs.append(QTextOption::Tab(stop.twips / twipsPerPixel, stop.type, delimiter));
        }
        format.setTabPositions(tabs);
    }
    return format;
}

void Parser::apply(QTextDocument &doc) const
{
    const double perPixel = detail::twipsPerPixel();
    // Documents use a handful of distinct formats; build each once.
    QHash<CharProps, QTextCharFormat> formats;
    const auto format = [&](const CharProps &props) {
        auto it = formats.constFind(props);
        if (it == formats.constEnd())
            it = formats.insert(props, charFormat(props));
        return *it;
    };
    doc.clear();
    QTextCursor cursor(&doc);
    cursor.beginEditBlock();
    bool first = true;
    for (const Paragraph &paragraph : m_paragraphs) {
        const QTextBlockFormat block = blockFormat(paragraph.para, perPixel);
        const QTextCharFormat mark = format(paragraph.mark);
        if (first) {
            cursor.setBlockFormat(block);
            cursor.setBlockCharFormat(mark);
            first = false;
        } else {
            cursor.insertBlock(block, mark);
        }
        for (const Run &run : paragraph.runs)
            cursor.insertText(withPairedSurrogates(run.text), format(run.props));
    }
    cursor.endEditBlock();
    QTextOption option = doc.defaultTextOption();
    option.setTabStopDistance(m_defaultTab / perPixel);
    doc.setDefaultTextOption(option);
}

} // namespace

bool read(const QByteArray &data, QTextDocument &doc, QString *error)
{
    Parser parser(data);
    if (!parser.parse()) {
        if (error)
            *error = parser.error();
        return false;
    }
    parser.apply(doc);
    if (error)
        error->clear();
    return true;
}

} // namespace rtf
