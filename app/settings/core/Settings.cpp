#include "Settings.h"

#include "DesktopEntries.h"
#include "Folders.h"
#include "IniDocument.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

using corvel::IniDocument;

namespace corvel {

namespace {

QString &OverridePath() {
    static QString path;
    return path;
}

// The parsed store, reloaded when the file changes on disk (another Corvel or
// Tessim may write it).
struct StoreCache {
    QString path;
    QDateTime modified;
    qint64 size = -1;
    bool loaded = false;
    IniDocument doc;
};

StoreCache &Cache() {
    static StoreCache c;
    return c;
}

IniDocument &Store() {
    StoreCache &c = Cache();
    const QString path = SettingsFilePath();
    const QFileInfo fi(path);
    const QDateTime mod = fi.exists() ? fi.lastModified() : QDateTime();
    const qint64 size = fi.exists() ? fi.size() : -1;
    if (!c.loaded || c.path != path || c.modified != mod || c.size != size) {
        c.doc = IniDocument::load(path);
        c.path = path;
        c.modified = mod;
        c.size = size;
        c.loaded = true;
    }
    return c.doc;
}

// The store's folder holds the history of opened paths: owner-only. A folder
// made here is created 0700; the usual folder of the store ("Corvel" in the
// user's configuration folder), when it exists as a real folder of ours,
// loses any group and other access. A folder given by a test or an embedder
// may be shared and is never changed.
void PrepareStoreFolder(const QString &folder) {
    const QByteArray name = QFile::encodeName(folder);
    if (::mkdir(name.constData(), S_IRWXU) != 0 && errno == ENOENT) {
        QDir().mkpath(QFileInfo(folder).absolutePath());
        ::mkdir(name.constData(), S_IRWXU);
    }
    struct stat st;
    if (OverridePath().isEmpty() && ::lstat(name.constData(), &st) == 0 && S_ISDIR(st.st_mode) &&
        st.st_uid == ::geteuid() && (st.st_mode & (S_IRWXG | S_IRWXO)) != 0)
        ::chmod(name.constData(), st.st_mode & S_IRWXU);
}

bool SaveStore(const IniDocument &doc) {
    const QString path = SettingsFilePath();
    PrepareStoreFolder(QFileInfo(path).absolutePath());
    const bool ok = doc.save(path, nullptr, IniDocument::OwnerOnly);
    StoreCache &c = Cache();
    c.loaded = false; // re-read stamps on the next access
    if (ok) {
        c.doc = doc;
        const QFileInfo fi(path);
        c.path = path;
        c.modified = fi.lastModified();
        c.size = fi.size();
        c.loaded = true;
    }
    return ok;
}

const DefaultSetting kDefaults[] = {
    {"Caminhos", "CorvelDir", nullptr},
    {"Caminhos", "UltDir", nullptr},
    {"Caminhos", "UltDirImg", nullptr},
    {"Configuracao", "Aberturas", "1"},
    {"Configuracao", "ArqBarraInicio", "0"},
    {"Configuracao", "ArqCamRelativo", "1"},
    {"Configuracao", "ArqConvMin", "0"},
    {"Configuracao", "Aspas", "0"},
    {"Configuracao", "AutoRemObsoletos", "0"},
    {"Configuracao", "AutoSave", "5"},
    {"Configuracao", "Backup", "0"},
    {"Configuracao", "BodyFixed", "0"},
    {"Configuracao", "BodyScroll", "0"},
    {"Configuracao", "BR", "1"},
    {"Configuracao", "BrowserPadrao", "1"},
    {"Configuracao", "ComAvancado", "0"},
    {"Configuracao", "EscolheCor", "0"},
    {"Configuracao", "F9", "0"},
    {"Configuracao", "CorvelBrowser", "0"},
    {"Configuracao", "HipertextoIdent", "0"},
    {"Configuracao", "HR", "1"},
    {"Configuracao", "ImgBorder0", "0"},
    {"Configuracao", "ImgPathDoc", "1"},
    {"Configuracao", "ImgWH", "1"},
    {"Configuracao", "IntSelecao", "1"},
    {"Configuracao", "LI", "1"},
    {"Configuracao", "MantemSel", "1"},
    {"Configuracao", "NaoNovoDoc", "0"},
    {"Configuracao", "Option", "1"},
    {"Configuracao", "OptUltTab", "0"},
    {"Configuracao", "P", "1"},
    {"Configuracao", "Preview", "1"},
    {"Configuracao", "ProcInicio", "0"},
    {"Configuracao", "ProcInteiras", "0"},
    {"Configuracao", "ProcMover", "0"},
    {"Configuracao", "ProcSens", "1"},
    {"Configuracao", "Quebra", "1000000"},
    {"Configuracao", "RealTAB", "0"},
    {"Configuracao", "Splash", "1"},
    {"Configuracao", "SysTray", "0"},
    {"Configuracao", "Table", "1"},
    {"Configuracao", "TaskBar", "1"},
    {"Configuracao", "TD", "1"},
    {"Configuracao", "TipoArq", "0"},
    {"Configuracao", "TipoArqImg", "0"},
    {"Configuracao", "TR", "1"},
    {"Configuracao", "TWizComentario", "0"},
    {"Configuracao", "TWizEspacoLinha", "1"},
    {"Configuracao", "TWizNaoLinha", "0"},
    {"Configuracao", "TWizRecuo", "1"},
    {"Editor", "ClrzComent", "12632256"},
    {"Editor", "ClrzParam", "12582912"},
    {"Editor", "ClrzPrg", "255"},
    {"Editor", "ClrzTag", "16711680"},
    {"Editor", "ClrzValor", "40960"},
    {"Editor", "Fonte", "Courier New"},
    {"Editor", "Frente", "0"},
    {"Editor", "Fundo", "16777215"},
    {"Editor", "Italico", "False"},
    {"Editor", "Negrito", "False"},
    {"Editor", "Tabs", "3"},
    {"Editor", "Tamanho", "11"},
};

} // namespace

QString SettingsFilePath() {
    if (!OverridePath().isEmpty()) return OverridePath();
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty()) base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/Corvel/Corvel.ini");
}

