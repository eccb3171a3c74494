#include "inidocument.h"

#include <QStringDecoder>

#include <algorithm>
#include <iterator>
#include <optional>
#include <span>

namespace {

// The C escapes of values: "\n" is the letter 'n' for a line feed. QSettings writes the first
// nine and reads them all.
struct Escape {
    char letter;
    char16_t character;
};
constexpr Escape kEscapes[] = {{'a', u'\a'},  {'b', u'\b'}, {'f', u'\f'}, {'n', u'\n'},
                               {'r', u'\r'},  {'t', u'\t'}, {'v', u'\v'}, {'"', u'"'},
                               {'\\', u'\\'}, {'?', u'?'},  {'\'', u'\''}};
constexpr std::span<const Escape> kWrittenEscapes(kEscapes, 9);

int digitValue(char c, uint base)
{
    const int value = c >= '0' && c <= '9'   ? c - '0'
                      : c >= 'a' && c <= 'f' ? c - 'a' + 10
                      : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                             : -1;
    return value >= 0 && uint(value) < base ? value : -1;
}

bool isHexDigit(char16_t c)
{
    return c < 0x80 && digitValue(char(c), 16) >= 0;
}

bool isAsciiLetterOrDigit(char16_t c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
}

// ---- Keys: "%XX" for Latin-1, "%UXXXX" beyond, "\" for the group separator "/" ----

QByteArray escapedKey(const QString& key)
{
    QByteArray out;
    for (const QChar qc : key) {
        const char16_t c = qc.unicode();
        if (c == u'/') {
            out += '\\';
        } else if (isAsciiLetterOrDigit(c) || c == u'_' || c == u'-' || c == u'.') {
            out += char(c);
        } else {
            const bool latin1 = c <= 0xFF;
            out += (latin1 ? "%" : "%U") +
                   QByteArray::number(c, 16).toUpper().rightJustified(latin1 ? 2 : 4, '0');
        }
    }
    return out;
}

QString unescapedKey(QByteArrayView raw)
{
    QString out;
    QByteArray plain; // unescaped bytes are UTF-8, decoded in runs
    const auto flushPlain = [&] {
        out += QString::fromUtf8(plain);
        plain.clear();
    };
    for (qsizetype i = 0; i < raw.size();) {
        const char c = raw[i];
        if (c == '\\') {
            plain += '/';
            ++i;
            continue;
        }
        if (c == '%' && i + 1 < raw.size()) {
            const bool wide = raw[i + 1] == 'U';
            const qsizetype first = i + (wide ? 2 : 1);
            const qsizetype digits = wide ? 4 : 2;
            bool ok = false;
            const uint code =
                first + digits <= raw.size() ? raw.sliced(first, digits).toUInt(&ok, 16) : 0;
            if (ok) {
                flushPlain();
                out += QChar(char16_t(code));
                i = first + digits;
                continue;
            }
        }
        plain += c;
        ++i;
    }
    flushPlain();
    return out;
}

// ---- Values: C escapes, quotes around texts with ; , = or outer blanks ----

QByteArray escapedValue(const QString& text)
{
    // A text starting with "@" is doubled, as "@" starts QSettings' own typed values.
    const QString value = text.startsWith(u'@') ? u'@' + text : text;
    QByteArray out;
    bool needsQuotes = false;
    bool escapeNextIfHexDigit = false;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const char16_t c = value[i].unicode();
        if (c == u';' || c == u',' || c == u'=')
            needsQuotes = true;
        // After a numeric escape a following hex digit would read as part of it.
        if (escapeNextIfHexDigit && isHexDigit(c)) {
            out += "\\x" + QByteArray::number(c, 16);
            continue;
        }
        escapeNextIfHexDigit = false;
        const auto named = std::ranges::find(kWrittenEscapes, c, &Escape::character);
        if (named != kWrittenEscapes.end()) {
            out += '\\';
            out += named->letter;
        } else if (c <= 0x1F) {
            out += c == u'\0' ? QByteArray("\\0") : "\\x" + QByteArray::number(c, 16);
            escapeNextIfHexDigit = true;
        } else if (QChar::isHighSurrogate(c) && i + 1 < value.size()) {
            out += value.sliced(i, 2).toUtf8();
            ++i;
        } else {
            out += QString(QChar(c)).toUtf8();
        }
    }
    if (needsQuotes || out.startsWith(' ') || out.endsWith(' '))
        out = '"' + out + '"';
    return out;
}

