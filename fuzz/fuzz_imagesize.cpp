// Feeds arbitrary bytes to the image measuring: it must never read outside
// the data or walk forever, and a size it gives must be two numbers.
#include "ImageSize.h"

#include <QStringList>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString s = ImageSizeOfData(bytes);
    if (!s.isEmpty()) {
        const QStringList parts = s.split(QLatin1Char(','));
        bool okW = false, okH = false;
        if (parts.size() != 2) abort();
        const int w = parts[0].toInt(&okW);
        const int h = parts[1].toInt(&okH);
        if (!okW || !okH || w < 0 || h < 0 || w > 32767 || h > 32767) abort();
    }
    return 0;
}
