// Sizes of images as real encoders write them.
#include "ImageSize.h"

#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

class tst_imagesize_written : public QObject {
    Q_OBJECT
private slots:
    void encodedImages_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("format");
        QTest::newRow("jpeg") << "foto.jpg" << QByteArray("JPEG");
        QTest::newRow("jpeg, other extension") << "foto.JPEG" << QByteArray("JPEG");
        QTest::newRow("gif") << "anim.gif" << QByteArray("GIF");
    }
    void encodedImages() {
        QFETCH(QString, name);
        QFETCH(QByteArray, format);
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        QImage img(333, 71, QImage::Format_RGB32);
        img.fill(Qt::darkCyan);
        if (!img.save(path, format.constData())) QSKIP("this Qt build cannot write the format");
        QCOMPARE(ImageSize(path), QString("333,71"));
    }
};

QTEST_MAIN(tst_imagesize_written)
#include "tst_imagesize_written.moc"