// The reverse of escapedValue, and of what QSettings writes. Commas outside quotes, which
// QSettings would take as a list, are kept as text: a hand-edited value stays readable.
QString unescapedValue(QByteArrayView raw)
{
    QString out;
    QStringDecoder utf8(QStringDecoder::Utf8);
    bool inQuotes = false;
    qsizetype keepFrom = 0; // trailing blanks before this index are part of the text
    qsizetype i = 0;
    const auto skipBlanks = [&] {
        while (i < raw.size() && (raw[i] == ' ' || raw[i] == '\t'))
            ++i;
    };
    // "\x41" and "\101": as many digits as follow.
    const auto numeric = [&](uint base, uint code) {
        for (int digit; i < raw.size() && (digit = digitValue(raw[i], base)) >= 0; ++i)
            code = code * base + uint(digit);
        out += QChar(char16_t(code));
    };
    skipBlanks();
    while (i < raw.size()) {
        const char c = raw[i];
        if (c == '\\') {
            if (++i >= raw.size())
                break;
            const char e = raw[i++];
            const auto named = std::ranges::find(kEscapes, e, &Escape::letter);
            if (named != std::end(kEscapes))
                out += QChar(named->character);
            else if (e == 'x' && i < raw.size() && isHexDigit(char16_t(raw[i])))
                numeric(16, 0);
            else if (e >= '0' && e <= '7')
                numeric(8, uint(e - '0'));
            else if ((e == '\n' || e == '\r') && i < raw.size() &&
                     (raw[i] == '\n' || raw[i] == '\r') && raw[i] != e)
                ++i; // a line continued on the next
            keepFrom = out.size();
        } else if (c == '"') {
            ++i;
            inQuotes = !inQuotes;
            if (!inQuotes) {
                keepFrom = out.size();
                skipBlanks();
            }
        } else {
            qsizetype j = i + 1;
            while (j < raw.size() && raw[j] != '\\' && raw[j] != '"')
                ++j;
            out += utf8(raw.sliced(i, j - i));
            if (inQuotes)
                keepFrom = out.size();
            i = j;
        }
    }
    while (out.size() > keepFrom && (out.back() == u' ' || out.back() == u'\t'))
        out.chop(1);
    return out;
}

// QSettings' own typed values: "@@" is an escaped "@", "@Invalid()" no value at all.
std::optional<QString> textOfValue(const QString& stored)
{
    if (!stored.startsWith(u'@'))
        return stored;
    if (stored.startsWith(QLatin1String("@@")))
        return stored.mid(1);
    if (stored == QLatin1String("@Invalid()"))
        return std::nullopt;
    for (const QLatin1String type : {QLatin1String("@ByteArray("), QLatin1String("@String(")}) {
        if (stored.startsWith(type) && stored.endsWith(u')'))
            return stored.sliced(type.size(), stored.size() - type.size() - 1);
    }
    return stored;
}

// One logical line: it ends at a line end outside quotes, or at a ";" that starts a comment;
// a backslash takes the next character with it, line ends included.
struct Line {
    QByteArrayView text;
    qsizetype equals = -1; // the first "=" outside quotes, relative to text
};

