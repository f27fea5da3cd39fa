// The update server's reply, read as it arrives: any bytes, split anywhere,
// give the same reading once the payload is whole; kind and message stay
// within their lengths. Also the server override "host:port".
#include "FuzzSupport.h"
#include "UpdateReply.h"

using namespace corvel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const UpdateReply whole = ParseUpdateReply(bytes.left(kUpdateReplyLimit));
    FUZZ_CHECK(whole.kind.size() <= 6 && whole.message.size() <= 255);
    FUZZ_CHECK(whole.kind == whole.kind.trimmed() && whole.message == whole.message.trimmed());
    if (!whole.complete) FUZZ_CHECK(whole.kind.isEmpty() && whole.message.isEmpty());

    // Arrivals of growing prefixes: once complete, the reading never changes.
    const qsizetype step = 1 + qsizetype(size % 7);
    bool seenComplete = false;
    for (qsizetype n = 0; n <= bytes.size(); n += step) {
        const UpdateReply part = ParseUpdateReply(bytes.left(n));
        if (part.complete) {
            FUZZ_CHECK(part.kind == whole.kind && part.message == whole.message);
            seenComplete = true;
        } else {
            FUZZ_CHECK(!seenComplete);
        }
    }

    (void)RunCountShowsBox(QString::fromUtf8(bytes));
    (void)UpdateStatusText(whole.message);
    const UpdateServer server =
        ChooseUpdateServer(QString::fromUtf8(bytes), QStringLiteral("https://www.corvel.example"));
    FUZZ_CHECK(!server.host.isEmpty());
    const QByteArray request =
        UpdateRequest(QString::fromUtf8(bytes), QStringLiteral("5.1.0"), server.host);
    // One request: its only empty line is the one that ends it.
    FUZZ_CHECK(request.endsWith("\r\n\r\n") && request.indexOf("\r\n\r\n") == request.size() - 4);
    FUZZ_CHECK(request.count('\n') == 4 && !request.contains('\0'));
    return 0;
}
