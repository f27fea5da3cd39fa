// Fuzz target for the RTF reader: any input must read without crashing or
// hanging, and what was read must survive a write and a second read.
#include "RtfDocument.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <cstdlib>

using namespace corvel::rtf;

namespace {

void CheckRoundTrip(const Document &doc) {
    Document again;
    if (!Read(Write(doc), &again)) std::abort();
    if (again.text != doc.text) std::abort();
    for (const FormatRange &r : again.ranges)
        if (r.start < 0 || r.length <= 0 || r.start + r.length > again.text.size() ||
            r.format < 0 || r.format >= again.formats.size())
            std::abort();
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
