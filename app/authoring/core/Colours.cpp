#include "Colours.h"

QString ColourToHtml(qint64 colour) {
    // The number in hex is BBGGRR; written the other way round pair by pair
    // it reads RRGGBB.
    const QString hex =
        QStringLiteral("%1").arg(colour & 0xFFFFFF, 6, 16, QLatin1Char('0')).toUpper();
    return hex.mid(4, 2) + hex.mid(2, 2) + hex.mid(0, 2);
}
