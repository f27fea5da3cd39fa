// The message a later start hands to the running instance: any bytes, split
// into arrivals anywhere, give one text that does not depend on the split,
// holds no NUL and stays within the limit; any text sent arrives whole or
// as a prefix when too long; the text then names a file the same way.
#include "CommandLine.h"
#include "FuzzSupport.h"
#include "HandOverText.h"

using namespace corvel;

namespace {

// Feeds bytes in arrivals of the given size; the texts taken, in order.
QStringList Receive(const QByteArray &bytes, qsizetype chunk) {
    QStringList texts;
    QByteArray buffer;
    QString text;
    for (qsizetype i = 0; i < bytes.size(); i += chunk) {
        if (TakeHandOverText(&buffer, bytes.mid(i, chunk), &text)) {
            texts << text;
            return texts; // the connection ends with the first text
        }
    }
    return texts;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QStringList whole = Receive(bytes, qMax<qsizetype>(1, bytes.size()));
    const QStringList split = Receive(bytes, 1 + qsizetype(size % 13));
    FUZZ_CHECK(whole == split);
    if (!whole.isEmpty()) {
        FUZZ_CHECK(!whole.first().contains(QChar(0)));
        FUZZ_CHECK(whole.first().toUtf8().size() <= 3 * kHandOverLimit);
    }

    // What a start sends arrives as sent (cut before a NUL or at the limit).
    const QString sent = QString::fromUtf8(bytes);
    const QStringList got = Receive(HandOverMessage(sent), 1 + qsizetype(size % 4096));
    FUZZ_CHECK(got.size() == 1);
    FUZZ_CHECK(sent.startsWith(got.first()));
    if (!sent.contains(QChar(0)) && sent.toUtf8().size() <= kHandOverLimit)
        FUZZ_CHECK(got.first() == sent);

    // The sender's side: the file named, made absolute.
    (void)ClassifyCommandLine(sent);
    const QString file = CommandLineFile(sent);
    const QString absolute = AbsoluteFilePath(file, QStringLiteral("/nada/pasta"));
    FUZZ_CHECK(absolute.isEmpty() == file.isEmpty());
    if (!absolute.isEmpty()) FUZZ_CHECK(absolute.startsWith(QLatin1Char('/')));
    return 0;
}
