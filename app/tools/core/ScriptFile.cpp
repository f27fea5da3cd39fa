#include "ScriptFile.h"

#include "IniDocument.h"
#include "TextCodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <cstdio>
#include <unistd.h>

namespace corvel {

namespace {

const QString kDescricao = QStringLiteral("Descricao");
const QString kParametros = QStringLiteral("Parametros");
const QString kSaida = QStringLiteral("Saida");
const QString kBreak = QStringLiteral("<##>");

// The bytes of an existing file; false when it exists and cannot be read.
bool ReadBytes(const QString &path, QByteArray *bytes, bool *exists) {
    const QFileInfo fi(path);
    *exists = fi.exists();
    bytes->clear();
    if (!*exists) return true;
    if (fi.isDir()) return false;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return false;
    *bytes = f.readAll();
    return f.error() == QFileDevice::NoError;
}

// Section names in order, without empty names and later repeats.
QStringList DistinctSections(const IniDocument &doc) {
    QStringList out;
    QSet<QString> seen;
    for (const QString &name : doc.sections()) {
        const QString key = name.toUpper();
        if (name.isEmpty() || seen.contains(key)) continue;
        seen.insert(key);
        out << name;
    }
    return out;
}

QString OneLine(const QString &value) {
    return QString(value).remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
}

// Writes bytes into path and makes them reach the disk.
bool WriteWhole(const QString &path, const QByteArray &bytes, QString *error) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        if (error) *error = f.errorString();
        return false;
    }
    const bool ok = f.write(bytes) == bytes.size() && f.flush() && ::fsync(f.handle()) == 0 &&
                    f.size() == bytes.size();
    if (!ok && error) *error = f.errorString();
    f.close();
    return ok;
}

} // namespace

QString ScriptFilePath(const QString &programFolder, const QString &languageCode) {
    return programFolder + QStringLiteral("/Scripts/") + languageCode.toLower() +
           QStringLiteral(".dat");
}

QVector<ScriptListRow> ReadScriptList(const QString &path, ScriptFileStatus *status) {
    QVector<ScriptListRow> rows;
    QByteArray bytes;
    bool exists = false;
    if (!ReadBytes(path, &bytes, &exists)) {
        if (status) *status = ScriptFileStatus::Unreadable;
        return rows;
    }
    if (bytes.contains('\0')) {
        if (status) *status = ScriptFileStatus::Corrupt;
        return rows;
    }
    if (status) *status = ScriptFileStatus::Ok;
    const IniDocument doc = IniDocument::fromBytes(bytes);
    for (const QString &name : DistinctSections(doc))
        rows.append({name, doc.value(name, kDescricao).trimmed()});
    return rows;
}

ScriptEntry ReadScript(const QString &path, const QString &shortcut, bool *found) {
    const IniDocument doc = IniDocument::load(path);
    ScriptEntry e;
    e.shortcut = shortcut;
    bool has = false;
    for (const QString &name : doc.sections())
        if (name.compare(shortcut.trimmed(), Qt::CaseInsensitive) == 0) has = true;
    if (found) *found = has && !shortcut.trimmed().isEmpty();
    e.description = doc.value(shortcut, kDescricao).trimmed();
    e.parameters = SplitScriptParameters(doc.value(shortcut, kParametros).trimmed());
    e.output = doc.value(shortcut, kSaida).trimmed();
    return e;
}

bool WriteScript(const QString &path, const ScriptEntry &e, QString *error) {
    QByteArray bytes;
    bool exists = false;
    // A file that exists but cannot be read is never overwritten: the
    // scripts it holds would be lost.
    if (!ReadBytes(path, &bytes, &exists)) {
        if (error) *error = QStringLiteral("não foi possível ler o arquivo");
        return false;
    }
    if (!exists && !QDir().mkpath(QFileInfo(path).absolutePath())) {
        if (error) *error = QStringLiteral("não foi possível criar a pasta");
        return false;
    }
    IniDocument doc = IniDocument::fromBytes(bytes);
    // Every line break would end the value early (and what follows would
    // read as lines of its own): keep the one-line form.
    doc.setValue(e.shortcut, kDescricao, OneLine(e.description));
    QStringList names;
    for (const QString &name : e.parameters)
        names << OneLine(name);
    doc.setValue(e.shortcut, kParametros, JoinScriptParameters(names));
    doc.setValue(e.shortcut, kSaida, TemplateToStored(e.output));
    return doc.save(path, error);
}

RemoveOutcome RemoveScript(const QString &path, const QString &shortcut, QString *error) {
    QByteArray bytes;
    bool exists = false;
    if (!ReadBytes(path, &bytes, &exists)) {
        if (error) *error = QStringLiteral("não foi possível ler o arquivo");
        return RemoveOutcome::Failed;
    }
    if (!exists) return RemoveOutcome::NotFound;
    const DecodedText decoded = DecodeText(bytes);
    const IniDocument doc = IniDocument::fromBytes(bytes);

    QStringList remaining;
    bool found = false;
    for (const QString &name : DistinctSections(doc)) {
        if (name.compare(shortcut.trimmed(), Qt::CaseInsensitive) == 0)
            found = true;
        else
            remaining << name;
    }
    if (!found) return RemoveOutcome::NotFound;

    if (remaining.isEmpty()) {
        if (!QFile::remove(path)) {
            if (error) *error = QStringLiteral("não foi possível apagar o arquivo");
            return RemoveOutcome::Failed;
        }
        return RemoveOutcome::FileRemoved;
    }

    const QString end = decoded.text.contains(QLatin1String("\r\n")) ? QStringLiteral("\r\n")
                                                                     : QStringLiteral("\n");
    QString text;
    for (const QString &name : remaining) {
        text += QLatin1Char('[') + name + QLatin1Char(']') + end;
        for (const QString &key : {kDescricao, kParametros, kSaida})
            text += key + QLatin1Char('=') + doc.value(name, key) + end;
    }

    QString newPath = path;
    if (newPath.endsWith(QLatin1String(".dat"), Qt::CaseInsensitive)) newPath.chop(4);
    newPath += QStringLiteral(".new");
    if (!WriteWhole(newPath, EncodeText(text, decoded.encoding), error)) {
        QFile::remove(newPath);
        return RemoveOutcome::Failed;
    }
    QFile::setPermissions(newPath, QFile::permissions(path));
    // One rename replaces the old file: it is either wholly old or wholly new.
    if (std::rename(QFile::encodeName(newPath).constData(), QFile::encodeName(path).constData()) !=
        0) {
        if (error) *error = QStringLiteral("não foi possível substituir o arquivo");
        QFile::remove(newPath);
        return RemoveOutcome::Failed;
    }
    return RemoveOutcome::Removed;
}

QStringList SplitScriptParameters(const QString &stored) {
    if (stored.isEmpty()) return {};
    return stored.split(QLatin1Char(','));
}

QString JoinScriptParameters(const QStringList &names) {
    QStringList used;
    for (const QString &n : names)
        if (!n.isEmpty()) used << n;
    return used.join(QLatin1Char(','));
}

QString TemplateToStored(const QString &text) {
    QString s = text;
    s.replace(QLatin1String("\r\n"), kBreak);
    s.replace(QLatin1Char('\r'), kBreak);
    s.replace(QLatin1Char('\n'), kBreak);
    return s;
}

QString StoredToTemplate(const QString &stored) {
    return QString(stored).replace(kBreak, QLatin1String("\r\n"));
}

} // namespace corvel
