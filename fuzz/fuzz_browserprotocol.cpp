// The lines between Corvel and its internal browser program: any byte
// stream, split anywhere, gives the same messages; every message read is
// written back as a line that reads as itself; a line over the limit is
// skipped whole.
#include "BrowserProtocol.h"
#include "FuzzSupport.h"

using namespace corvel::browser;

namespace {

QList<Message> ReadAll(const QByteArray &bytes, qsizetype piece, int limit, int *skipped) {
    MessageReader reader(limit);
    QList<Message> out;
    for (qsizetype i = 0; i < bytes.size(); i += piece)
        out += reader.feed(bytes.mid(i, piece));
    *skipped = reader.skipped();
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const int limit = 16 + int(size % 64);
    int skippedWhole = 0, skippedSplit = 0;
    const QList<Message> whole =
        ReadAll(bytes, qMax<qsizetype>(1, bytes.size()), limit, &skippedWhole);
    const QList<Message> split = ReadAll(bytes, 1 + qsizetype(size % 11), limit, &skippedSplit);
    FUZZ_CHECK(whole == split);
    FUZZ_CHECK(skippedWhole == skippedSplit);
    for (const Message &m : whole) {
        const QByteArray line = Encode(m);
        FUZZ_CHECK(line.endsWith('\n') && line.count('\n') == 1);
        MessageReader again(1 << 20);
        const QList<Message> back = again.feed(line);
        FUZZ_CHECK(back.size() == 1 && back.first() == m);
    }
    // Any name and arguments, written and read: the name keeps its letters.
    const QStringList parts = QString::fromUtf8(bytes).split(QLatin1Char('\n'));
    MessageReader reader(1 << 20);
    const QList<Message> read = reader.feed(Encode(parts.value(0), parts.mid(1)));
    if (!read.isEmpty()) FUZZ_CHECK(read.first().args == parts.mid(1));
    return 0;
}
