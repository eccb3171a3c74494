#include "helpmarkup.h"

#include <QList>

#include <algorithm>
#include <initializer_list>

namespace {

// Well past any help file written by hand, well short of the depth where parsing shows.
constexpr int kMaxDepth = 64;
// Past this the weights leave too little room for any text anyway.
constexpr int kMaxTableDepth = 8;
// What Qt spends on one element, in characters of plain text (measured: about 35).
constexpr qint64 kElementWork = 64;

bool isOneOf(QStringView name, std::initializer_list<const char*> names)
{
    return std::any_of(names.begin(), names.end(), [name](const char* n) {
        return name.compare(QLatin1StringView(n), Qt::CaseInsensitive) == 0;
    });
}

// Elements Qt knows to hold nothing.
bool isEmptyElement(QStringView name)
{
    return isOneOf(name, {"br", "hr", "img", "meta", "link"});
}

// An element whose end tag may be left out is ended by the next one of its kind (td and th,
// dt and dd, thead, tbody and tfoot are one kind) when that is the innermost open element or
// only the elements allowed here stand between; Qt nests it in every other case.
bool endsSibling(QStringView name)
{
    return isOneOf(name, {"p", "li", "td", "th", "dt", "dd", "tr", "thead", "tbody", "tfoot"});
}

bool mayStandBetween(QStringView name, QStringView between)
{
    if (isOneOf(name, {"tr"}))
        return isOneOf(between, {"td", "th"});
    if (isOneOf(name, {"thead", "tbody", "tfoot"}))
        return isOneOf(between, {"tr", "td", "th"});
    return false;
}

int kindOf(QStringView name)
{
    return isOneOf(name, {"td", "th"})                  ? 1
           : isOneOf(name, {"dt", "dd"})                ? 2
           : isOneOf(name, {"thead", "tbody", "tfoot"}) ? 3
                                                        : 0;
}

bool isSibling(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0 || (kindOf(a) != 0 && kindOf(a) == kindOf(b));
}

struct Tag {
    QString name;
    QString attributes; // written out again: ` key="value"` each
    bool closing = false;
    bool selfClosing = false;
};

// Reads the tag whose name starts at `at`, up to its '>'; nothing when the text ends first.
class TagReader {
public:
    TagReader(QStringView html, qsizetype at) : html_(html), at_(at) {}

    std::optional<Tag> read()
    {
        Tag tag;
        tag.closing = html_[at_] == u'/';
        at_ += tag.closing ? 1 : 0;
        tag.name = word().toString().toLower();
        while (at_ < html_.size()) {
            const QChar c = html_[at_];
            if (c == u'>') {
                ++at_;
                return tag;
            }
            tag.selfClosing = c == u'/';
            if (c.isSpace() || c == u'/' || c == u'=') {
                ++at_;
                continue;
            }
            attribute(tag);
        }
        return std::nullopt;
    }
    qsizetype end() const { return at_; }

private:
    QStringView word()
    {
        const qsizetype from = at_;
        while (at_ < html_.size() && (html_[at_].isLetterOrNumber() || html_[at_] == u'-' ||
                                      html_[at_] == u'_' || html_[at_] == u':'))
            ++at_;
        return html_.sliced(from, at_ - from);
    }

    void attribute(Tag& tag)
    {
        const QStringView key = word();
        if (key.isEmpty()) {
            ++at_; // a character no key has: passed over
            return;
        }
        while (at_ < html_.size() && html_[at_].isSpace())
            ++at_;
        QStringView value = key;
        if (at_ < html_.size() && html_[at_] == u'=') {
            ++at_;
            while (at_ < html_.size() && html_[at_].isSpace())
                ++at_;
            value = attributeValue();
        }
        QString escaped = value.toString();
        escaped.replace(u'"', QLatin1StringView("&quot;"))
            .replace(u'<', QLatin1StringView("&lt;"))
            .replace(u'>', QLatin1StringView("&gt;"));
        tag.attributes += u' ' + key.toString() + QLatin1StringView("=\"") + escaped + u'"';
    }

