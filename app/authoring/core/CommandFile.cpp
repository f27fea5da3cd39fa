#include "CommandFile.h"

#include "AppInfo.h"
#include "Folders.h"
#include "IniDocument.h"
#include "IniFiles.h"
#include "Settings.h"

#include <QSet>

namespace corvel {

namespace {

const QString kComando = QStringLiteral("Comando");

constexpr int kMaxValue = 2047;

} // namespace

struct CommandFileReader::Data {
    IniDocument::Lookup values;
};

CommandFileReader::CommandFileReader(const QString &path)
    : d(std::make_shared<Data>(Data{IniDocument::load(path).lookup()})) {}

QString CommandFileReader::value(const QString &section, const QString &key) const {
    return d->values.value(section, key).trimmed().left(kMaxValue);
}

namespace {

// The section names as one comma-separated list splits them (a name with a
// comma gives two), in upper case, without "COMANDO" and repeats.
QStringList ParameterNames(const QStringList &sections) {
    QStringList names;
    QSet<QString> seen;
    for (const QString &s : sections.join(QLatin1Char(',')).split(QLatin1Char(','))) {
        const QString upper = s.toUpper();
        if (upper == QLatin1String("COMANDO") || seen.contains(upper)) continue;
        seen.insert(upper);
        names << upper;
    }
    return names;
}

} // namespace

QStringList CommandFileReader::parameterNames() const {
    const QStringList sections = d->values.sections();
    if (sections.isEmpty()) return {};
    return ParameterNames(sections);
}

QString CommandsFolder() {
    return ProgramFolder() + QStringLiteral("/Comandos/");
}

QStringList CommandParameterNames(const QString &path) {
    return CommandFileReader(path).parameterNames();
}

ParamKind ParamKindOf(const QString &tipo) {
    const QString t = tipo.toLower();
    if (t == QLatin1String("texto") || t == QLatin1String("text")) return ParamKind::Text;
    if (t == QStringLiteral("seleção") || t == QLatin1String("selecao") ||
        t == QLatin1String("select"))
        return ParamKind::Select;
    if (t == QLatin1String("check") || t == QLatin1String("checkbox") ||
        t == QLatin1String("checagem"))
        return ParamKind::Check;
    return ParamKind::Invalid;
}

QString ValidateCommandFile(const QString &path, const QStringList &parameters) {
    return ValidateCommandFile(CommandFileReader(path), parameters);
}

QString ValidateCommandFile(const CommandFileReader &file, const QStringList &parameters) {
    auto Read = [&file](const QString &section, const char *key) {
        return file.value(section, QLatin1String(key));
    };
    QString section, key;
    auto record = [&](const QString &s, const QString &k) {
        section = s;
        key = k;
    };
    for (const char *k : {"Comando", "Titulo", "Bloco", "Descricao"})
        if (Read(kComando, k).isEmpty()) record(kComando, QLatin1String(k));
    if (parameters.isEmpty())
        record(QStringLiteral("(parâmetros)"), QStringLiteral("(nenhum existente)"));
    if (!section.isEmpty() || !key.isEmpty()) return section + QLatin1Char(',') + key;

    for (const QString &p : parameters) {
        bool fault = false;
        auto fail = [&](const char *k) {
            record(p, QLatin1String(k));
            fault = true;
        };
        if (Read(p, "Descricao").isEmpty()) fail("Descricao");
        if (Read(p, "Titulo").isEmpty()) fail("Titulo");
        const QString tamanho = Read(p, "Tamanho");
        if (tamanho.isEmpty()) fail("Tamanho");
        // A width that is no number, zero or negative would give a control
        // that cannot be drawn: refuse it here like zero.
        const long long width = SettingNumber(tamanho);
        if (width <= 0 || width > 60) fail("Tamanho");
        if (!fault) {
            switch (ParamKindOf(Read(p, "Tipo"))) {
            case ParamKind::Select:
                if (Read(p, "Valores").isEmpty()) fail("Valores");
                break;
            case ParamKind::Text:
                if (Read(p, "Maximo").isEmpty()) fail("Maximo");
                break;
            case ParamKind::Check:
                if (Read(p, "Texto").isEmpty()) fail("Texto");
                if (Read(p, "Checado").isEmpty()) fail("Checado");
                break;
            case ParamKind::Invalid:
                fail("Tipo");
                break;
            }
        }
        if (fault) return section + QLatin1Char(',') + key;
    }
    return QString();
}

int ParamMaxLength(const QString &maximo) {
    const long long n = SettingNumber(maximo);
    if (n <= 0 || n > 500) return 500;
    return int(n);
}

bool IsYes(const QString &value) {
    return value.compare(QLatin1String("sim"), Qt::CaseInsensitive) == 0;
}

bool ParseParamButton(const QString &botao, ParamButton *out) {
    const QStringList f = botao.split(QLatin1Char(','));
    if (f.size() != 4) return false;
    const long long left = SettingNumber(f[0]);
    const long long width = SettingNumber(f[1]);
    if (left <= 0 || left >= 61 || width <= 0 || width >= 21) return false;
    if (out) {
        out->left = int(left);
        out->width = int(width);
        out->caption = f[2].trimmed();
        out->action = f[3].trimmed();
    }
    return true;
}

QString ColourNameList() {
    return QStringLiteral(
               "aliceblue,antiquewhite,aqua,aquamarine,azure,beige,bisque,black,blanchedalmond,"
               "blue,blueviolet,brown,burlywood,cadetblue,chartreuse,chocolate,coral,cornflower,"
               "cornsilk,crimson,cyan,darkblue,darkcyan,darkgoldenrod,darkgray,darkgreen,darkkhaki,"
               "darkmagenta,darkolivegreen,darkorange,darkorchid,darkred,darksalmon,darkseagreen,"
               "darkslateblue,darkslategrey,darkturquoise,darkviolet,deeppink,deepskyblue,dimgray,"
               "dodgerblue,firebrick,floralwhite,forestgreen,fuchia,gainsboro,ghostwhite,gold,"
               "goldenrod,gray,green,greenyellow,honeydew,hotpink,indianred,indigo,ivedrab,ivory,"
               "khaki,lavender,lavenderblush,lawngreen,lemonchiffon,lightblue,lightcoral,lightcyan,"
               "lightgoldenrodyellow,lightgreen,lightgrey,lightpink,lightsalmon,lightseagreen,"
               "lightskyblue,lightslategray,lightsteelblue,lightyellow,lime,") +
           QStringLiteral(
               "limegreen,linen,magenta,maroon,mediumaquamarine,mediumblue,mediumorchid,"
               "mediumpurple,mediumseagreen,mediumslateblue,mediumspringgreen,mediumturquoise,"
               "medium,orange,orangered,orchid,palegoldenrod,palegreen,paleturquoise,"
               "palevioletred,papayawhip,peachpuff,peru,pink,plum,powderblue,purple,red,rosybrown,"
               "royalblue,saddlebrown,salmon,sandybrown,seagreen,seashell,sienna,silver,skyblue,"
               "slateblue,slategray,snow,springgreen,steelblue,tan,teal,thistle,tomato,turquoise,"
               "violet,wheat,white,whitesmoke,yellow,yellowgreen");
}

QString FontSizeList() {
    return QStringLiteral("10,11,12,13,14,15,16,17,18,20,22,24,26,28,30,33,36,39,44,50,57,64,72");
}

namespace {

// The list a keyword stands for, or a null string when it is none.
QString KeywordList(const QString &text, const QStringList &fontNames) {
    const QString k = text.trimmed().toLower();
    if (k == QLatin1String("#cores")) return ColourNameList();
    if (k == QLatin1String("#fontes")) return fontNames.join(QLatin1Char(','));
    if (k == QLatin1String("#fontestamanhos")) return FontSizeList();
    return QString();
}

} // namespace

QStringList ListItems(const QString &valores, const QStringList &fontNames) {
    const QString list = KeywordList(valores, fontNames);
    const QString text = list.isNull() ? valores : list;
    if (text.isEmpty()) return {};
    return text.split(QLatin1Char(','));
}

QStringList StyleValueItems(const QString &values, const QStringList &fontNames) {
    const QString list = KeywordList(values, fontNames);
    QStringList items;
    if (!list.isNull()) {
        if (!list.isEmpty()) items = list.split(QLatin1Char(','));
        return items;
    }
    for (const QString &piece : values.split(QLatin1Char('/')))
        if (!piece.trimmed().isEmpty()) items << piece;
    return items;
}

QString MissingDefinitionText(const QString &fileName) {
    return QStringLiteral("Arquivo de definição '") + fileName +
           QStringLiteral("' não foi encontrado em ") + CommandsFolder();
}

QString MissingCssText() {
    return QStringLiteral("Arquivo CSS.DAT não foi encontrado em ") + CommandsFolder();
}

QString MissingJsText() {
    return QStringLiteral("Arquivo JS.DAT não foi encontrado em ") + CommandsFolder();
}

QString ValidationFaultText(const QString &fileName, const QString &fault) {
    const int comma = fault.lastIndexOf(QLatin1Char(','));
    const QString section = comma < 0 ? fault : fault.left(comma);
    const QString key = comma < 0 ? QString() : fault.mid(comma + 1);
    const QString crlf = QStringLiteral("\r\n");
    return QStringLiteral("O arquivo ") + fileName.toUpper() +
           QStringLiteral(" não passou na validação de script. Abaixo as informações "
                          "referentes ao erro encontrado:") +
           crlf + crlf + QStringLiteral("Sessão: ") + section + crlf + QStringLiteral("Chave: ") +
           key + crlf + crlf +
           QStringLiteral("Verifique os dados deste arquivo. Provavelmente esta chave não foi "
                          "especificada ou possui um valor inválido. Caso seja um script criado "
                          "por você, verifique a documentação do Corvel. Caso seja um script "
                          "interno do programa e você nunca mexeu nos arquivos de configuração do "
                          "Corvel, reinstale o programa ou entre em contato conosco pelo site.");
}

QString CommandFormErrorText(const QString &verb) {
    return QStringLiteral("Ocorreu um erro ao ") + verb +
           QStringLiteral(" o formulário de comando. Isto pode acontecer devido a algum "
                          "parâmetro incorreto no arquivo de script ou a um arquivo corrompido. "
                          "Caso você tenha editado um arquivo TPC ou TPA, retorne-o ao arquivo "
                          "original. Caso contrário, tente reinstalar o Corvel. Se o erro "
                          "persistir, entre em contato conosco pelo site ") +
           SiteAddress();
}

} // namespace corvel
