// Feeds arbitrary definition files through the reading and the validation,
// and through the pieces a dialog builds from a valid one.
#include "CommandFile.h"
#include "CommandResult.h"
#include "IniFiles.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <cstdlib>
#include <unistd.h>

namespace {

QString FuzzFile() {
    static const QString path =
        QDir::tempPath() + QStringLiteral("/fuzz_commandfile_%1.tpc").arg(getpid());
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QString path = FuzzFile();
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 0;
        f.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    const QStringList params = corvel::CommandParameterNames(path);
    for (const QString &p : params)
        if (p.compare(QLatin1String("COMANDO"), Qt::CaseInsensitive) == 0) abort();
    const QString fault = corvel::ValidateCommandFile(path, params);
    (void)corvel::ValidationFaultText(QStringLiteral("x.tpc"), fault);

    // What the dialog reads from each parameter section; the reader read
    // once must agree with the single-value reads.
    const corvel::CommandFileReader file(path);
    QVector<corvel::CommandParameter> table;
    int compared = 0;
    for (const QString &p : params) {
        if (compared++ < 3 && file.value(p, QStringLiteral("Titulo")) !=
                                  ReadIniValue(p, QStringLiteral("Titulo"), path))
            abort();
        corvel::ParamButton b;
        if (corvel::ParseParamButton(file.value(p, QStringLiteral("Botao")), &b)) {
            if (b.left <= 0 || b.left >= 61 || b.width <= 0 || b.width >= 21) abort();
        }
        const int max = corvel::ParamMaxLength(file.value(p, QStringLiteral("Maximo")));
        if (max <= 0 || max > 500) abort();
        const QString values = file.value(p, QStringLiteral("Valores"));
        if (values.size() > 2047) abort();
        (void)corvel::ListItems(values, {QStringLiteral("Sans")});
        (void)corvel::StyleValueItems(values, {});
        table.append({p, file.value(p, QStringLiteral("Texto"))});
    }
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString r = corvel::BuildResult(
        ReadIniValue(QStringLiteral("Comando"), QStringLiteral("Comando"), path), table, QString(),
        corvel::ParseStyleList(text), corvel::ParseEventList(text));
    if (!r.endsWith(QLatin1Char('>'))) abort();
    (void)corvel::LinkTextOf(r);
    return 0;
}
