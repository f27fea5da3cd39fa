#pragma once
// Reads back an editor's rich text as one character per text character naming
// its colour, for comparing colour runs in tests.
#include "RtfDocument.h"
#include "corvel/ICorvelEdit.h"

#include <QMap>
#include <QString>

// legend: colour number -> letter; -1 is the editor's default colour. Letters
// of unknown colours are '?'. Line breaks (one "\n" per CR LF) are left out.
inline QString ColourRuns(ICorvelEdit *ed, const QMap<int, QChar> &legend,
                          QString *text = nullptr) {
    corvel::rtf::Document doc;
    if (!corvel::rtf::Read(ed->TextoRTF().toUtf8(), &doc)) return QStringLiteral("<not rtf>");
    QVector<int> colours(doc.text.size(), -1);
    for (const auto &r : doc.ranges)
        for (int i = r.start; i < r.start + r.length && i < colours.size(); ++i)
            colours[i] = doc.formats[r.format].color;
    QString out, plain;
    for (int i = 0; i < doc.text.size(); ++i) {
        if (doc.text[i] == QLatin1Char('\n')) continue;
        out += legend.value(colours[i], QLatin1Char('?'));
        plain += doc.text[i];
    }
    if (text) *text = plain;
    return out;
}

// The face and size of every character, as "face/size" texts without repeats.
inline QStringList FontsUsed(ICorvelEdit *ed) {
    corvel::rtf::Document doc;
    corvel::rtf::Read(ed->TextoRTF().toUtf8(), &doc);
    QStringList out;
    for (const auto &r : doc.ranges) {
        if (r.length == 0) continue;
        const auto &f = doc.formats[r.format];
        const QString s = f.font + "/" + QString::number(f.pointSize);
        if (!out.contains(s)) out << s;
    }
    return out;
}
