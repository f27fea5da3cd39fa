#include "CommandLine.h"

#include "AppInfo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace corvel {

CommandWord ClassifyCommandLine(const QString &commandLine) {
    const QString t = commandLine.trimmed();
    if (t.isEmpty()) return CommandWord::None;
    const QString w = t.toUpper();
    static const char *const help[] = {"?", "HELP", "AJUDA", "/?", "-?", "--HELP", "-H"};
    static const char *const about[] = {"/SOBRE", "SOBRE",  "-SOBRE", "/ABOUT",
                                        "ABOUT",  "-ABOUT", "-A"};
    static const char *const unset[] = {"/UNSET", "UNSET", "-UNSET", "-X"};
    static const char *const set[] = {"/SET", "SET", "-SET", "-S"};
    for (const char *x : help)
        if (w == QLatin1String(x)) return CommandWord::Help;
    for (const char *x : about)
        if (w == QLatin1String(x)) return CommandWord::About;
    for (const char *x : unset)
        if (w == QLatin1String(x)) return CommandWord::Unset;
    for (const char *x : set)
        if (w == QLatin1String(x)) return CommandWord::Set;
    return CommandWord::File;
}

QString CommandLineFile(const QString &commandLine) {
    QString f = commandLine;
    f.remove(QLatin1Char('"'));
    return f.trimmed();
}

QString JoinArguments(const QStringList &args) {
    return args.join(QLatin1Char(' '));
}

QString JoinRawArguments(const QList<QByteArray> &args, bool *unreadable) {
    QStringList decoded;
    bool lost = false;
    for (const QByteArray &raw : args) {
        const QString name = QFile::decodeName(raw);
        if (QFile::encodeName(name) != raw) lost = true;
        decoded << name;
    }
    if (unreadable) *unreadable = lost;
    return JoinArguments(decoded);
}

QString AbsoluteFilePath(const QString &file, const QString &workingFolder) {
    if (file.isEmpty()) return QString();
    // Only "/" starts an absolute name: a file name may begin with ":",
    // which Qt's own path rules would take for one of its resources.
    const QString joined =
        file.startsWith(QLatin1Char('/')) ? file : workingFolder + QLatin1Char('/') + file;
    const QStringList parts = joined.split(QLatin1Char('/'));
    if (!parts.contains(QStringLiteral(".."))) return QDir::cleanPath(joined);
    // "a/../b" is where the system's own walk through a leads: when a is a
    // link that is not a's textual parent. The folder part is resolved on
    // disk; the file's own name stays as given.
    const QFileInfo info(joined);
    const QString folder = QFileInfo(info.path()).canonicalFilePath();
    if (folder.isEmpty() || parts.last() == QLatin1String("..") ||
        parts.last() == QLatin1String("."))
        return QDir::cleanPath(joined);
    return QDir::cleanPath(folder + QLatin1Char('/') + info.fileName());
}

QString HelpText() {
    return QStringLiteral(
        "Comandos via linha de comando:\r\n\r\n"
        "/?: help de linha de comando\r\n"
        "/SOBRE: informações sobre o programa\r\n"
        "/SET: ajusta parâmetros padrão\r\n\r\n"
        "Você pode fornecer o nome de um (e somente um) arquivo em linha de comando para ser "
        "aberto automaticamente. O arquivo não precisa ter extensão HTML.");
}

QString AboutText() {
    return QStringLiteral("Corvel ") + VersionText() +
           QStringLiteral("\r\nEditor de páginas web (HTML, ASP, PHP, JavaScript e "
                          "texto).\r\n\r\nGerado em ") +
           BuildText() + QStringLiteral("\r\n") + SiteAddress();
}

QString UnsetQuestion() {
    return QStringLiteral(
        "Este procedimento irá excluir todas as configurações do Corvel. Este procedimento NÃO "
        "irá remover os arquivos da pasta do programa. Com isso, a próxima execução do programa "
        "será como se você estivesse executando-o pela primeira vez. Tem certeza que deseja "
        "remover as configurações?\r\n\r\nDeseja remover estas informações?");
}

QString SetQuestion() {
    return QStringLiteral(
        "Este parâmetro permite ajustar configurações padrão do Corvel. Recomendado para casos "
        "de problemas de inicialização. Todas as configurações pessoais do usuário para o "
        "programa serão removidas.\r\n\r\nTem certeza que deseja ajustar as configurações?");
}

} // namespace corvel
