#include "ImageSize.h"

#include <QFile>
#include <QFileInfo>

namespace {

// Images larger than this are not read whole just to measure them.
constexpr qint64 kMaxImageBytes = 256LL * 1024 * 1024;

int Byte(const QByteArray &d, qsizetype i) {
    return uchar(d[i]);
}

// A 16-bit value whose high byte is 128 or more counts as 0, as the sizes
// have always been read.
int Value16(int high, int low) {
    return high >= 128 ? 0 : high * 256 + low;
}

QString Pair(int w, int h) {
    return QString::number(w) + QLatin1Char(',') + QString::number(h);
}

QString GifSize(const QByteArray &d) {
    if (d.size() < 10) return QString();
    return Pair(Value16(Byte(d, 7), Byte(d, 6)), Value16(Byte(d, 9), Byte(d, 8)));
}

QString JpegSize(const QByteArray &d) {
    const qsizetype n = d.size();
    qsizetype start = -1;
    for (qsizetype i = 0; i + 2 < n; ++i) {
        if (Byte(d, i) == 0xFF && Byte(d, i + 1) == 0xD8 && Byte(d, i + 2) == 0xFF) {
            start = i;
            break;
        }
    }
    if (start < 0) return QString();
    qsizetype p = start + 2;
    while (p < n) {
        const int b = Byte(d, p);
        if (b == 0xFF) {
            ++p;
            continue;
        }
        if (b >= 0xC0 && b <= 0xC3) {
            if (p + 7 >= n) return QString();
            const int h = Value16(Byte(d, p + 4), Byte(d, p + 5));
            const int w = Value16(Byte(d, p + 6), Byte(d, p + 7));
            return Pair(w, h);
        }
        if (p + 2 >= n) return QString();
        const int length = Value16(Byte(d, p + 1), Byte(d, p + 2));
        // Each step moves forward by at least one byte, so the walk ends.
        p += qsizetype(length) + 1;
    }
    return QString();
}

} // namespace

QString ImageSizeOfData(const QByteArray &data) {
    if (data.startsWith("GIF")) return GifSize(data);
    return JpegSize(data);
}

QString ImageSize(const QString &path) {
    const QString ext = QFileInfo(path).suffix().toLower();
    if (ext != QLatin1String("gif") && ext != QLatin1String("jpg") &&
        ext != QLatin1String("jpeg") && ext != QLatin1String("jpe"))
        return QString();
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return QString();
    if (f.size() > kMaxImageBytes) return QString();
    return ImageSizeOfData(f.read(kMaxImageBytes));
}