void SetSettingsFileOverride(const QString &path) {
    OverridePath() = path;
    Cache().loaded = false;
}

const DefaultSetting *DefaultSettings(int *count) {
    *count = int(sizeof(kDefaults) / sizeof(kDefaults[0]));
    return kDefaults;
}

long long SettingNumber(const QString &text) {
    // Leading number of the text, as a lenient conversion reads it.
    const QString t = text.trimmed();
    qsizetype i = 0;
    if (i < t.size() && (t[i] == QLatin1Char('-') || t[i] == QLatin1Char('+'))) ++i;
    const qsizetype digits = i;
    while (i < t.size() && t[i].isDigit() && i - digits < 18)
        ++i;
    if (i == digits) return 0;
    return t.left(i).toLongLong();
}

QString EncodeSettingValue(const QString &value) {
    QString out;
    out.reserve(value.size() + 2);
    for (const QChar c : value) {
        if (c == QLatin1Char('\\'))
            out += QStringLiteral("\\\\");
        else if (c == QLatin1Char('\n'))
            out += QStringLiteral("\\n");
        else if (c == QLatin1Char('\r'))
            out += QStringLiteral("\\r");
        else
            out += c;
    }
    const bool quote = !value.isEmpty() && (value.front().isSpace() || value.back().isSpace() ||
                                            value.front() == QLatin1Char('"'));
    return quote ? QLatin1Char('"') + out + QLatin1Char('"') : out;
}

QString DecodeSettingValue(const QString &stored) {
    QString s = stored.trimmed();
    if (s.size() >= 2 && s.front() == QLatin1Char('"') && s.back() == QLatin1Char('"'))
        s = s.mid(1, s.size() - 2);
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c == QLatin1Char('\\') && i + 1 < s.size()) {
            const QChar n = s[++i];
            if (n == QLatin1Char('n'))
                out += QLatin1Char('\n');
            else if (n == QLatin1Char('r'))
                out += QLatin1Char('\r');
            else
                out += n;
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace corvel

QString ReadSetting(const QString &section, const QString &key) {
    return corvel::DecodeSettingValue(corvel::Store().value(section, key));
}

bool WriteSetting(const QString &section, const QString &key, const QString &value) {
    IniDocument doc = corvel::Store();
    const QString stored = corvel::EncodeSettingValue(value);
    bool found = false;
    if (doc.value(section, key, &found) == stored && found) return true;
    doc.setValue(section, key, stored);
    return corvel::SaveStore(doc);
}

void WriteSettingIfMissing(const QString &section, const QString &key, const QString &value,
                           bool force) {
    if (force || ReadSetting(section, key).isEmpty()) WriteSetting(section, key, value);
}

void ApplyDefaultSettings(bool force) {
    // One write of the store for the whole table.
    IniDocument doc = corvel::Store();
    const QString folder = corvel::ProgramFolder();
    bool changed = false;
    for (const corvel::DefaultSetting &d : corvel::kDefaults) {
        const QString section = QLatin1String(d.section);
        const QString key = QLatin1String(d.key);
        const QString value = d.value ? QString::fromUtf8(d.value) : folder;
        if (force || corvel::DecodeSettingValue(doc.value(section, key)).isEmpty()) {
            doc.setValue(section, key, corvel::EncodeSettingValue(value));
            changed = true;
        }
    }
    if (changed) corvel::SaveStore(doc);
}

void RemoveAllSettings() {
    QFile::remove(corvel::SettingsFilePath());
    corvel::Cache().loaded = false;
    // The desktop integration goes with the settings; each step goes on
    // whatever the previous one found.
    corvel::RemoveDesktopEntry(corvel::DesktopEntry::EditWithCorvel);
    corvel::RemoveDesktopEntry(corvel::DesktopEntry::TessimSource);
}
