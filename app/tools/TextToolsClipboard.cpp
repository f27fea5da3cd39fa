#include "RtfDocument.h"
#include "Settings.h"
#include "TextTools.h"
#include "frmMain.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace corvel::texttools {

namespace {

// RTF on the clipboard: the names other programs on this desktop use.
const char *const kRtfFormats[] = {"text/rtf", "application/rtf", "text/richtext"};

QByteArray ClipboardRtf(const QMimeData *data) {
    if (!data) return {};
    for (const char *f : kRtfFormats) {
        const QString format = QString::fromLatin1(f);
        if (data->hasFormat(format)) {
            const QByteArray rtf = data->data(format);
            if (!rtf.isEmpty()) return rtf;
        }
    }
    return {};
}

void PutOnClipboard(ICorvelEdit *ed, bool formatted) {
    QClipboard *cb = QGuiApplication::clipboard();
    if (!cb) return;
    cb->clear();
    auto *data = new QMimeData;
    data->setText(ed->SelTexto());
    if (formatted) {
        // The selection's RTF holds every character as ASCII escapes.
        const QByteArray rtf = ed->SelTextoRTF().toLatin1();
        for (const char *f : kRtfFormats)
            data->setData(QString::fromLatin1(f), rtf);
    }
    cb->setMimeData(data);
}

void Copy(frmMain &m, bool formatted, bool cut) {
    ICorvelEdit *ed = m.CurrentEditor();
    if (!ed) return;
    PutOnClipboard(ed, formatted);
    if (cut && ed->SelTamanho() > 0) {
        ed->setSelTexto(QString());
    }
    static const char *const messages[2][2] = {{"Copiar (Plano)", "Recortar (Plano)"},
                                               {"Copiar (Formatado)", "Recortar (Formatado)"}};
    m.ShowStatusMessage(QString::fromLatin1(messages[formatted][cut]));
}

// The plain text of RTF data (only the characters; never its markup).
QString RtfPlainText(const QByteArray &rtf) {
    rtf::Document doc;
    rtf::Read(rtf, &doc);
    QString text = doc.text;
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}

void PastePlain(frmMain &m) {
    ICorvelEdit *ed = m.CurrentEditor();
    if (!ed) return;
    // The pasted text takes the editor's font from the settings.
    const QString section = QStringLiteral("Editor");
    const QString face = ReadSetting(section, QStringLiteral("Fonte"));
    const int size = int(SettingNumber(ReadSetting(section, QStringLiteral("Tamanho"))));
    const QString frente = ReadSetting(section, QStringLiteral("Frente"));
    if (!face.isEmpty()) ed->setSelFonteNome(face);
    if (size > 0) ed->setSelFonteTamanho(size);
    ed->setSelNegrito(ReadSetting(section, QStringLiteral("Negrito")) == QLatin1String("True"));
    ed->setSelItalico(ReadSetting(section, QStringLiteral("Italico")) == QLatin1String("True"));
    if (!frente.isEmpty()) ed->setSelCorTexto(int(SettingNumber(frente)));

    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    QString text;
    if (data && data->hasText()) {
        text = data->text();
    } else {
        const QByteArray rtf = ClipboardRtf(data);
        if (!rtf.isEmpty()) text = RtfPlainText(rtf);
    }
    if (data && (data->hasText() || !text.isEmpty())) {
        ed->setSelTexto(text);
    }
    m.ShowStatusMessage(QStringLiteral("Colar (Plano)"));
}

void PasteFormatted(frmMain &m) {
    ICorvelEdit *ed = m.CurrentEditor();
    if (!ed) return;
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    const QByteArray rtf = ClipboardRtf(data);
    if (!rtf.isEmpty())
        ed->setSelTextoRTF(QString::fromLatin1(rtf));
    else if (data && data->hasText())
        ed->setSelTexto(data->text());
    m.ShowStatusMessage(QStringLiteral("Colar (Formatado)"));
}

} // namespace

void RegisterClipboardCommands(frmMain &m) {
    m.SetHandler(corvel::cmd::RecortarPlano, [&m] { Copy(m, false, true); });
    m.SetHandler(corvel::cmd::CopiarPlano, [&m] { Copy(m, false, false); });
    m.SetHandler(corvel::cmd::RecortarFormatado, [&m] { Copy(m, true, true); });
    m.SetHandler(corvel::cmd::CopiarFormatado, [&m] { Copy(m, true, false); });
    m.SetHandler(corvel::cmd::ColarPlano, [&m] { PastePlain(m); });
    m.SetHandler(corvel::cmd::ColarFormatado, [&m] { PasteFormatted(m); });
}

} // namespace corvel::texttools
