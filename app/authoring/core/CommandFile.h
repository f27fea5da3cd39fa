#pragma once
// Command definition files (".tpc" simple, ".tpa" advanced) in the program
// folder's "Comandos": one INI file per element. Section "Comando" describes
// the element; every other section is one parameter (attribute), in file
// order. They are read only through ReadIniValue and ListIniSections.
#include <QString>
#include <QStringList>

#include <memory>

namespace corvel {

// Program folder + "/Comandos/" (ends in "/").
QString CommandsFolder();

// Parameter names of a definition file: its section names in upper case, in
// file order, without "COMANDO" wherever it stands (and without repeats).
QStringList CommandParameterNames(const QString &path);

// A definition file read once, with the value rules of ReadIniValue (trimmed,
// at most 2047 characters, "" when missing; names match in any case). Each
// value is found in constant time, so a file with thousands of parameters
// reads in time linear in its size.
class CommandFileReader {
public:
    explicit CommandFileReader(const QString &path);
    QString value(const QString &section, const QString &key) const;
    // As CommandParameterNames.
    QStringList parameterNames() const;

private:
    struct Data;
    std::shared_ptr<const Data> d;
};

// Empty when the file is valid, else "section,key" of the fault found.
QString ValidateCommandFile(const QString &path, const QStringList &parameters);
QString ValidateCommandFile(const CommandFileReader &file, const QStringList &parameters);

// Kind of editing control of a parameter, from its "Tipo" (any case).
enum class ParamKind { Text, Select, Check, Invalid };
ParamKind ParamKindOf(const QString &tipo);

// Maximum entry length of a text box from "Maximo": at most 500; a value
// that is no positive number means no own limit, so 500 too.
int ParamMaxLength(const QString &maximo);

// "sim"/"SIM" in any case.
bool IsYes(const QString &value);

// The extra button of a parameter ("Botao": left,width,caption,action; left
// and width in units of 80 twips). Valid only with exactly four fields,
// 0 < left < 61 and 0 < width < 21.
struct ParamButton {
    int left = 0;
    int width = 0;
    QString caption;
    QString action;
};
bool ParseParamButton(const QString &botao, ParamButton *out);

// The list keywords of "Valores" and of CSS.dat values.
QString ColourNameList(); // "#cores": 132 colour names, comma-separated
QString FontSizeList();   // "#fontestamanhos"
// Items of a value list: a keyword (any case) is replaced by its list
// ("#fontes" by fontNames), then the text is split at commas.
QStringList ListItems(const QString &valores, const QStringList &fontNames);
// The same keywords for a style property; plain lists split at "/", blank
// pieces skipped.
QStringList StyleValueItems(const QString &values, const QStringList &fontNames);

// Message texts of the command files (titles: "Inexistente", "Erro de Script").
QString MissingDefinitionText(const QString &fileName);
QString MissingCssText();
QString MissingJsText();
QString ValidationFaultText(const QString &fileName, const QString &fault);
// "Ocorreu um erro ao <verb> o formulário de comando. ..." + site address;
// verb is "validar", "inicializar", "atualizar" or "processar".
QString CommandFormErrorText(const QString &verb);

} // namespace corvel
