// Project files: any file reads as a project; writing what was read back
// into it (as the edit window does) reads back the same project and keeps
// the rest of the file; a project written from any values reads back as
// those values on one line each.
#include "FuzzSupport.h"
#include "IniDocument.h"
#include "ProjectFile.h"
#include "TextCodec.h"

using namespace corvel;

namespace {

// A value as it reads back after a write: one line, trimmed, at most 2047
// characters (the reading's limit).
QString AsStored(QString v) {
    v = v.trimmed();
    v.replace(QLatin1String("\r\n"), QLatin1String(" "));
    v.replace(QLatin1Char('\r'), QLatin1Char(' '));
    v.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return v.trimmed().left(2047);
}

bool SameProject(const Project &a, const Project &b) {
    return a.name == b.name && a.mainFolder == b.mainFolder && a.imageFolder == b.imageFolder &&
           a.classes == b.classes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString path = fuzz::ScratchPath("project") + QStringLiteral(".prj");
    if (!fuzz::WriteBytes(path, bytes)) return 0;
    const Project read = ReadProject(path);
    for (const QString *v : {&read.name, &read.mainFolder, &read.imageFolder})
        FUZZ_CHECK(v->size() <= 2047 && *v == v->trimmed());

    // The edit window saves what it was given: the same project comes back
    // (class names trimmed) and every other section of the file stays.
    const IniDocument before = IniDocument::fromBytes(bytes);
    FUZZ_CHECK(WriteProject(path, read, ProjectWrite::Update));
    // A Windows-1252 file that the rewrite left valid UTF-8 (a trimmed value
    // held its only other byte) reads back as UTF-8: see fuzz_textcodec.
    if (!IsValidUtf8(bytes) && IsValidUtf8(fuzz::ReadBytes(path))) return QFile::remove(path), 0;
    Project expected = read;
    expected.classes = DecodeClasses(AsStored(EncodeClasses(read.classes)));
    FUZZ_CHECK(SameProject(ReadProject(path), expected));
    const IniDocument after = IniDocument::load(path);
    for (const QString &s : before.sections()) {
        if (s.compare(ProjectSection(), Qt::CaseInsensitive) == 0) continue;
        for (const QString &k : before.keys(s))
            FUZZ_CHECK(after.value(s, k) == before.value(s, k));
    }

    // A new project from any values, split out of the input at NUL bytes.
    const QList<QByteArray> parts = bytes.split('\0');
    Project p;
    p.name = QString::fromUtf8(parts.value(0));
    p.mainFolder = QString::fromUtf8(parts.value(1));
    p.imageFolder = QString::fromUtf8(parts.value(2));
    for (qsizetype i = 3; i < parts.size(); ++i)
        p.classes << QString::fromUtf8(parts[i]);
    FUZZ_CHECK(WriteProject(path, p, ProjectWrite::Replace));
    const Project back = ReadProject(path);
    FUZZ_CHECK(back.name == AsStored(p.name) && back.mainFolder == AsStored(p.mainFolder) &&
               back.imageFolder == AsStored(p.imageFolder));
    FUZZ_CHECK(back.classes == DecodeClasses(AsStored(EncodeClasses(p.classes))));
    QFile::remove(path);
    return 0;
}
