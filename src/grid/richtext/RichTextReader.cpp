#include "grid/richtext/RichTextReader.h"

#include <algorithm>
#include <map>
#include <utility>
#include <vector>

#include <QByteArray>

#include "platform/canvas/text/GbkText.h"

namespace {

// Deeper groups share the innermost kept state: nesting costs nothing more.
constexpr int kMaxKeptDepth = 256;
constexpr int kMaxWordLength = 32;

enum TDestination : uint8_t { dstText, dstFontTable, dstColorTable, dstSkip };

struct TFontEntry {
    QString Name;
    int Charset = 0;
};

struct TReaderState {
    TRichTextRun Format;
    int Font = -1;
    int UnicodeSkip = 1;
    int Alignment = -1;
    TDestination Destination = dstText;
};

// The character a control word such as \emdash stands for; null for other words.
QChar SymbolOfWord(const QString& word)
{
    static constexpr std::pair<const char*, char16_t> kSymbols[] = {
        {"emdash", 0x2014}, {"endash", 0x2013},    {"bullet", 0x2022},   {"lquote", 0x2018},
        {"rquote", 0x2019}, {"ldblquote", 0x201C}, {"rdblquote", 0x201D},
    };
    for (const auto& [name, code] : kSymbols)
        if (word == QLatin1String(name))
            return QChar(code);
    return {};
}

bool IsSkippedDestination(const QString& word)
{
    static const char* const words[] = {
        "stylesheet", "info",      "pict",       "object",     "header",        "headerl",    "headerr",
        "headerf",    "footer",    "footerl",    "footerr",    "footerf",       "footnote",   "fldinst",
        "xmlnstbl",   "listtable", "listoverridetable", "rsidtbl", "generator", "themedata", "colorschememapping",
        "latentstyles", "datastore", "bkmkstart", "bkmkend",   "pntext",        "pntxtb",     "pntxta",
        "filetbl",    "revtbl",    "nonshppict", "shppict",    "mmathPr",       "operator",   "author",
        "title",      "company",   "comment",    "template"};
    for (const char* w : words)
        if (word == QLatin1String(w))
            return true;
    return false;
}

class TReader {
public:
    explicit TReader(const QString& text) : s_(text) {}

    TRichTextDocument Read()
    {
        states_.push_back({});
        while (pos_ < s_.size()) {
            const QChar c = s_[pos_];
            if (c == u'{') {
                ++pos_;
                FlushBytes();
                PushGroup();
            } else if (c == u'}') {
                ++pos_;
                FlushBytes();
                PopGroup();
            } else if (c == u'\\') {
                ++pos_;
                ReadControl();
            } else {
                ++pos_;
                if (c == u'\r' || c == u'\n')
                    continue;
                FlushBytes();
                if (skipFallback_ > 0) {
                    --skipFallback_;
                    continue;
                }
                Text(c);
            }
        }
        FlushBytes();
        FlushText();
        if (!paragraph_.Runs.empty())
            document_.push_back(std::move(paragraph_));
        return std::move(document_);
    }

private:
    TReaderState& State() { return states_.back(); }

    void PushGroup()
    {
        skipFallback_ = 0;
        if (static_cast<int>(states_.size()) >= kMaxKeptDepth) {
            ++overflowDepth_;
            return;
        }
        states_.push_back(states_.back());
    }

    void PopGroup()
    {
        skipFallback_ = 0;
        if (overflowDepth_ > 0) {
            --overflowDepth_;
            return;
        }
        // An extra closing brace closes nothing.
        if (states_.size() <= 1)
            return;
        const TDestination leaving = states_.back().Destination;
        if (leaving == dstFontTable)
            EndFontEntry();
        states_.pop_back();
        // Leaving a group restores the paragraph alignment of the outer one.
        paragraph_.Alignment = states_.back().Alignment;
    }

    void ReadControl()
    {
        if (pos_ >= s_.size())
            return;
        const QChar c = s_[pos_];
        if (!IsLetter(c)) {
            ++pos_;
            ReadSymbol(c);
            return;
        }
        const qsizetype start = pos_;
        while (pos_ < s_.size() && IsLetter(s_[pos_]))
            ++pos_;
        const qsizetype length = pos_ - start;
        bool hasParam = false;
        bool negative = false;
        long long param = 0;
        if (pos_ < s_.size() && s_[pos_] == u'-' && pos_ + 1 < s_.size() && s_[pos_ + 1].isDigit()) {
            negative = true;
            ++pos_;
        }
        while (pos_ < s_.size() && s_[pos_].unicode() >= '0' && s_[pos_].unicode() <= '9') {
            hasParam = true;
            param = std::min<long long>(param * 10 + (s_[pos_].unicode() - '0'), 1000000000LL);
            ++pos_;
        }
        if (pos_ < s_.size() && s_[pos_] == u' ')
            ++pos_;
        if (length > kMaxWordLength)
            return;
        const int value = static_cast<int>(negative ? -param : param);
        Word(s_.mid(start, length), hasParam, value);
    }

