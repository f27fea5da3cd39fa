// Fuzz target for the RTF reader: any input must read without crashing or
// hanging, and what was read must survive a write and a second read with the
// same text and the same format on every character.
#include "RtfDocument.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <cstdlib>
#include <vector>

using namespace corvel::rtf;

namespace {

// The format of every character, checking that the ranges are well formed.
std::vector<CharFormat> FormatsOf(const Document &doc) {
    std::vector<CharFormat> map(size_t(doc.text.size()));
    int end = 0;
    for (const FormatRange &r : doc.ranges) {
        if (r.start < end || r.length <= 0 || r.start + r.length > doc.text.size() ||
            r.format < 0 || r.format >= doc.formats.size())
            std::abort();
        for (int i = r.start; i < r.start + r.length; ++i)
            map[size_t(i)] = doc.formats[r.format];
        end = r.start + r.length;
    }
    return map;
}

void CheckRoundTrip(const Document &doc) {
    const std::vector<CharFormat> before = FormatsOf(doc);
    Document again;
    if (!Read(Write(doc), &again)) std::abort();
    if (again.text != doc.text) std::abort();
    if (FormatsOf(again) != before) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    Document doc;
    Read(bytes, &doc);
    CheckRoundTrip(doc);
    // The same input as RTF held in a string (raw characters are text).
    Document fromText;
    ReadText(QString::fromLatin1(bytes), &fromText);
    CheckRoundTrip(fromText);
    return 0;
}
