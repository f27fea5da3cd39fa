#pragma once
// An INI file held as its lines, so that a change touches one line and the
// rest of the file (comments, blank lines, order, encoding, line ends) stays
// byte for byte. Section and key names match without regard to case.
#include "TextCodec.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

namespace corvel {

class IniDocument {
public:
    // Reads the file; a missing or unreadable file gives an empty document.
    static IniDocument load(const QString &path);
    static IniDocument fromBytes(const QByteArray &bytes);

    // The raw text after "key=", untrimmed; found says whether the key exists.
    QString value(const QString &section, const QString &key, bool *found = nullptr) const;
    void setValue(const QString &section, const QString &key, const QString &value);
    // Removes every line of the key in the section; false when there was none.
    bool removeKey(const QString &section, const QString &key);
    QStringList sections() const;
    QStringList keys(const QString &section) const;

    // Every value of the document by section and key, for a reader that looks
    // up many of them: the same answers as value(), each in constant time.
    class Lookup {
    public:
        QString value(const QString &section, const QString &key, bool *found = nullptr) const;
        QStringList sections() const { return m_sections; }

    private:
        friend class IniDocument;
        // Folded section name -> folded key -> raw value (the first section
        // of a name, and its first key of a name, as value() finds them).
        QHash<QString, QHash<QString, QString>> m_values;
        QStringList m_sections;
    };
    Lookup lookup() const;

    QByteArray toBytes() const;
    // Who may read the saved file: KeepAccess leaves an existing file's
    // permissions (a new file gets the usual ones); OwnerOnly makes it 0600
    // before any byte is written, for files that hold private data.
    enum Access { KeepAccess, OwnerOnly };
    // Replaces the file atomically; false (and the old file intact) on failure.
    bool save(const QString &path, QString *error = nullptr, Access access = KeepAccess) const;

private:
    struct Line {
        QString text; // without its line end
        QString end;  // "\r\n", "\n", "\r" or "" for the last line
    };
    int findSection(const QString &section) const;
    int findKey(int sectionLine, const QString &key) const;
    QString newLineEnd() const;

    QVector<Line> m_lines;
    TextEncoding m_encoding = TextEncoding::Utf8;
};

} // namespace corvel
