#pragma once
// Width and height of GIF and JPEG images, read from the file's bytes. Every
// read is bounds-checked: a truncated or hostile file gives "", never a crash
// or an endless walk.
#include <QByteArray>
#include <QString>

// "width,height" of a file whose extension is gif or jpg (also jpeg and
// jpe, any case); "" otherwise or when it cannot be measured.
QString ImageSize(const QString &path);
// The same for bytes already read: a GIF header first, else a JPEG frame.
QString ImageSizeOfData(const QByteArray &data);
