#include "RtfCodepage.h"

#include <QHash>
#include <QMutex>
#include <QStringDecoder>
#include <array>
#include <memory>

namespace corvel::rtf::detail {

namespace {

using HighTable = std::array<char16_t, 128>;

// Bytes 0x80-0x9F of Windows-1252; the five unassigned ones keep their C1
// code so that no byte is lost.
constexpr char16_t k1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

const HighTable &Table1252() {
    static const HighTable table = [] {
        HighTable t{};
        for (int i = 0; i < 32; ++i)
            t[i] = k1252High[i];
        for (int i = 32; i < 128; ++i)
            t[i] = char16_t(0x80 + i);
        return t;
    }();
    return table;
}

bool IsMultiByte(int cp) {
    switch (cp) {
    case 932:
    case 936:
    case 949:
    case 950:
    case 1361:
    case 54936:
    case 65001:
        return true;
    default:
        return false;
    }
}

QByteArray ConverterName(int cp) {
    switch (cp) {
    case 932:
        return "Shift_JIS";
    case 936:
        return "GBK";
    case 949:
        return "windows-949";
    case 950:
        return "Big5";
    case 10000:
        return "macintosh";
    case 65001:
        return "UTF-8";
    case 54936:
        return "GB18030";
    case 20866:
        return "KOI8-R";
    default:
        break;
    }
    if (cp >= 1250 && cp <= 1258) return "windows-" + QByteArray::number(cp);
    if (cp == 874) return "windows-874";
    if (cp >= 28591 && cp <= 28605) return "ISO-8859-" + QByteArray::number(cp - 28590);
    if (cp < 1250) return "IBM" + QByteArray::number(cp);
    return "cp" + QByteArray::number(cp);
}

// What Qt offers for a page, looked up once per page number and shared.
struct PageInfo {
    bool known = false;
    HighTable high{}; // single-byte pages only
};

const PageInfo &Page(int cp) {
    static QMutex mutex;
    static QHash<int, std::shared_ptr<PageInfo>> cache;
    QMutexLocker lock(&mutex);
    auto it = cache.constFind(cp);
    if (it != cache.constEnd()) return *it.value();
    auto info = std::make_shared<PageInfo>();
    const QByteArray name = ConverterName(cp);
    QStringDecoder dec(name.constData(), QStringConverter::Flag::Stateless);
    info->known = dec.isValid();
    if (info->known && !IsMultiByte(cp)) {
        QByteArray high(128, '\0');
        for (int i = 0; i < 128; ++i)
            high[i] = char(0x80 + i);
        const QString all = dec(high);
        for (int i = 0; i < 128; ++i) {
            if (all.size() == 128) {
                info->high[i] = char16_t(all.at(i).unicode());
            } else { // a page that is not one character per byte after all
                const QString one = dec(high.mid(i, 1));
                info->high[i] = one.size() == 1 ? char16_t(one.at(0).unicode()) : Table1252()[i];
            }
        }
    }
    cache.insert(cp, info);
    return *info;
}

} // namespace

ByteDecoder::ByteDecoder() : table_(Table1252().data()) {}

int CodepageOfCharset(int charset) {
    switch (charset) {
    case 77:
        return 10000;
    case 128:
        return 932;
    case 129:
        return 949;
    case 130:
        return 1361;
    case 134:
        return 936;
    case 136:
        return 950;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    case 254:
        return 437;
    case 255:
        return 850;
    default:
        return 0;
    }
}

int Windows1252Byte(char16_t c) {
    if (c < 0x80) return c;
    if (c >= 0xA0 && c <= 0xFF) return c;
    for (int i = 0; i < 32; ++i)
        if (k1252High[i] == c) return 0x80 + i;
    return -1;
}

void ByteDecoder::setCodepage(int codepage, std::u16string *out) {
    if (codepage <= 0 || codepage == 1252 || codepage == 20127) codepage = 1252;
    if (codepage == cp_) return;
    flush(out);
    cp_ = codepage;
    table_ = Table1252().data();
    // The converter of a multi-byte page is kept for when the page comes
    // back: a font table that alternates pages would otherwise open a
    // converter for every entry.
    if (multiCp_ != 0) {
        parked_.emplace_back(multiCp_, std::move(multi_));
        multiCp_ = 0;
    }
    multi_ = QStringDecoder();
    if (codepage == 1252) return;
    const PageInfo &page = Page(codepage);
    if (!page.known) return; // unknown pages read as Windows-1252
    if (IsMultiByte(codepage)) {
        table_ = nullptr;
        multiCp_ = codepage;
        for (auto it = parked_.begin(); it != parked_.end(); ++it) {
            if (it->first != codepage) continue;
            multi_ = std::move(it->second);
            parked_.erase(it);
            return;
        }
        multi_ =
            QStringDecoder(ConverterName(codepage).constData(), QStringConverter::Flag::Stateless);
    } else {
        table_ = page.high.data();
    }
}

void ByteDecoder::push(unsigned char byte, std::u16string *out) {
    if (table_) {
        out->push_back(byte < 0x80 ? char16_t(byte) : table_[byte - 0x80]);
        return;
    }
    pending_.append(char(byte));
}

void ByteDecoder::flushSlow(std::u16string *out) {
    // Stateless: an incomplete character at the end of one burst becomes a
    // replacement character instead of swallowing bytes of the next burst.
    const QString s = multi_(pending_);
    out->append(reinterpret_cast<const char16_t *>(s.utf16()), size_t(s.size()));
    if (s.isEmpty()) out->push_back(0xFFFD); // a lone lead byte is not dropped silently
    pending_.clear();
}

} // namespace corvel::rtf::detail
