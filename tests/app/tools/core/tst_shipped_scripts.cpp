// The shipped script lists (js.dat, asp.dat, php.dat): every template is
// well formed, uses its parameters, expands cleanly at any column, and the
// expanded code is correct: JavaScript and PHP pass their own syntax checks
// (node, php) and the validators and formatters give the right answers;
// VBScript blocks and strings are balanced.
#include "GoToLine.h"
#include "ScriptExpansion.h"
#include "ScriptFile.h"
#include "ScriptRules.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QtTest>

using namespace corvel;

namespace {

QString ShippedFile(const QString &code) {
    return ScriptFilePath(qEnvironmentVariable("CORVEL_SOURCE_DIR") + QStringLiteral("/data"),
                          code);
}

// Sample values: "amostra1".."amostra4" fit as names, inside strings and as
// expressions; a few parameters need their own.
QStringList Samples(const QString &code, const QString &shortcut) {
    QStringList v{"amostra1", "amostra2", "amostra3", "amostra4"};
    if (code == QLatin1String("PHP") && shortcut == QLatin1String("FUNC")) v[1] = "$a, $b";
    return v;
}

QString Expand(const QString &code, const QString &shortcut, const QStringList &values,
               int column = 1) {
    const ScriptEntry e = ReadScript(ShippedFile(code), shortcut);
    return ExpandScript(e.output, values, column, QStringLiteral("    ")).text;
}

struct Run {
    bool started = false;
    int exitCode = -1;
    QString output;
};

Run RunTool(const QString &tool, const QStringList &args) {
    Run r;
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(tool, args);
    if (!p.waitForStarted(10000)) return r;
    r.started = true;
    if (!p.waitForFinished(60000)) p.kill();
    r.exitCode = p.exitCode();
    r.output = QString::fromUtf8(p.readAll());
    return r;
}

QString WriteTemp(QTemporaryDir &dir, const QString &name, const QString &text) {
    const QString path = dir.filePath(name);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) f.write(text.toUtf8());
    return path;
}

// VBScript: the blocks open and close in order, and every line has balanced
// quotes and parentheses. An empty result means well formed.
QString CheckVbScript(const QString &code) {
    QStringList stack;
    int n = 0;
    const auto starts = [](const QString &line, const char *word) {
        return QRegularExpression(QStringLiteral("^%1\\b").arg(QLatin1String(word)),
                                  QRegularExpression::CaseInsensitiveOption)
            .match(line)
            .hasMatch();
    };
    for (QString line : code.split(QStringLiteral("\r\n"))) {
        ++n;
        if (line.count(QLatin1Char('"')) % 2) return QStringLiteral("quotes, line %1").arg(n);
        line.replace(QRegularExpression(QStringLiteral("\"[^\"]*\"")), QStringLiteral("\"\""));
        const qsizetype comment = line.indexOf(QLatin1Char('\''));
        if (comment >= 0) line.truncate(comment);
        line = line.trimmed();
        if (line.count(QLatin1Char('(')) != line.count(QLatin1Char(')')))
            return QStringLiteral("parentheses, line %1").arg(n);
        const auto close = [&](const QString &block) {
            if (stack.isEmpty() || stack.last() != block) return false;
            stack.removeLast();
            return true;
        };
        bool ok = true;
        if (starts(line, "End If"))
            ok = close("If");
        else if (starts(line, "End Select"))
            ok = close("Select");
        else if (starts(line, "End Function"))
            ok = close("Function");
        else if (starts(line, "End Sub"))
            ok = close("Sub");
        else if (starts(line, "Next"))
            ok = close("For");
        else if (starts(line, "Loop"))
            ok = close("Do");
        else if (starts(line, "Wend"))
            ok = close("While");
        else if (starts(line, "If")) {
            // "If ... Then" alone opens a block; with a statement after
            // Then the If is complete on its line.
            ok = line.contains(QRegularExpression(QStringLiteral("\\bThen\\b"),
                                                  QRegularExpression::CaseInsensitiveOption));
            if (line.endsWith(QLatin1String("Then"), Qt::CaseInsensitive))
                stack << QStringLiteral("If");
        } else if (starts(line, "ElseIf") || starts(line, "Else"))
            ok = !stack.isEmpty() && stack.last() == QLatin1String("If");
        else if (starts(line, "Select Case"))
            stack << QStringLiteral("Select");
        else if (starts(line, "Case"))
            ok = !stack.isEmpty() && stack.last() == QLatin1String("Select");
        else if (starts(line, "Function"))
            stack << QStringLiteral("Function");
        else if (starts(line, "Sub"))
            stack << QStringLiteral("Sub");
        else if (starts(line, "For"))
            stack << QStringLiteral("For");
        else if (starts(line, "Do"))
            stack << QStringLiteral("Do");
        else if (starts(line, "While"))
            stack << QStringLiteral("While");
        if (!ok) return QStringLiteral("block, line %1").arg(n);
    }
    return stack.isEmpty() ? QString() : QStringLiteral("unclosed ") + stack.join(QLatin1Char(','));
}

} // namespace

