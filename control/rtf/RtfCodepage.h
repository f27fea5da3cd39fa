#pragma once
// Windows code pages for the bytes of RTF text (\'hh escapes and raw 8-bit
// characters): Windows-1252 built in, any other page through the converters
// Qt offers, falling back to Windows-1252 when a page is unknown.
#include <QByteArray>
#include <QString>
#include <QStringDecoder>
#include <string>
#include <utility>
#include <vector>

namespace corvel::rtf::detail {

// The Windows code page a font's \fcharset stands for; 0 when the charset
// says nothing about bytes (ANSI, default, symbol): the document's page then.
int CodepageOfCharset(int charset);

// The Windows-1252 byte of a character, or -1 when the page has none.
int Windows1252Byte(char16_t c);

// Decodes the bytes of one code page. Bytes of a single-byte page decode at
// once; those of a multi-byte page (Asian pages, UTF-8) wait in a buffer
// until flush(), so a character split over two \'hh escapes comes out whole.
class ByteDecoder {
public:
    ByteDecoder();
    ByteDecoder(const ByteDecoder &) = delete;
    ByteDecoder &operator=(const ByteDecoder &) = delete;

    // 0 or an unknown page means Windows-1252. Pending bytes are flushed to
    // *out first.
    void setCodepage(int codepage, std::u16string *out);
    int codepage() const { return cp_; }
    void push(unsigned char byte, std::u16string *out);
    void flush(std::u16string *out) {
        if (!pending_.isEmpty()) flushSlow(out);
    }

private:
    void flushSlow(std::u16string *out);
    int cp_ = 1252;
    const char16_t *table_; // high half of a single-byte page; null: multi-byte
    QStringDecoder multi_;  // the converter of a multi-byte page
    int multiCp_ = 0;       // its page; 0: none
    std::vector<std::pair<int, QStringDecoder>> parked_; // converters of earlier pages
    QByteArray pending_;
};

} // namespace corvel::rtf::detail
