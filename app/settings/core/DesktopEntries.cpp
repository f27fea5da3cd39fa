#include "DesktopEntries.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>

namespace corvel {

namespace {

struct EntryInfo {
    const char *file;
    const char *name;
    const char *comment;
};

EntryInfo Info(DesktopEntry entry) {
    switch (entry) {
    case DesktopEntry::EditWithCorvel:
        return {"corvel-editar.desktop", "Editar com o Corvel", "Editar a página no editor Corvel"};
    case DesktopEntry::TessimSource:
        return {"corvel-tessim.desktop", "Ver o código-fonte no Tessim",
                "Abrir o código-fonte da página no bloco de notas Tessim"};
    }
    return {"", "", ""};
}

// The escapes of a string value: backslash, and the blanks a value cannot
// hold as they are.
QString EscapeString(const QString &s) {
    QString out;
    out.reserve(s.size());
    for (const QChar c : s) {
        if (c == QLatin1Char('\\'))
            out += QStringLiteral("\\\\");
        else
            out += c;
    }
    return out;
}

QString UnescapeString(const QString &s) {
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c != QLatin1Char('\\') || i + 1 == s.size()) {
            out += c;
            continue;
        }
        const QChar n = s[++i];
        switch (n.unicode()) {
        case 's':
            out += QLatin1Char(' ');
            break;
        case 'n':
            out += QLatin1Char('\n');
            break;
        case 't':
            out += QLatin1Char('\t');
            break;
        case 'r':
            out += QLatin1Char('\r');
            break;
        default:
            out += n;
        }
    }
    return out;
}

bool HasControl(const QString &s) {
    for (const QChar c : s)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F) return true;
    return false;
}

// Lets the desktop's list of programs per file type know at once; the
// desktop also finds the entry without it. The tool reads one small folder;
// a tool that hangs is left behind after a few seconds.
void RefreshDesktopDatabase(const QString &folder) {
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("update-desktop-database"));
    if (tool.isEmpty()) return;
    QProcess p;
    p.start(tool, {QStringLiteral("-q"), folder});
    if (!p.waitForFinished(3000)) p.kill();
}

QString ExecValueOf(const QString &text) {
    bool inMain = false;
    const auto lines = QStringView(text).split(QLatin1Char('\n'));
    for (QStringView line : lines) {
        line = line.trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inMain = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        if (!inMain) continue;
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq < 0 || line.left(eq).trimmed() != QLatin1String("Exec")) continue;
        return line.mid(eq + 1).trimmed().toString();
    }
    return QString();
}

} // namespace

QString DesktopEntriesFolder() {
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/share");
    return QDir::cleanPath(base) + QStringLiteral("/applications");
}

QString DesktopEntryPath(DesktopEntry entry) {
    return DesktopEntriesFolder() + QLatin1Char('/') + QLatin1String(Info(entry).file);
}

QString DesktopExecArgument(const QString &argument) {
    if (argument.isEmpty() || HasControl(argument)) return QString();
    QString quoted = QStringLiteral("\"");
    for (const QChar c : argument) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
            c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        if (c == QLatin1Char('%')) quoted += QLatin1Char('%');
        quoted += c;
    }
    quoted += QLatin1Char('"');
    // The string escapes apply before the quoting is read.
    return EscapeString(quoted);
}

QString DesktopExecProgram(const QString &execValue) {
    const QString s = UnescapeString(execValue.trimmed());
    QString out;
    qsizetype i = 0;
    if (s.startsWith(QLatin1Char('"'))) {
        for (i = 1; i < s.size(); ++i) {
            const QChar c = s[i];
            if (c == QLatin1Char('"')) break;
            if (c == QLatin1Char('\\') && i + 1 < s.size()) {
                out += s[++i];
                continue;
            }
            if (c == QLatin1Char('%') && i + 1 < s.size() && s[i + 1] == QLatin1Char('%')) ++i;
            out += c;
        }
        if (i >= s.size()) return QString(); // no closing quote
    } else {
        for (; i < s.size() && s[i] != QLatin1Char(' '); ++i) {
            if (s[i] == QLatin1Char('%') && i + 1 < s.size() && s[i + 1] == QLatin1Char('%')) ++i;
            out += s[i];
        }
    }
    return out;
}

QString DesktopEntryText(DesktopEntry entry, const QString &program) {
    const QString exec = DesktopExecArgument(program);
    if (exec.isEmpty() || !QDir::isAbsolutePath(program)) return QString();
    const EntryInfo info = Info(entry);
    QString text;
    text += QStringLiteral("[Desktop Entry]\n");
    text += QStringLiteral("Type=Application\n");
    text += QStringLiteral("Version=1.4\n");
    text += QStringLiteral("Name=") + QString::fromUtf8(info.name) + QLatin1Char('\n');
    text += QStringLiteral("Comment=") + QString::fromUtf8(info.comment) + QLatin1Char('\n');
    text += QStringLiteral("Exec=") + exec + QStringLiteral(" %f\n");
    text += QStringLiteral("TryExec=") + EscapeString(program) + QLatin1Char('\n');
    text += QStringLiteral("Icon=text-html\n");
    text += QStringLiteral("Terminal=false\n");
    // Offered in "Abrir com" only, not listed among the desktop's programs.
    text += QStringLiteral("NoDisplay=true\n");
    text += QStringLiteral("MimeType=text/html;application/xhtml+xml;\n");
    text += QStringLiteral("Categories=Development;WebDevelopment;\n");
    return text;
}

bool InstallDesktopEntry(DesktopEntry entry, const QString &program, QString *error) {
    const QString text = DesktopEntryText(entry, program);
    if (text.isEmpty()) {
        if (error) *error = QStringLiteral("o caminho do programa não pode ser usado: ") + program;
        return false;
    }
    const QString folder = DesktopEntriesFolder();
    if (!QDir().mkpath(folder)) {
        if (error) *error = QStringLiteral("não foi possível criar a pasta ") + folder;
        return false;
    }
    QSaveFile f(DesktopEntryPath(entry));
    const QByteArray bytes = text.toUtf8();
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit()) {
        if (error) *error = f.errorString();
        return false;
    }
    QFile::setPermissions(DesktopEntryPath(entry), QFile::ReadOwner | QFile::WriteOwner |
                                                       QFile::ReadGroup | QFile::ReadOther);
    RefreshDesktopDatabase(folder);
    return true;
}

bool RemoveDesktopEntry(DesktopEntry entry) {
    const QString path = DesktopEntryPath(entry);
    const QFileInfo fi(path);
    if (!fi.exists() && !fi.isSymLink()) return true;
    if (!QFile::remove(path)) return false;
    RefreshDesktopDatabase(DesktopEntriesFolder());
    return true;
}

bool DesktopEntryInstalled(DesktopEntry entry) {
    return QFileInfo(DesktopEntryPath(entry)).isFile();
}

QString DesktopEntryProgram(DesktopEntry entry) {
    QFile f(DesktopEntryPath(entry));
    if (!f.open(QIODevice::ReadOnly)) return QString();
    const QByteArray bytes = f.read(1 << 20);
    return DesktopExecProgram(ExecValueOf(QString::fromUtf8(bytes)));
}

} // namespace corvel
