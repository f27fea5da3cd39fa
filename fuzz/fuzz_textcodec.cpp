// Reading document bytes (the editor's and the notepad's): the bytes read
// come back unchanged, and an edited text written in the encoding read
// reads back as that text in the encoding the writer reported.
#include "DocumentFile.h"
#include "FuzzSupport.h"
#include "TextCodec.h"

using namespace corvel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const DecodedText d = DecodeText(bytes);
    FUZZ_CHECK(d.encoding != TextEncoding::Windows1252 || !IsValidUtf8(bytes));
    TextEncoding used = d.encoding;
    FUZZ_CHECK(EncodeText(d.text, d.encoding, &used) == bytes);

    // An edit: a stretch of the text taken out, chosen by the input's size.
    QString edited = d.text;
    // (Whole characters only: an editor never splits a surrogate pair.)
    if (!edited.isEmpty()) {
        qsizetype at = qsizetype(size * 7 % size_t(edited.size()));
        qsizetype end = qMin<qsizetype>(at + 1 + qsizetype(size % 5), edited.size());
        if (edited[at].isLowSurrogate()) --at;
        if (end < edited.size() && edited[end].isLowSurrogate()) ++end;
        edited.remove(at, end - at);
    }
    // Windows-1252 bytes that happen to be valid UTF-8 read back as UTF-8:
    // the file's bytes are still what a Windows-1252 reader expects (they
    // are kept, not re-encoded, so a file of mixed encodings stays as it is).
    const QByteArray written = EncodeText(edited, d.encoding, &used);
    if (used == TextEncoding::Windows1252) {
        FUZZ_CHECK(DecodeWindows1252(written) == edited);
    } else {
        const DecodedText back = DecodeText(written);
        FUZZ_CHECK(back.text == edited);
        FUZZ_CHECK(back.encoding == used);
    }

    // The notepad's document: the same bytes for an unchanged text, and
    // line breaks kept.
    tessim::DocumentFormat format;
    const QString text = tessim::DecodeDocument(bytes, &format);
    FUZZ_CHECK(tessim::EncodeDocument(text, &format) == bytes);
    tessim::DocumentFormat edit = format;
    const QString typed = text + QStringLiteral("\r\nx");
    const QByteArray saved = tessim::EncodeDocument(typed, &edit);
    tessim::DocumentFormat reread;
    FUZZ_CHECK(tessim::DecodeDocument(saved, &reread) == typed);
    return 0;
}