    static bool IsLetter(QChar c)
    {
        const char16_t u = c.unicode();
        return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z');
    }

    static int HexValue(QChar c)
    {
        const char16_t u = c.unicode();
        if (u >= '0' && u <= '9')
            return u - '0';
        if (u >= 'a' && u <= 'f')
            return u - 'a' + 10;
        if (u >= 'A' && u <= 'F')
            return u - 'A' + 10;
        return -1;
    }

    void ReadSymbol(QChar c)
    {
        // Bytes of the code page come before whatever the symbol adds.
        if (c != u'\'')
            FlushBytes();
        switch (c.unicode()) {
        case '\'': {
            // A truncated or broken escape is dropped.
            if (pos_ + 1 >= s_.size()) {
                pos_ = s_.size();
                return;
            }
            const int hi = HexValue(s_[pos_]);
            const int lo = HexValue(s_[pos_ + 1]);
            // Not an escape after all: the characters are shown as they are.
            if (hi < 0 || lo < 0)
                return;
            pos_ += 2;
            if (skipFallback_ > 0) {
                --skipFallback_;
                return;
            }
            bytes_.append(static_cast<char>(hi * 16 + lo));
            return;
        }
        case '\\':
        case '{':
        case '}': Text(c); return;
        case '~': Text(QChar(0x00A0)); return;
        case '_': Text(QChar(u'-')); return;
        case '-': return;
        case '*':
            // An ignorable destination: nothing of it is shown.
            State().Destination = dstSkip;
            return;
        case '\r':
        case '\n': Paragraph(); return;
        case '\t': Text(QChar(u'\t')); return;
        default: return;
        }
    }

    void Word(const QString& word, bool hasParam, int value)
    {
        TReaderState& st = State();
        if (word == QLatin1String("u")) {
            FlushBytes();
            const char16_t u = static_cast<char16_t>(((value % 65536) + 65536) % 65536);
            if (u != 0)
                Text(QChar(u));
            skipFallback_ = st.UnicodeSkip;
            return;
        }
        FlushBytes();
        skipFallback_ = 0;
        if (word == QLatin1String("ansicpg")) {
            codePage_ = value;
        } else if (word == QLatin1String("deff")) {
            defaultFont_ = value;
        } else if (word == QLatin1String("fonttbl")) {
            st.Destination = dstFontTable;
        } else if (word == QLatin1String("colortbl")) {
            st.Destination = dstColorTable;
            pendingColor_ = {};
        } else if (IsSkippedDestination(word)) {
            st.Destination = dstSkip;
        } else if (st.Destination == dstFontTable) {
            if (word == QLatin1String("f")) {
                EndFontEntry();
                fontIndex_ = value;
            } else if (word == QLatin1String("fcharset")) {
                fontCharset_ = value;
            }
        } else if (st.Destination == dstColorTable) {
            const int v = std::clamp(value, 0, 255);
            if (word == QLatin1String("red"))
                pendingColor_.R = v;
            else if (word == QLatin1String("green"))
                pendingColor_.G = v;
            else if (word == QLatin1String("blue"))
                pendingColor_.B = v;
            pendingColor_.Set = true;
        } else if (st.Destination == dstSkip) {
            return;
        } else {
            FormatWord(word, hasParam, value);
        }
    }

    void FormatWord(const QString& word, bool hasParam, int value)
    {
        TReaderState& st = State();
        TRichTextRun& f = st.Format;
        const bool on = !hasParam || value != 0;
        auto style = [&](TFontStyle s) { f.Styles = on ? (f.Styles | s) : (f.Styles & ~s); };
        if (word == QLatin1String("par")) {
            Paragraph();
        } else if (word == QLatin1String("line")) {
            Text(QChar(0x2028));
        } else if (word == QLatin1String("tab")) {
            Text(QChar(u'\t'));
        } else if (word == QLatin1String("b")) {
            style(fsBold);
        } else if (word == QLatin1String("i")) {
            style(fsItalic);
        } else if (word == QLatin1String("ul")) {
            style(fsUnderline);
        } else if (word == QLatin1String("ulnone")) {
            f.Styles &= ~fsUnderline;
        } else if (word == QLatin1String("strike")) {
            style(fsStrikeOut);
        } else if (word == QLatin1String("super")) {
            f.Script = 1;
        } else if (word == QLatin1String("sub")) {
            f.Script = -1;
        } else if (word == QLatin1String("nosupersub")) {
            f.Script = 0;
        } else if (word == QLatin1String("plain")) {
            f = {};
            st.Font = -1;
            ApplyFont(defaultFont_);
        } else if (word == QLatin1String("f")) {
            ApplyFont(value);
        } else if (word == QLatin1String("fs")) {
            f.FontSize = hasParam ? std::clamp((value + 1) / 2, 0, 1638) : 0;
        } else if (word == QLatin1String("cf")) {
            f.Color = value > 0 && value < static_cast<int>(colors_.size()) ? colors_[value] : clDefault;
        } else if (word == QLatin1String("uc")) {
            st.UnicodeSkip = std::clamp(value, 0, 16);
        } else if (word == QLatin1String("pard")) {
            st.Alignment = -1;
            paragraph_.Alignment = -1;
        } else if (word == QLatin1String("ql") || word == QLatin1String("qj") || word == QLatin1String("qd")) {
            SetAlignment(raLeft);
        } else if (word == QLatin1String("qr")) {
            SetAlignment(raRight);
        } else if (word == QLatin1String("qc")) {
            SetAlignment(raCenter);
        } else if (const QChar symbol = SymbolOfWord(word); !symbol.isNull()) {
            Text(symbol);
        }
    }

