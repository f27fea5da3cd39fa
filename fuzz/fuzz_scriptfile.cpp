// The script list files: any file lists its scripts without a crash; a
// script written into it reads back as written and every other script stays
// as it was; removing one leaves the others whole.
#include "FuzzSupport.h"
#include "ScriptFile.h"

#include "TextCodec.h"
#include <QHash>

using namespace corvel;

namespace {

bool Same(const ScriptEntry &a, const ScriptEntry &b) {
    return a.description == b.description && a.parameters == b.parameters && a.output == b.output;
}

// The first scripts of the file (each read parses the whole file again, so
// all of a long file would slow the search down for nothing).
QHash<QString, ScriptEntry> AllScripts(const QString &path) {
    QHash<QString, ScriptEntry> out;
    const QVector<ScriptListRow> rows = ReadScriptList(path);
    for (qsizetype i = 0; i < rows.size() && i < 12; ++i)
        out.insert(rows[i].shortcut.toUpper(), ReadScript(path, rows[i].shortcut));
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString path = fuzz::ScratchPath("scripts") + QStringLiteral(".dat");
    if (!fuzz::WriteBytes(path, bytes)) return 0;
    ScriptFileStatus status = ScriptFileStatus::Ok;
    const QVector<ScriptListRow> rows = ReadScriptList(path, &status);
    if (status != ScriptFileStatus::Ok) {
        FUZZ_CHECK(status == ScriptFileStatus::Corrupt && bytes.contains('\0'));
        QFile::remove(path);
        return 0;
    }
    const QHash<QString, ScriptEntry> before = AllScripts(path);
    for (const ScriptListRow &row : rows.mid(0, 12)) {
        bool found = false;
        const ScriptEntry e = ReadScript(path, row.shortcut, &found);
        FUZZ_CHECK(found);
        FUZZ_CHECK(StoredToTemplate(TemplateToStored(StoredToTemplate(e.output))) ==
                   StoredToTemplate(e.output));
    }

    // A script as the dialog would write it, from the input's last bytes:
    // over an existing shortcut or as a new one.
    const QString tail = QString::fromLatin1(bytes.right(20));
    ScriptEntry e;
    const qsizetype pick = qsizetype(size % size_t(rows.size() + 1));
    e.shortcut = pick < rows.size() ? rows[pick].shortcut : QStringLiteral("novo");
    e.description = tail.trimmed();
    for (const QString &name : QString(tail).remove(QLatin1Char(',')).split(QLatin1Char(' ')))
        e.parameters << name.trimmed();
    e.output = TemplateToStored(tail).trimmed();
    FUZZ_CHECK(WriteScript(path, e));
    // A Windows-1252 file that a rewrite left valid UTF-8 reads back as
    // UTF-8 (see fuzz_textcodec): its texts are then others.
    const auto flipped = [&] { return !IsValidUtf8(bytes) && IsValidUtf8(fuzz::ReadBytes(path)); };
    if (flipped()) return QFile::remove(path), 0;
    bool found = false;
    const ScriptEntry back = ReadScript(path, e.shortcut, &found);
    FUZZ_CHECK(found);
    ScriptEntry expected = e;
    expected.description =
        QString(e.description).remove(QLatin1Char('\r')).remove(QLatin1Char('\n')).trimmed();
    QStringList names;
    for (const QString &name : e.parameters)
        names << QString(name).remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
    expected.parameters = SplitScriptParameters(JoinScriptParameters(names));
    FUZZ_CHECK(Same(back, expected));
    QHash<QString, ScriptEntry> after = AllScripts(path);
    for (auto it = before.begin(); it != before.end(); ++it) {
        if (it.key() == e.shortcut.toUpper()) continue;
        FUZZ_CHECK(after.contains(it.key()) && Same(after.value(it.key()), it.value()));
    }

    // Removing the script written keeps all the others.
    const RemoveOutcome r = RemoveScript(path, e.shortcut);
    FUZZ_CHECK(r == RemoveOutcome::Removed || r == RemoveOutcome::FileRemoved);
    if (flipped()) return QFile::remove(path), 0;
    after = AllScripts(path);
    FUZZ_CHECK(!after.contains(e.shortcut.toUpper()));
    for (auto it = before.begin(); it != before.end(); ++it) {
        if (it.key() == e.shortcut.toUpper()) continue;
        FUZZ_CHECK(after.contains(it.key()) && Same(after.value(it.key()), it.value()));
    }
    QFile::remove(path);
    return 0;
}