class TestShippedScripts : public QObject {
    Q_OBJECT
private slots:
    void families_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QStringList>("shortcuts");
        QTest::newRow("JavaScript")
            << "JS" << QStringList{"CPF",   "CNPJ", "CEP", "TEL", "DATA", "MOEDA", "EMAIL", "CONF",
                                   "POPUP", "IF",   "IFE", "SW",  "FOR",  "FORA",  "WHILE"};
        QTest::newRow("ASP") << "ASP"
                             << QStringList{"FORM", "QS",  "RW",   "RWH",  "IF",    "IFE",
                                            "SEL",  "FOR", "FORE", "DO",   "CONN",  "RS",
                                            "CMD",  "SES", "SESL", "COOK", "COOKL", "MAIL"};
        QTest::newRow("PHP") << "PHP" << QStringList{"POST",  "GET",  "ECHO", "PDO", "SQL", "INS",
                                                     "NUM",   "DATA", "DTBR", "IF",  "FOR", "FORE",
                                                     "WHILE", "SES",  "SESL", "REQ", "INC", "MAIL"};
    }
    void families() {
        QFETCH(QString, code);
        QFETCH(QStringList, shortcuts);
        ScriptFileStatus status = ScriptFileStatus::Corrupt;
        QStringList present;
        for (const ScriptListRow &r : ReadScriptList(ShippedFile(code), &status))
            present << r.shortcut;
        QCOMPARE(status, ScriptFileStatus::Ok);
        for (const QString &s : shortcuts)
            QVERIFY2(present.contains(s), qPrintable(code + QLatin1Char(' ') + s));
    }

    // Every template: a shortcut a user could have created, a description,
    // at most four parameters each used, only known placeholders, and a
    // clean expansion at columns 1 and 5.
    void wellFormed_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("shortcut");
        for (const char *code : {"JS", "ASP", "PHP"})
            for (const ScriptListRow &r : ReadScriptList(ShippedFile(QString::fromLatin1(code))))
                QTest::newRow(qPrintable(QString::fromLatin1(code) + QLatin1Char(' ') + r.shortcut))
                    << QString::fromLatin1(code) << r.shortcut;
    }
    void wellFormed() {
        QFETCH(QString, code);
        QFETCH(QString, shortcut);
        const ScriptEntry e = ReadScript(ShippedFile(code), shortcut);
        QVERIFY(IsShortcutText(shortcut) && shortcut == shortcut.toUpper());
        QCOMPARE(LeadingNumber(shortcut), 0.0);
        QVERIFY(!e.description.isEmpty());
        QVERIFY(e.parameters.size() <= 4);
        for (const QString &p : e.parameters)
            QVERIFY(!p.trimmed().isEmpty() && !p.contains(QLatin1Char(',')));
        const QRegularExpression mark(QStringLiteral("<#[^>]*>"));
        for (auto it = mark.globalMatch(e.output); it.hasNext();) {
            const QString m = it.next().captured();
            static const QStringList known{"<#P1#>", "<#P2#>", "<#P3#>", "<#P4#>",
                                           "<#T#>",  "<#E#>",  "<#C#>",  "<##>"};
            QVERIFY2(known.contains(m), qPrintable(m));
        }
        for (int k = 1; k <= 4; ++k)
            QCOMPARE(e.output.contains(QStringLiteral("<#P%1#>").arg(k)), k <= e.parameters.size());
        QVERIFY(e.output.count(QStringLiteral("<#C#>")) <= 1);

        for (int column : {1, 5}) {
            const ScriptExpansion x =
                ExpandScript(e.output, Samples(code, shortcut), column, QStringLiteral("   "));
            QVERIFY(!x.text.contains(QStringLiteral("<#")));
            QVERIFY(x.caretBack >= 0 && x.caretBack <= x.text.size());
            const QStringList lines = x.text.split(QStringLiteral("\r\n"));
            for (int i = 1; i < lines.size(); ++i)
                QVERIFY(lines[i].startsWith(QString(column - 1, QLatin1Char(' '))));
        }
        // Left empty, the parameters leave no placeholder behind either.
        QVERIFY(!ExpandScript(e.output, {}, 3, QStringLiteral("\t")).text.contains("<#"));
    }

    void javaScriptSyntax() {
        if (QStandardPaths::findExecutable(QStringLiteral("node")).isEmpty())
            QSKIP("node is needed to check the JavaScript templates");
        QTemporaryDir dir;
        for (const ScriptListRow &r : ReadScriptList(ShippedFile("JS"))) {
            const QString file = WriteTemp(dir, r.shortcut + QStringLiteral(".js"),
                                           Expand("JS", r.shortcut, Samples("JS", r.shortcut), 5));
            const Run run = RunTool(QStringLiteral("node"), {QStringLiteral("--check"), file});
            QVERIFY2(run.started && run.exitCode == 0, qPrintable(r.shortcut + ": " + run.output));
        }
    }

    void javaScriptBehaviour() {
        if (QStandardPaths::findExecutable(QStringLiteral("node")).isEmpty())
            QSKIP("node is needed to run the JavaScript templates");
        QString js;
        for (const auto &[shortcut, name] :
             std::initializer_list<std::pair<const char *, const char *>>{
                 {"CPF", "validaCPF"},
                 {"CNPJ", "validaCNPJ"},
                 {"CEP", "mascaraCEP"},
                 {"TEL", "mascaraTelefone"},
                 {"DATA", "validaData"},
                 {"MOEDA", "formataMoeda"},
                 {"EMAIL", "validaEmail"}})
            js += Expand("JS", QString::fromLatin1(shortcut), {QString::fromLatin1(name)}) +
                  QStringLiteral("\n");
        js += QStringLiteral(R"(
var falhas = [];
function confere(nome, obtido, esperado) {
    if (obtido !== esperado) falhas.push(nome + ': ' + JSON.stringify(obtido));
}
function mascara(f, texto) { var campo = {value: texto}; f(campo); return campo.value; }
confere('cpf', validaCPF('529.982.247-25'), true);
confere('cpf digito', validaCPF('529.982.247-24'), false);
confere('cpf repetido', validaCPF('111.111.111-11'), false);
confere('cpf curto', validaCPF('5299822472'), false);
confere('cnpj', validaCNPJ('11.222.333/0001-81'), true);
confere('cnpj digito', validaCNPJ('11.222.333/0001-82'), false);
confere('cnpj repetido', validaCNPJ('00000000000000'), false);
confere('cep', mascara(mascaraCEP, '01310100'), '01310-100');
confere('cep longo', mascara(mascaraCEP, '01310-1009'), '01310-100');
confere('cep parcial', mascara(mascaraCEP, '0131'), '0131');
confere('celular', mascara(mascaraTelefone, '11987654321'), '(11) 98765-4321');
confere('fixo', mascara(mascaraTelefone, '1132654321'), '(11) 3265-4321');
confere('parcial', mascara(mascaraTelefone, '(11) 9876'), '(11) 9876');
confere('ddd', mascara(mascaraTelefone, '1'), '(1');
confere('vazio', mascara(mascaraTelefone, ''), '');
confere('bissexto', validaData('29/02/2024'), true);
confere('nao bissexto', validaData('29/02/2023'), false);
confere('abril', validaData('31/04/2024'), false);
confere('mes 13', validaData('15/13/2024'), false);
confere('dia zero', validaData('00/01/2024'), false);
confere('sem zero', validaData('1/02/2024'), false);
confere('ano curto', validaData('01/01/0099'), false);
confere('moeda', formataMoeda(1234567.891), 'R$ 1.234.567,89');
confere('moeda negativa', formataMoeda(-5), '-R$ 5,00');
confere('centavos', formataMoeda('0.5'), 'R$ 0,50');
confere('quase zero', formataMoeda(-0.001), 'R$ 0,00');
confere('email', validaEmail('fulano@exemplo.com.br'), true);
confere('sem dominio', validaEmail('fulano@exemplo'), false);
confere('espaco', validaEmail('a b@c.com'), false);
confere('duas arrobas', validaEmail('a@@b.com'), false);
confere('ponto inicial', validaEmail('a@.com'), false);
console.log(falhas.length ? falhas.join('\n') : 'ok');
)");
        QTemporaryDir dir;
        const Run run = RunTool(QStringLiteral("node"), {WriteTemp(dir, "run.js", js)});
        QVERIFY(run.started);
        QCOMPARE(run.output.trimmed(), QString("ok"));
    }

    void phpSyntax() {
        if (QStandardPaths::findExecutable(QStringLiteral("php")).isEmpty())
            QSKIP("php is needed to check the PHP templates");
        QTemporaryDir dir;
        for (const ScriptListRow &r : ReadScriptList(ShippedFile("PHP"))) {
            const QString file =
                WriteTemp(dir, r.shortcut + QStringLiteral(".php"),
                          QStringLiteral("<?php\n") +
                              Expand("PHP", r.shortcut, Samples("PHP", r.shortcut), 5) +
                              QStringLiteral("\n"));
            const Run run = RunTool(QStringLiteral("php"), {QStringLiteral("-l"), file});
            QVERIFY2(run.started && run.exitCode == 0, qPrintable(r.shortcut + ": " + run.output));
        }
    }

    void phpBehaviour() {
        if (QStandardPaths::findExecutable(QStringLiteral("php")).isEmpty())
            QSKIP("php is needed to run the PHP templates");
        const QString php =
            QStringLiteral("<?php\n$_POST['nome'] = ' <b>\"Zé\" & \\'cia\\'</b> ';\n") +
            Expand("PHP", "POST", {"nome", "nome"}) + QStringLiteral("\necho $nome, \"\\n\";\n") +
            Expand("PHP", "POST", {"ausente", "ausente"}) +
            QStringLiteral("\nvar_export($ausente); echo \"\\n\";\n") +
            Expand("PHP", "NUM", {"1234567.891"}) + QStringLiteral("\necho \"\\n\";\n") +
            Expand("PHP", "NUM", {"-0.5"}) + QStringLiteral("\necho \"\\n\";\n") +
            QStringLiteral("$texto = '29/02/2024';\n") + Expand("PHP", "DTBR", {"iso", "$texto"}) +
            QStringLiteral("\nvar_export($iso); echo \"\\n\";\n") +
            QStringLiteral("$texto = '31/02/2024';\n") + Expand("PHP", "DTBR", {"iso", "$texto"}) +
            QStringLiteral("\nvar_export($iso); echo \"\\n\";\n") +
            QStringLiteral("$_GET['id'] = '42';\n") + Expand("PHP", "INT", {"id", "id"}) +
            QStringLiteral("\nvar_export($id); echo \"\\n\";\n") +
            Expand("PHP", "INT", {"id2", "id2"}) +
            QStringLiteral("\nvar_export($id2); echo \"\\n\";\n") +
            QStringLiteral("$lista = [1, 2];\n") + Expand("PHP", "FORE", {"$lista", "n"}) +
            QStringLiteral("\n") + Expand("PHP", "DATA", {});
        // The caret line of the foreach is empty: the loop just runs.
        QTemporaryDir dir;
        const Run run = RunTool(QStringLiteral("php"), {WriteTemp(dir, "run.php", php)});
        QVERIFY(run.started);
        const QStringList lines = run.output.split(QLatin1Char('\n'));
        QVERIFY2(lines.size() == 9, qPrintable(run.output));
        QCOMPARE(lines[0], QString("&lt;b&gt;&quot;Zé&quot; &amp; &#039;cia&#039;&lt;/b&gt;"));
        QCOMPARE(lines[1], QString("''"));
        QCOMPARE(lines[2], QString("R$ 1.234.567,89"));
        QCOMPARE(lines[3], QString("R$ -0,50"));
        QCOMPARE(lines[4], QString("'2024-02-29'"));
        QCOMPARE(lines[5], QString("NULL"));
        QCOMPARE(lines[6], QString("42"));
        QCOMPARE(lines[7], QString("NULL"));
        QVERIFY(QRegularExpression(QStringLiteral("^\\d{2}/\\d{2}/\\d{4}$"))
                    .match(lines[8])
                    .hasMatch());
    }

    void vbScriptStructure() {
        for (const ScriptListRow &r : ReadScriptList(ShippedFile("ASP")))
            for (int column : {1, 9}) {
                const QString problem =
                    CheckVbScript(Expand("ASP", r.shortcut, Samples("ASP", r.shortcut), column)
                                      .replace(QRegularExpression(QStringLiteral("\r\n +")),
                                               QStringLiteral("\r\n")));
                QVERIFY2(problem.isEmpty(), qPrintable(r.shortcut + ": " + problem));
            }
        // The checker itself catches what it is for.
        QVERIFY(!CheckVbScript("If a Then\r\nx = 1").isEmpty());
        QVERIFY(!CheckVbScript("For i = 1 To 2\r\nLoop").isEmpty());
        QVERIFY(!CheckVbScript("x = \"a").isEmpty());
        QVERIFY(CheckVbScript("If a Then b = 1 Else b = 2\r\nx = \"a \"\"b\"\" c\"").isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestShippedScripts)
#include "tst_shipped_scripts.moc"