    QStringView attributeValue()
    {
        if (at_ < html_.size() && (html_[at_] == u'"' || html_[at_] == u'\'')) {
            const QChar quote = html_[at_++];
            const qsizetype from = at_;
            const qsizetype close = html_.indexOf(quote, from);
            at_ = close < 0 ? html_.size() : close + 1;
            return html_.sliced(from, (close < 0 ? html_.size() : close) - from);
        }
        const qsizetype from = at_;
        while (at_ < html_.size() && !html_[at_].isSpace() && html_[at_] != u'>')
            ++at_;
        return html_.sliced(from, at_ - from);
    }

    QStringView html_;
    qsizetype at_;
};

// The elements open at a point of the markup, as Qt will nest them, and the work done so far.
class Nesting {
public:
    // False once the markup nests too deeply or costs too much.
    bool add(const Tag& tag)
    {
        if (tag.closing) {
            close(tag.name);
            return true;
        }
        addWork(kElementWork);
        if (tag.selfClosing || isEmptyElement(tag.name))
            return work_ <= kMaxHelpBytes;
        endSibling(tag.name);
        open_.append(tag.name);
        if (tag.name == QLatin1StringView("table"))
            ++tables_;
        return open_.size() <= kMaxDepth && tables_ <= kMaxTableDepth && work_ <= kMaxHelpBytes;
    }
    bool addText(qsizetype characters)
    {
        addWork(characters);
        return work_ <= kMaxHelpBytes;
    }

private:
    void addWork(qint64 plain) { work_ += plain << tables_; }

    void endSibling(const QString& name)
    {
        if (!endsSibling(name))
            return;
        for (qsizetype i = open_.size() - 1; i >= 0; --i) {
            if (isSibling(open_[i], name)) {
                popTo(i);
                return;
            }
            if (!mayStandBetween(name, open_[i]))
                return;
        }
    }

    // An end tag ends its element and every element left open inside it; one that ends
    // nothing is passed over.
    void close(const QString& name)
    {
        if (const qsizetype i = open_.lastIndexOf(name); i >= 0)
            popTo(i);
    }

    void popTo(qsizetype size)
    {
        while (open_.size() > size) {
            if (open_.takeLast() == QLatin1StringView("table"))
                --tables_;
        }
    }

    QList<QString> open_;
    int tables_ = 0;
    qint64 work_ = 0;
};

bool startsTag(QStringView html, qsizetype at)
{
    const qsizetype name = at + 1 < html.size() && html[at + 1] == u'/' ? at + 2 : at + 1;
    return name < html.size() && html[name].unicode() < 128 && html[name].isLetter();
}

// Where the comment or declaration starting at `at` ("<!--", "<!DOCTYPE", "<?xml") ends.
qsizetype afterDeclaration(QStringView html, qsizetype at)
{
    const bool comment = html.sliced(at).startsWith(u"<!--");
    const qsizetype end = html.indexOf(comment ? u"-->" : u">", at);
    return end < 0 ? html.size() : end + (comment ? 3 : 1);
}

} // namespace

std::optional<QString> tameHelpMarkup(QStringView html)
{
    QString out;
    out.reserve(html.size());
    Nesting nesting;
    qsizetype at = 0;
    while (at < html.size()) {
        const qsizetype lt = html.indexOf(u'<', at);
        const qsizetype textEnd = lt < 0 ? html.size() : lt;
        out += html.sliced(at, textEnd - at);
        if (!nesting.addText(textEnd - at))
            return std::nullopt;
        if (lt < 0)
            break;
        if (startsTag(html, lt)) {
            TagReader reader(html, lt + 1);
            const std::optional<Tag> tag = reader.read();
            if (!tag)
                break; // a tag cut off by the end of the file: Qt would drop it as well
            if (!nesting.add(*tag))
                return std::nullopt;
            out += tag->closing
                       ? QLatin1StringView("</") + tag->name + u'>'
                       : u'<' + tag->name + tag->attributes +
                             (tag->selfClosing ? QLatin1StringView("/>") : QLatin1StringView(">"));
            at = reader.end();
        } else if (lt + 1 < html.size() && (html[lt + 1] == u'!' || html[lt + 1] == u'?')) {
            at = afterDeclaration(html, lt);
        } else {
            out += QLatin1StringView("&lt;");
            at = lt + 1;
        }
    }
    return out;
}
