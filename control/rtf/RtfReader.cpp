// RTF reader: one pass over the input, no recursion, so time is linear and
// nesting costs memory only up to a fixed depth.
#include "RtfCodepage.h"
#include "RtfDocument.h"
#include "RtfKeywords.h"
#include "RtfWords.h"
#include "TextCodec.h"

#include <QHash>
#include <algorithm>
#include <climits>
#include <string>
#include <vector>

namespace corvel::rtf {

namespace {

// The characters as they are: a leading U+FEFF or U+FFFE is text here, never
// a byte-order mark to drop or to swap the rest by.
QString Units(const std::u16string &units) {
    return QString(reinterpret_cast<const QChar *>(units.data()), qsizetype(units.size()));
}

// A character format with its face as a number (faces are interned once, as
// the font table is read), so finding a run's format never hashes a name.
struct FormatKey {
    int face; // -1: none
    int size;
    int color;
    bool bold;
    bool italic;
    bool operator==(const FormatKey &o) const {
        return face == o.face && size == o.size && color == o.color && bold == o.bold &&
               italic == o.italic;
    }
};
size_t qHash(const FormatKey &k, size_t seed = 0) {
    return qHashMulti(seed, k.face, k.size, k.color, k.bold, k.italic);
}

using detail::Kw;

// Groups nested deeper than this share the state of the deepest kept one.
constexpr int kMaxDepth = 1024;
// Characters skipped after \uN are bounded, whatever \ucN says.
constexpr int kMaxUnicodeSkip = 64;

enum class Dest : std::uint8_t { Text, FontTable, ColorTable };

struct State {
    int font = -1;  // font number; -1: none given
    int size = 0;   // 1/100 point; 0: none given
    int color = -1; // colour table index; -1: none given
    bool bold = false;
    bool italic = false;
    Dest dest = Dest::Text;
    int uc = 1;
    int cp = 0; // code page of the current font; 0: the document's

