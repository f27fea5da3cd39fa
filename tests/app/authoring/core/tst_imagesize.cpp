#include "ImageSize.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray Bytes(std::initializer_list<int> list) {
    QByteArray b;
    for (int v : list)
        b.append(char(v));
    return b;
}

QByteArray Gif(int w, int h) {
    return QByteArray("GIF89a") + Bytes({w & 255, w >> 8, h & 255, h >> 8, 0, 0, 0});
}

// SOI, an APP0 segment of 16 bytes, then a frame of the given marker.
QByteArray Jpeg(int frameMarker, int w, int h) {
    QByteArray b = Bytes({0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10});
    b += QByteArray(14, 'J');
    b += Bytes({0xFF, frameMarker, 0x00, 0x11, 0x08, h >> 8, h & 255, w >> 8, w & 255, 3});
    b += QByteArray(20, 0);
    return b;
}

} // namespace

class tst_imagesize : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString file(const QString &name, const QByteArray &data) {
        const QString p = m_dir.filePath(name);
        QFile f(p);
        f.open(QIODevice::WriteOnly);
        f.write(data);
        return p;
    }
private slots:
    void gif() {
        QCOMPARE(ImageSizeOfData(Gif(320, 200)), QString("320,200"));
        QCOMPARE(ImageSizeOfData(Gif(1, 65535 & 0x7FFF)), QString("1,32767"));
        // A high byte of 128 or more counts as 0.
        QCOMPARE(ImageSizeOfData(Gif(0x8001, 5)), QString("0,5"));
        QCOMPARE(ImageSizeOfData(QByteArray("GIF89a\x10")), QString());
        QCOMPARE(ImageSizeOfData(QByteArray("GIF")), QString());
    }
    void jpegFrames() {
        QCOMPARE(ImageSizeOfData(Jpeg(0xC0, 640, 480)), QString("640,480"));
        QCOMPARE(ImageSizeOfData(Jpeg(0xC2, 1024, 768)), QString("1024,768")); // progressive
        QCOMPARE(ImageSizeOfData(Jpeg(0xC5, 640, 480)), QString());
        // Bytes before the start of image are skipped; fill bytes FF too.
        QByteArray pre = QByteArray("junk") + Jpeg(0xC1, 7, 9);
        QCOMPARE(ImageSizeOfData(pre), QString("7,9"));
        QByteArray fill = Bytes({0xFF, 0xD8, 0xFF, 0xFF, 0xFF, 0xC3, 0, 0, 0, 0, 2, 0, 3});
        QCOMPARE(ImageSizeOfData(fill), QString("3,2"));
    }
    void hostileJpegs() {
        QCOMPARE(ImageSizeOfData(QByteArray()), QString());
        QCOMPARE(ImageSizeOfData(Bytes({0xFF, 0xD8, 0xFF})), QString());
        // Frame marker cut short.
        QCOMPARE(ImageSizeOfData(Bytes({0xFF, 0xD8, 0xFF, 0xC0, 0, 0x11, 8, 1})), QString());
        // A segment length of zero still moves on, and the walk ends.
        QByteArray zeros = Bytes({0xFF, 0xD8, 0xFF, 0xE1, 0x00, 0x00}) + QByteArray(4096, 0);
        QCOMPARE(ImageSizeOfData(zeros), QString());
        // A length pointing far beyond the end.
        QCOMPARE(ImageSizeOfData(Bytes({0xFF, 0xD8, 0xFF, 0xE1, 0x7F, 0xFF, 1, 2})), QString());
        // Only a marker byte at the very end.
        QCOMPARE(ImageSizeOfData(Bytes({0xFF, 0xD8, 0xFF, 0xE1})), QString());
    }
    void byExtension() {
        QCOMPARE(ImageSize(file("a.GIF", Gif(3, 4))), QString("3,4"));
        QCOMPARE(ImageSize(file("b.jpg", Jpeg(0xC0, 5, 6))), QString("5,6"));
        QCOMPARE(ImageSize(file("b.jpeg", Jpeg(0xC0, 5, 6))), QString("5,6"));
        QCOMPARE(ImageSize(file("c.png", Gif(3, 4))), QString());
        QCOMPARE(ImageSize(file("d.gif", Jpeg(0xC0, 8, 9))), QString("8,9"));
        QCOMPARE(ImageSize(m_dir.filePath("missing.gif")), QString());
        QCOMPARE(ImageSize(file("e.gif", QByteArray())), QString());
    }
};

QTEST_APPLESS_MAIN(tst_imagesize)
#include "tst_imagesize.moc"
