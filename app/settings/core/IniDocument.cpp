#include "IniDocument.h"

#include <QFile>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace corvel {

namespace {

bool IsSectionHeader(const QString &line, QString *name) {
    const QString t = line.trimmed();
    if (!t.startsWith(QLatin1Char('['))) return false;
    const qsizetype close = t.indexOf(QLatin1Char(']'));
    if (close < 0) return false;
    if (name) *name = t.mid(1, close - 1).trimmed();
    return true;
}

bool IsComment(const QString &line) {
    const QString t = line.trimmed();
    return t.startsWith(QLatin1Char(';'));
}

// Key of a "key=value" line, or a null string.
QString KeyOf(const QString &line) {
    if (IsComment(line)) return QString();
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq < 0) return QString();
    return line.left(eq).trimmed();
}

} // namespace

IniDocument IniDocument::load(const QString &path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return IniDocument();
    return fromBytes(f.readAll());
}

IniDocument IniDocument::fromBytes(const QByteArray &bytes) {
    IniDocument doc;
    const DecodedText d = DecodeText(bytes);
    doc.m_encoding = d.encoding;
    const QString &s = d.text;
    qsizetype start = 0;
    const qsizetype n = s.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = s[i];
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n')) continue;
        Line l;
        l.text = s.mid(start, i - start);
        if (c == QLatin1Char('\r') && i + 1 < n && s[i + 1] == QLatin1Char('\n')) {
            l.end = QStringLiteral("\r\n");
            ++i;
        } else {
            l.end = QString(c);
        }
        doc.m_lines.append(l);
        start = i + 1;
    }
    if (start < n) doc.m_lines.append(Line{s.mid(start), QString()});
    return doc;
}

int IniDocument::findSection(const QString &section) const {
    QString name;
    for (int i = 0; i < m_lines.size(); ++i) {
        if (IsSectionHeader(m_lines[i].text, &name) &&
            name.compare(section.trimmed(), Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

int IniDocument::findKey(int sectionLine, const QString &key) const {
    const QString k = key.trimmed();
    for (int i = sectionLine + 1; i < m_lines.size(); ++i) {
        if (IsSectionHeader(m_lines[i].text, nullptr)) break;
        const QString lk = KeyOf(m_lines[i].text);
        if (!lk.isNull() && lk.compare(k, Qt::CaseInsensitive) == 0) return i;
    }
    return -1;
}

QString IniDocument::value(const QString &section, const QString &key, bool *found) const {
    if (found) *found = false;
    const int s = findSection(section);
    if (s < 0) return QString();
    const int k = findKey(s, key);
    if (k < 0) return QString();
    if (found) *found = true;
    const QString &t = m_lines[k].text;
    return t.mid(t.indexOf(QLatin1Char('=')) + 1);
}

IniDocument::Lookup IniDocument::lookup() const {
    Lookup out;
    QString name;
    // The keys of a section whose name was seen before are not reachable.
    QHash<QString, QString> *current = nullptr;
    for (const Line &l : m_lines) {
        if (IsSectionHeader(l.text, &name)) {
            out.m_sections << name;
            const QString folded = name.toCaseFolded();
            current = out.m_values.contains(folded) ? nullptr : &out.m_values[folded];
            continue;
        }
        if (!current) continue;
        const QString k = KeyOf(l.text);
        if (k.isNull()) continue;
        const QString folded = k.toCaseFolded();
        if (!current->contains(folded))
            current->insert(folded, l.text.mid(l.text.indexOf(QLatin1Char('=')) + 1));
    }
    return out;
}

QString IniDocument::Lookup::value(const QString &section, const QString &key, bool *found) const {
    if (found) *found = false;
    const auto s = m_values.constFind(section.trimmed().toCaseFolded());
    if (s == m_values.constEnd()) return QString();
    const auto k = s->constFind(key.trimmed().toCaseFolded());
    if (k == s->constEnd()) return QString();
    if (found) *found = true;
    return *k;
}

QString IniDocument::newLineEnd() const {
    int crlf = 0, lf = 0;
    for (const Line &l : m_lines) {
        if (l.end == QLatin1String("\r\n"))
            ++crlf;
        else if (l.end == QLatin1String("\n"))
            ++lf;
    }
    return crlf > lf ? QStringLiteral("\r\n") : QStringLiteral("\n");
}

void IniDocument::setValue(const QString &section, const QString &key, const QString &value) {
    const QString line = key.trimmed() + QLatin1Char('=') + value;
    const QString end = newLineEnd();
    int s = findSection(section);
    if (s < 0) {
        if (!m_lines.isEmpty() && m_lines.last().end.isEmpty()) m_lines.last().end = end;
        m_lines.append(Line{QLatin1Char('[') + section.trimmed() + QLatin1Char(']'), end});
        m_lines.append(Line{line, end});
        return;
    }
    const int k = findKey(s, key);
    if (k >= 0) {
        // Keep the name as written in the file and only swap the value.
        const QString &old = m_lines[k].text;
        m_lines[k].text = old.left(old.indexOf(QLatin1Char('=')) + 1) + value;
        return;
    }
    // After the last non-blank line of the section.
    int last = s;
    for (int i = s + 1; i < m_lines.size(); ++i) {
        if (IsSectionHeader(m_lines[i].text, nullptr)) break;
        if (!m_lines[i].text.trimmed().isEmpty()) last = i;
    }
    if (m_lines[last].end.isEmpty()) m_lines[last].end = end;
    m_lines.insert(last + 1, Line{line, end});
}

bool IniDocument::removeKey(const QString &section, const QString &key) {
    const int s = findSection(section);
    if (s < 0) return false;
    // Every line of the key goes: a second one left behind would become
    // the key's value, bringing back what was removed.
    bool removed = false;
    for (int k = findKey(s, key); k >= 0; k = findKey(s, key)) {
        m_lines.remove(k);
        removed = true;
    }
    return removed;
}

QStringList IniDocument::sections() const {
    QStringList out;
    QString name;
    for (const Line &l : m_lines)
        if (IsSectionHeader(l.text, &name)) out << name;
    return out;
}

QStringList IniDocument::keys(const QString &section) const {
    QStringList out;
    const int s = findSection(section);
    if (s < 0) return out;
    for (int i = s + 1; i < m_lines.size(); ++i) {
        if (IsSectionHeader(m_lines[i].text, nullptr)) break;
        const QString k = KeyOf(m_lines[i].text);
        if (!k.isEmpty()) out << k;
    }
    return out;
}

QByteArray IniDocument::toBytes() const {
    QString s;
    for (const Line &l : m_lines) {
        s += l.text;
        s += l.end;
    }
    return EncodeText(s, m_encoding);
}

bool IniDocument::save(const QString &path, QString *error, Access access) const {
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) {
        if (error) *error = f.errorString();
        return false;
    }
    if (access == OwnerOnly && ::fchmod(f.handle(), S_IRUSR | S_IWUSR) != 0) {
        if (error) *error = QString::fromLocal8Bit(std::strerror(errno));
        f.cancelWriting();
        return false;
    }
    const QByteArray bytes = toBytes();
    // A short write (full disk) can go unreported until the flush: check the
    // size that reached the file before it replaces the old one.
    if (f.write(bytes) != bytes.size() || !f.flush() || f.size() != bytes.size()) {
        if (error) *error = f.errorString();
        f.cancelWriting();
        return false;
    }
    if (!f.commit()) {
        if (error) *error = f.errorString();
        return false;
    }
    return true;
}

} // namespace corvel
