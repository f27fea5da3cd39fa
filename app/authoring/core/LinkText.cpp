#include "LinkText.h"

#include <QDir>
#include <QFileInfo>

namespace corvel {

QString EncodeSpaces(const QString &text) {
    QString t = text;
    return t.replace(QLatin1Char(' '), QLatin1String("%20"));
}

QString LinkPathText(const QString &fullPath, const QString &base, const QString &mode,
                     bool leadingSlash, bool lowerCase) {
    const QString path = QDir::fromNativeSeparators(fullPath);
    const QString fileName = QFileInfo(path).fileName();
    QString text = fileName;
    if (mode == QLatin1String("1") || mode == QLatin1String("2")) {
        QString b = QDir::fromNativeSeparators(base);
        while (b.size() > 1 && b.endsWith(QLatin1Char('/')))
            b.chop(1);
        // Only a path that lies below the base folder is written relative to
        // it; the folder must match at its start, not anywhere inside.
        if (!b.isEmpty()) {
            const QString prefix = b.endsWith(QLatin1Char('/')) ? b : b + QLatin1Char('/');
            if (path.startsWith(prefix)) text = path.mid(prefix.size());
        }
    }
    if (leadingSlash && text != fileName) text.prepend(QLatin1Char('/'));
    if (lowerCase) text = text.toLower();
    return text;
}

QString BuildUrl(const QString &protocol, const QString &url, const QString &port,
                 const QString &user, const QString &password) {
    if (url.trimmed().isEmpty()) return QString();
    QString u = EncodeSpaces(url.trimmed());
    if (!port.trimmed().isEmpty()) {
        const int slash = u.indexOf(QLatin1Char('/'));
        const QString p = QLatin1Char(':') + port.trimmed();
        if (slash < 0)
            u += p;
        else
            u.insert(slash, p);
    }
    if (!user.trimmed().isEmpty()) {
        QString who = user.trimmed();
        if (!password.trimmed().isEmpty()) who += QLatin1Char(':') + password.trimmed();
        u.prepend(who + QLatin1Char('@'));
    }
    return protocol + u;
}

QString BuildMailto(const QString &address, const QString &subject, const QString &body) {
    QString e = address.toLower();
    e.remove(QLatin1Char(' '));
    if (e.trimmed().isEmpty()) return QString();
    e = e.trimmed();
    const bool hasSubject = !subject.trimmed().isEmpty();
    if (hasSubject) e += QLatin1String("?Subject=") + EncodeSpaces(subject);
    if (!body.trimmed().isEmpty())
        e += (hasSubject ? QLatin1String("&") : QLatin1String("?")) + QLatin1String("Body=") +
             EncodeSpaces(body);
    return QLatin1String("mailto:") + e;
}

} // namespace corvel