    void SetAlignment(int a)
    {
        State().Alignment = a;
        paragraph_.Alignment = a;
    }

    void ApplyFont(int index)
    {
        TReaderState& st = State();
        st.Font = index;
        const auto it = fonts_.find(index);
        st.Format.FontName = it != fonts_.end() ? it->second.Name : QString();
    }

    void EndFontEntry()
    {
        if (fontIndex_ >= 0) {
            QString name = fontName_.trimmed();
            if (name.endsWith(u';'))
                name.chop(1);
            if (fonts_.size() < 4096)
                fonts_[fontIndex_] = {name.trimmed(), fontCharset_};
        }
        fontIndex_ = -1;
        fontCharset_ = 0;
        fontName_.clear();
    }

    int CodePageNow()
    {
        const TReaderState& st = State();
        if (st.Destination == dstFontTable)
            return fontCharset_ == 134 ? 936 : codePage_;
        const auto it = fonts_.find(st.Font);
        if (it != fonts_.end() && it->second.Charset == 134)
            return 936;
        return codePage_;
    }

    void FlushBytes()
    {
        if (bytes_.isEmpty())
            return;
        const QString text = CodePageToString(bytes_, CodePageNow());
        bytes_.clear();
        for (const QChar c : text)
            Text(c);
    }

    void Text(QChar c)
    {
        TReaderState& st = State();
        switch (st.Destination) {
        case dstSkip: return;
        case dstFontTable:
            if (c == u';') {
                EndFontEntry();
                return;
            }
            if (fontName_.size() < 256)
                fontName_ += c;
            return;
        case dstColorTable:
            if (c == u';') {
                if (colors_.size() < 4096)
                    colors_.push_back(pendingColor_.Set ? RGBColor(pendingColor_.R, pendingColor_.G, pendingColor_.B)
                                                        : clDefault);
                pendingColor_ = {};
            }
            return;
        case dstText: break;
        }
        if (!(st.Format == runFormat_))
            FlushText();
        runFormat_ = st.Format;
        run_ += c;
    }

    void FlushText()
    {
        if (run_.isEmpty())
            return;
        TRichTextRun run = runFormat_;
        run.Text = std::move(run_);
        run_.clear();
        std::vector<TRichTextRun>& runs = paragraph_.Runs;
        if (!runs.empty()) {
            TRichTextRun last = runs.back();
            last.Text = run.Text;
            if (last == run) {
                runs.back().Text += run.Text;
                return;
            }
        }
        runs.push_back(std::move(run));
    }

    void Paragraph()
    {
        FlushText();
        TRichTextParagraph done = std::move(paragraph_);
        paragraph_ = {};
        paragraph_.Alignment = State().Alignment;
        if (done.Runs.empty())
            done.Runs.push_back({});
        document_.push_back(std::move(done));
    }

    struct TPendingColor {
        int R = 0, G = 0, B = 0;
        bool Set = false;
    };

    const QString& s_;
    qsizetype pos_ = 0;
    std::vector<TReaderState> states_;
    int overflowDepth_ = 0;
    int skipFallback_ = 0;
    int codePage_ = 1252;
    int defaultFont_ = 0;
    std::map<int, TFontEntry> fonts_;
    int fontIndex_ = -1;
    int fontCharset_ = 0;
    QString fontName_;
    std::vector<TColor> colors_;
    TPendingColor pendingColor_;
    QByteArray bytes_;
    TRichTextRun runFormat_;
    QString run_;
    TRichTextParagraph paragraph_;
    TRichTextDocument document_;
};

} // namespace

bool IsRichText(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i].isSpace())
        ++i;
    return QStringView(text).mid(i).startsWith(QLatin1String("{\\rtf"));
}

TRichTextDocument ReadRichText(const QString& text)
{
    if (IsRichText(text))
        return TReader(text).Read();
    TRichTextDocument document;
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    for (const QString& line : t.split(u'\n')) {
        TRichTextParagraph p;
        TRichTextRun run;
        run.Text = line;
        p.Runs.push_back(std::move(run));
        document.push_back(std::move(p));
    }
    return document;
}

QString RichDocumentText(const TRichTextDocument& document)
{
    QStringList lines;
    for (const TRichTextParagraph& p : document) {
        QString line;
        for (const TRichTextRun& r : p.Runs)
            line += r.Text;
        lines << line;
    }
    return lines.join(u'\n');
}