std::optional<Line> nextLine(QByteArrayView data, qsizetype& pos)
{
    const auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
    while (pos < data.size() && isSpace(data[pos]))
        ++pos;
    if (pos >= data.size())
        return std::nullopt;
    const qsizetype start = pos;
    qsizetype i = start;
    qsizetype equals = -1;
    bool inQuotes = false;
    if (data[i] == ';') { // a comment: the whole line
        while (i < data.size() && data[i] != '\n' && data[i] != '\r')
            ++i;
        pos = i;
        return Line{data.sliced(start, i - start), -1};
    }
    while (i < data.size()) {
        const char c = data[i];
        if ((c == '\n' || c == '\r' || c == ';') && !inQuotes)
            break;
        ++i;
        if (c == '=' && !inQuotes && equals < 0)
            equals = i - 1 - start;
        else if (c == '"')
            inQuotes = !inQuotes;
        else if (c == '\\' && i < data.size()) {
            const char next = data[i++];
            if (i < data.size() &&
                ((next == '\n' && data[i] == '\r') || (next == '\r' && data[i] == '\n')))
                ++i;
        }
    }
    pos = i;
    return Line{data.sliced(start, i - start), equals};
}

} // namespace

IniDocument IniDocument::parse(const QByteArray& bytes)
{
    IniDocument doc;
    doc.sections_.append(Section{}); // entries before any section header
    QByteArrayView data(bytes);
    if (data.startsWith("\xEF\xBB\xBF")) {
        data = data.sliced(3);
        ++doc.unreadableLines_;
    }
    Section* current = &doc.sections_.front();
    qsizetype pos = 0;
    while (const std::optional<Line> line = nextLine(data, pos)) {
        const QByteArrayView text = line->text;
        if (text.startsWith('[')) {
            const qsizetype close = text.indexOf(']');
            if (close < 0)
                ++doc.unreadableLines_;
            const QString name =
                unescapedKey(text.sliced(1, (close < 0 ? text.size() : close) - 1).trimmed());
            current = &doc.sectionNamed(name);
        } else if (line->equals > 0) {
            const QString key = unescapedKey(text.first(line->equals).trimmed());
            current->entries.append(Entry{key, text.toByteArray()});
        } else {
            ++doc.unreadableLines_; // a comment, a stray line, or an empty key
        }
    }
    return doc;
}

QByteArray IniDocument::serialized() const
{
    QByteArray out;
    for (const Section& section : sections_) {
        if (section.entries.isEmpty())
            continue;
        if (!section.header.isEmpty())
            out += section.header + '\n';
        for (const Entry& entry : section.entries)
            out += entry.line + '\n';
        out += '\n';
    }
    return out;
}

IniDocument::Section& IniDocument::sectionNamed(const QString& section)
{
    const auto found = std::ranges::find(sections_, section, &Section::name);
    if (found != sections_.end())
        return *found;
    sections_.append(Section{section, "[" + escapedKey(section) + "]", {}});
    return sections_.back();
}

QHash<QString, QString> IniDocument::values(const QString& section) const
{
    QHash<QString, QString> values;
    const auto s = std::ranges::find(sections_, section, &Section::name);
    if (s == sections_.end())
        return values;
    // Of a key written twice by hand, the last counts, as it does for QSettings; "no value at
    // all" is as good as no key.
    for (const Entry& entry : s->entries) {
        const qsizetype equals = entry.line.indexOf('=');
        const std::optional<QString> value =
            textOfValue(unescapedValue(QByteArrayView(entry.line).sliced(equals + 1)));
        if (value)
            values.insert(entry.key, *value);
        else
            values.remove(entry.key);
    }
    return values;
}

bool IniDocument::setValue(const QString& section, const QString& key, const QString& value)
{
    const QByteArray line = escapedKey(key) + '=' + escapedValue(value);
    // A key that stands once, on this very line, stays as it is: the file need not change.
    if (const auto s = std::ranges::find(sections_, section, &Section::name);
        s != sections_.end()) {
        const auto ofKey = [&](const Entry& entry) { return entry.key == key; };
        if (std::ranges::count_if(s->entries, ofKey) == 1 &&
            std::ranges::find_if(s->entries, ofKey)->line == line)
            return false;
    }
    remove(section, key);
    sectionNamed(section).entries.append(Entry{key, line});
    return true;
}

bool IniDocument::remove(const QString& section, const QString& key)
{
    const auto s = std::ranges::find(sections_, section, &Section::name);
    return s != sections_.end() &&
           s->entries.removeIf([&](const Entry& entry) { return entry.key == key; }) > 0;
}