    bool sameFormat(const State &o) const {
        return font == o.font && size == o.size && color == o.color && bold == o.bold &&
               italic == o.italic;
    }
};

struct FontEntry {
    QString name;
    int face = -2; // index into the interned face names; -1: none; -2: not yet interned
    int cp = 0;
    bool present = false;
};

// The font table by font number. Numbers are usually 0, 1, 2 ...: those sit
// in a vector (grown only as far as the table is long, so one huge number
// costs no memory); any other number goes to a hash.
class FontTable {
public:
    void clear() {
        dense_.clear();
        sparse_.clear();
        count_ = 0;
    }
    FontEntry &insert(int number) {
        FontEntry *e = nullptr;
        if (number >= 0 && number < int(dense_.size())) {
            e = &dense_[size_t(number)];
        } else if (number >= 0 && number == int(dense_.size()) && number <= 2 * count_ + 1024) {
            dense_.emplace_back();
            e = &dense_.back();
        } else {
            e = &sparse_[number];
        }
        if (!e->present) ++count_;
        *e = FontEntry();
        e->present = true;
        return *e;
    }
    FontEntry *find(int number) {
        if (number >= 0 && number < int(dense_.size()))
            return dense_[size_t(number)].present ? &dense_[size_t(number)] : nullptr;
        const auto it = sparse_.find(number);
        return it == sparse_.end() ? nullptr : &it.value();
    }
    const FontEntry *find(int number) const { return const_cast<FontTable *>(this)->find(number); }

private:
    std::vector<FontEntry> dense_;
    QHash<int, FontEntry> sparse_;
    int count_ = 0;
};

inline bool IsLetter(unsigned c) {
    return (c | 0x20) >= 'a' && (c | 0x20) <= 'z';
}
inline bool IsDigit(unsigned c) {
    return c >= '0' && c <= '9';
}
inline int HexValue(unsigned c) {
    if (c >= '0' && c <= '9') return int(c - '0');
    if ((c | 0x20) >= 'a' && (c | 0x20) <= 'f') return int((c | 0x20) - 'a' + 10);
    return -1;
}

template <typename Ch> class Parser {
public:
    // rawHighIsByte: characters above 0x7F in the input are bytes of the
    // document's code page (a byte input); otherwise they are characters.
    Parser(const Ch *begin, const Ch *end, bool rawHighIsByte)
        : p_(begin), e_(end), rawHighIsByte_(rawHighIsByte) {
        out_.reserve(size_t(end - begin));
        stack_.reserve(64);
    }

    void run(Document *doc) {
        while (p_ < e_) {
            const unsigned c = unsigned(*p_);
            if (c == '{') {
                ++p_;
                openGroup();
            } else if (c == '}') {
                ++p_;
                closeGroup();
            } else if (c == '\\') {
                ++p_;
                control();
            } else if (c == '\r' || c == '\n') {
                ++p_;
            } else if (st_.dest == Dest::Text && skip_ == 0 && IsPlain(c)) {
                textSpan();
            } else {
                ++p_;
                rawChar(c);
            }
        }
        finish(doc);
    }

private:
    static bool IsPlainChar(unsigned c, bool rawHighIsByte) {
        return c >= 0x20 && c != '\\' && c != '{' && c != '}' && (c < 0x80 || !rawHighIsByte);
    }
    bool IsPlain(unsigned c) const { return IsPlainChar(c, rawHighIsByte_); }

    // A run of ordinary characters in the document's text.
    void textSpan() {
        fresh_ = false;
        star_ = false;
        flushBytes(); // a multi-byte character waiting comes first
        const Ch *s = p_;
        while (p_ < e_ && IsPlain(unsigned(*p_)))
            ++p_;
        beforeText();
        for (const Ch *q = s; q < p_; ++q)
            out_.push_back(char16_t(*q));
    }

    void rawChar(unsigned c) {
        fresh_ = false;
        star_ = false;
        if (c < 0x20 && c != '\t') return; // control characters are not RTF text
        if (c >= 0x80 && rawHighIsByte_) {
            byte(c);
            return;
        }
        if (c == ';') {
            if (st_.dest == Dest::FontTable) {
                if (skip_ > 0) skip_ = 0;
                finishFont();
                return;
            }
            if (st_.dest == Dest::ColorTable) {
                finishColor();
                return;
            }
        }
        character(char16_t(c));
    }

    // ---- groups

    void openGroup() {
        flushBytes();
        skip_ = 0;
        if (int(stack_.size()) < kMaxDepth)
            stack_.push_back(st_);
        else
            ++overflow_;
        fresh_ = true;
        star_ = false;
    }

    void popState() {
        if (overflow_ > 0) {
            --overflow_;
        } else if (!stack_.empty()) {
            st_ = stack_.back();
            stack_.pop_back();
        }
    }

    void closeGroup() {
        flushBytes();
        skip_ = 0;
        if (st_.dest == Dest::FontTable) finishFont();
        popState(); // a stray "}" at the outermost level is ignored
        fresh_ = false;
        star_ = false;
    }

    // Skips the rest of the group just opened: braces are counted, escaped
    // characters and \binN data are stepped over.
    void skipGroup() {
        int depth = 1;
        while (p_ < e_) {
            const unsigned c = unsigned(*p_++);
            if (c == '{') {
                ++depth;
            } else if (c == '}') {
                if (--depth == 0) break;
            } else if (c == '\\' && p_ < e_) {
                if (!IsLetter(unsigned(*p_))) {
                    ++p_;
                    continue;
                }
                const Ch *w = p_;
                while (p_ < e_ && IsLetter(unsigned(*p_)))
                    ++p_;
                const bool isBin = p_ - w == 3 && w[0] == 'b' && w[1] == 'i' && w[2] == 'n';
                bool has = false;
                const long long n = parameter(&has);
                if (isBin && n > 0) skipBinary(n);
            }
        }
        fresh_ = false;
        star_ = false;
        skip_ = 0;
        popState();
    }

    // ---- control words and symbols

    long long parameter(bool *has) {
        bool negative = false;
        if (p_ + 1 < e_ && *p_ == '-' && IsDigit(unsigned(p_[1]))) {
            negative = true;
            ++p_;
        }
        long long v = 0;
        *has = false;
        while (p_ < e_ && IsDigit(unsigned(*p_))) {
            *has = true;
            if (v <= INT_MAX) v = v * 10 + (unsigned(*p_) - '0');
            ++p_;
        }
        if (p_ < e_ && *p_ == ' ') ++p_;
        v = std::min<long long>(v, INT_MAX);
        return negative ? -v : v;
    }

    void skipBinary(long long n) {
        const long long left = e_ - p_;
        p_ += std::min(n, left);
    }

    void control() {
        if (p_ >= e_) return;
        const unsigned c = unsigned(*p_);
        if (!IsLetter(c)) {
            ++p_;
            symbol(c);
            return;
        }
        char name[33];
        int n = 0;
        while (p_ < e_ && IsLetter(unsigned(*p_))) {
            if (n < 32) name[n] = char(*p_);
            ++n;
            ++p_;
        }
        bool has = false;
        const long long v = parameter(&has);
        const detail::Keyword k =
            n <= 32 ? detail::LookupKeyword(std::string_view(name, size_t(n))) : detail::Keyword{};
        word(k, has, int(v));
    }

    void symbol(unsigned c) {
        if (c == '*') {
            if (fresh_) star_ = true; // only "{\*" marks an ignorable destination
            return;
        }
        fresh_ = false;
        star_ = false;
        switch (c) {
        case '\\':
        case '{':
        case '}':
            character(char16_t(c));
            break;
        case '\'': {
            if (e_ - p_ >= 2) {
                const int hi = HexValue(unsigned(p_[0]));
                const int lo = HexValue(unsigned(p_[1]));
                if (hi >= 0 && lo >= 0) {
                    p_ += 2;
                    byte(unsigned(hi * 16 + lo));
                }
            }
            break;
        }
        case '~':
            character(0x00A0);
            break;
        case '_':
            character(0x2011);
            break;
        case '\r':
        case '\n':
            paragraph();
            break;
        case '\t':
            character('\t');
            break;
        default: // \- (optional hyphen), \:, \| and unknown symbols
            skip_ = 0;
            break;
        }
    }

    void word(const detail::Keyword &k, bool has, int v) {
        const bool atStart = fresh_;
        const bool star = star_;
        fresh_ = false;
        star_ = false;
        switch (k.kw) {
        case Kw::Bin:
            if (v > 0) skipBinary(v);
            return;
        case Kw::U:
            if (!has) return;
            if (v < 0) v += 65536;
            if (v >= 0 && v <= 0xFFFF) character(char16_t(v), true);
            skip_ = st_.uc;
            return;
        case Kw::Uc:
            st_.uc = has ? std::clamp(v, 0, kMaxUnicodeSkip) : 1;
            return;
        default:
            break;
        }
        skip_ = 0;
        if (atStart) {
            switch (k.kw) {
            case Kw::FontTable:
                flushBytes();
                st_.dest = Dest::FontTable;
                fonts_.clear();
                resetFontEntry();
                return;
            case Kw::ColorTable:
                st_.dest = Dest::ColorTable;
                colors_.clear();
                resetColorEntry();
                return;
            case Kw::FieldResult:
                return;
            case Kw::SkipDest:
                skipGroup();
                return;
            default:
                if (star) {
                    skipGroup(); // an ignorable destination this reader does not know
                    return;
                }
                break;
            }
        }
        switch (st_.dest) {
        case Dest::Text:
            textWord(k, has, v);
            break;
        case Dest::FontTable:
            fontWord(k, has, v);
            break;
        case Dest::ColorTable:
            colorWord(k, v);
            break;
        }
    }

    void textWord(const detail::Keyword &k, bool has, int v) {
        switch (k.kw) {
        case Kw::Par:
            paragraph();
            break;
        case Kw::Line:
        case Kw::Break:
            character('\n');
            break;
        case Kw::Tab:
            character('\t');
            break;
        case Kw::Char:
            character(k.ch);
            break;
        case Kw::Plain:
            flushBytes();
            st_.font = -1;
            st_.size = 0;
            st_.color = -1;
            st_.bold = st_.italic = false;
            st_.cp = fontCodepage(deff_);
            break;
        case Kw::F:
            flushBytes();
            st_.font = has ? v : 0;
            st_.cp = fontCodepage(st_.font);
            break;
        case Kw::Fs:
            flushBytes();
            st_.size = has && v > 0 ? int(std::min<long long>(v * 50ll, kMaxSizeHundredths)) : 0;
            break;
        case Kw::ExactSize:
            flushBytes();
            st_.size = std::clamp(v, 0, kMaxSizeHundredths);
            break;
        case Kw::Cf:
            flushBytes();
            st_.color = has ? (v >= 0 ? v : -1) : 0;
            break;
        case Kw::B:
            flushBytes();
            st_.bold = !has || v != 0;
            break;
        case Kw::I:
            flushBytes();
            st_.italic = !has || v != 0;
            break;
        case Kw::Ansi:
            docCp_ = 1252;
            break;
        case Kw::AnsiCpg:
            if (v > 0) docCp_ = v;
            break;
        case Kw::Mac:
            docCp_ = 10000;
            break;
        case Kw::Pc:
            docCp_ = 437;
            break;
        case Kw::Pca:
            docCp_ = 850;
            break;
        case Kw::Deff:
            deff_ = v;
            break;
        default: // paragraph formatting and everything else: no effect on the text
            break;
        }
    }

    // ---- the font table

    void resetFontEntry() {
        fontNum_ = INT_MIN;
        fontCp_ = 0;
        fontCpg_ = false;
        fontName_.clear();
    }

    void fontWord(const detail::Keyword &k, bool has, int v) {
        switch (k.kw) {
        case Kw::F:
            if (fontNum_ != INT_MIN && !fontName_.empty()) finishFont();
            fontNum_ = has ? v : 0;
            break;
        case Kw::Fcharset:
            if (!fontCpg_) fontCp_ = detail::CodepageOfCharset(v);
            break;
        case Kw::Cpg: // an explicit code page outranks the charset
            if (v > 0) {
                fontCp_ = v;
                fontCpg_ = true;
            }
            break;
        default:
            break;
        }
    }

    void finishFont() {
        nameDecoder_.flush(&fontName_);
        if (fontNum_ != INT_MIN) {
            FontEntry &e = fonts_.insert(fontNum_);
            e.name = Units(fontName_).trimmed();
            e.cp = fontCp_;
        }
        resetFontEntry();
    }

    int fontCodepage(int font) const {
        const FontEntry *e = fonts_.find(font);
        return e ? e->cp : 0;
    }

    // The interned face of a font, when text in it is first met: a table of
    // many fonts costs no hashing of the names nobody uses.
    int fontFace(int font) {
        FontEntry *e = fonts_.find(font);
        if (!e) return -1;
        if (e->face == -2) {
            int face = faceIds_.value(e->name, -1);
            if (face < 0 && !e->name.isEmpty()) { // an empty name is no face at all
                face = int(faces_.size());
                faces_.append(e->name);
                faceIds_.insert(e->name, face);
            }
            e->face = face;
        }
        return e->face;
    }

    // ---- the colour table

    void resetColorEntry() {
        red_ = green_ = blue_ = 0;
        hasRgb_ = false;
    }

    void colorWord(const detail::Keyword &k, int v) {
        const int c = std::clamp(v, 0, 255);
        switch (k.kw) {
        case Kw::Red:
            red_ = c;
            hasRgb_ = true;
            break;
        case Kw::Green:
            green_ = c;
            hasRgb_ = true;
            break;
        case Kw::Blue:
            blue_ = c;
            hasRgb_ = true;
            break;
        default:
            break;
        }
    }

    void finishColor() {
        colors_.push_back(hasRgb_ ? red_ + 256 * green_ + 65536 * blue_ : -1);
        resetColorEntry();
    }

    // ---- text

    int effectiveCodepage() const { return st_.cp ? st_.cp : docCp_; }

    // One character from the input, a \uN or a symbol, after the characters
    // \ucN says to skip.
    void character(char16_t c, bool fromUnicode = false) {
        if (skip_ > 0 && !fromUnicode) {
            --skip_;
            return;
        }
        switch (st_.dest) {
        case Dest::Text:
            flushBytes();
            beforeText();
            out_.push_back(c);
            break;
        case Dest::FontTable:
            if (fontNum_ == INT_MIN) fontNum_ = 0;
            nameDecoder_.flush(&fontName_);
            fontName_.push_back(c);
            break;
        case Dest::ColorTable:
            break;
        }
    }

    void byte(unsigned b) {
        if (skip_ > 0) {
            --skip_;
            return;
        }
        switch (st_.dest) {
        case Dest::Text:
            decoder_.setCodepage(effectiveCodepage(), &out_);
            beforeText();
            decoder_.push((unsigned char)b, &out_);
            break;
        case Dest::FontTable:
            if (fontNum_ == INT_MIN) fontNum_ = 0;
            nameDecoder_.setCodepage(fontCp_ ? fontCp_ : docCp_, &fontName_);
            nameDecoder_.push((unsigned char)b, &fontName_);
            break;
        case Dest::ColorTable:
            break;
        }
    }

    void paragraph() {
        if (st_.dest != Dest::Text) return;
        skip_ = 0;
        character('\n');
        lastPar_ = out_.size();
    }

    void flushBytes() { decoder_.flush(&out_); }

    // Opens a new run when the character format differs from the last one.
    void beforeText() {
        if (runOpen_ && st_.sameFormat(run_)) return;
        closeRun();
        run_ = st_;
        runStart_ = out_.size();
        runOpen_ = true;
    }

    void closeRun() {
        if (!runOpen_ || out_.size() <= runStart_) return;
        FormatKey key{-1, run_.size, -1, run_.bold, run_.italic};
        if (run_.font >= 0) key.face = fontFace(run_.font);
        if (run_.color >= 0 && run_.color < int(colors_.size())) key.color = colors_[run_.color];
        if (key == FormatKey{-1, 0, -1, false, false}) return; // the default format
        int index = formatIndex_.value(key, -1);
        if (index < 0) {
            CharFormat f;
            if (key.face >= 0) f.font = faces_[key.face];
            f.pointSize = key.size / 100.0;
            f.color = key.color;
            f.bold = key.bold;
            f.italic = key.italic;
            index = int(formats_.size());
            formats_.append(f);
            formatIndex_.insert(key, index);
        }
        const int start = int(runStart_);
        const int length = int(out_.size() - runStart_);
        if (!ranges_.isEmpty()) {
            FormatRange &last = ranges_.last();
            if (last.format == index && last.start + last.length == start) {
                last.length += length;
                return;
            }
        }
        ranges_.append(FormatRange{start, length, index});
    }

    void finish(Document *doc) {
        flushBytes();
        // The document's closing paragraph mark is not a line break of its text.
        closeRun();
        if (lastPar_ != std::string::npos && lastPar_ == out_.size()) {
            out_.pop_back();
            // The run that held it may have been closed already (a run opened
            // for bytes that decoded to nothing): end it with the text.
            const int size = int(out_.size());
            while (!ranges_.isEmpty() && ranges_.last().start >= size)
                ranges_.removeLast();
            if (!ranges_.isEmpty() && ranges_.last().start + ranges_.last().length > size)
                ranges_.last().length = size - ranges_.last().start;
        }
        doc->text = Units(out_);
        doc->formats = std::move(formats_);
        doc->ranges = std::move(ranges_);
    }

    const Ch *p_;
    const Ch *e_;
    const bool rawHighIsByte_;

    State st_;
    std::vector<State> stack_;
    int overflow_ = 0;
    bool fresh_ = false; // nothing but "\*" since the last "{"
    bool star_ = false;  // "{\*" seen
    int skip_ = 0;       // fallback characters left to skip after \uN

    int docCp_ = 1252;
    int deff_ = 0;
    detail::ByteDecoder decoder_;

    FontTable fonts_;
    int fontNum_ = INT_MIN;
    int fontCp_ = 0;
    bool fontCpg_ = false;
    std::u16string fontName_;
    detail::ByteDecoder nameDecoder_;

    std::vector<int> colors_;
    int red_ = 0, green_ = 0, blue_ = 0;
    bool hasRgb_ = false;

    std::u16string out_;
    size_t lastPar_ = std::string::npos;
    State run_;
    size_t runStart_ = 0;
    bool runOpen_ = false;
    QVector<CharFormat> formats_;
    QHash<FormatKey, int> formatIndex_;
    QVector<QString> faces_;
    QHash<QString, int> faceIds_;
    QVector<FormatRange> ranges_;
};

// Skips white space and a byte-order mark before "{\rtf".
template <typename Ch> const Ch *RtfStart(const Ch *p, const Ch *end) {
    while (p < end &&
           (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n' || unsigned(*p) == 0xFEFF))
        ++p;
    static const char sig[] = "{\\rtf";
    for (int i = 0; i < 5; ++i)
        if (p + i >= end || unsigned(p[i]) != unsigned((unsigned char)sig[i])) return nullptr;
    return p;
}

template <typename Ch> bool ReadUnits(const Ch *begin, const Ch *end, bool rawHigh, Document *doc) {
    *doc = Document();
    const Ch *start = RtfStart(begin, end);
    if (!start) return false;
    Parser<Ch>(start, end, rawHigh).run(doc);
    return true;
}

} // namespace

bool Read(const QByteArray &rtf, Document *doc) {
    const auto *b = reinterpret_cast<const unsigned char *>(rtf.constData());
    const auto *e = b + rtf.size();
    if (e - b >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF) b += 3;
    const bool ascii = std::all_of(b, e, [](unsigned char c) { return c < 0x80; });
    if (!ascii && IsValidUtf8(rtf)) {
        // RTF that travelled as a UTF-8 string: its raw characters are text.
        return ReadText(QString::fromUtf8(rtf), doc);
    }
    return ReadUnits(b, e, true, doc);
}

bool ReadText(const QString &rtf, Document *doc) {
    const auto *b = reinterpret_cast<const char16_t *>(rtf.utf16());
    return ReadUnits(b, b + rtf.size(), false, doc);
}

} // namespace corvel::rtf
