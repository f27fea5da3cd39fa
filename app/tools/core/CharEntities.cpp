#include "CharEntities.h"

#include <QHash>

namespace corvel {

namespace {

const SpecialChar kTable[] = {
    {u'Á', "&Aacute;"}, {u'À', "&Agrave;"}, {u'Â', "&Acirc;"},  {u'Ã', "&Atilde;"},
    {u'Å', "&Aring;"},  {u'Ä', "&Auml;"},   {u'Æ', "&AElig;"},  {u'Ç', "&Ccedil;"},
    {u'É', "&Eacute;"}, {u'È', "&Egrave;"}, {u'Ê', "&Ecirc;"},  {u'Ë', "&Euml;"},
    {u'Í', "&Iacute;"}, {u'Ì', "&Igrave;"}, {u'Î', "&Icirc;"},  {u'Ï', "&Iuml;"},
    {u'Ð', "&ETH;"},    {u'Ñ', "&Ntilde;"}, {u'Ó', "&Oacute;"}, {u'Ò', "&Ograve;"},
    {u'Ô', "&Ocirc;"},  {u'Ö', "&Ouml;"},   {u'Õ', "&Otilde;"}, {u'Ø', "&Oslash;"},
    {u'Ú', "&Uacute;"}, {u'Ù', "&Ugrave;"}, {u'Û', "&Ucirc;"},  {u'Ü', "&Uuml;"},
    {u'Ý', "&Yacute;"}, {u'Þ', "&THORN;"},  {u'á', "&aacute;"}, {u'à', "&agrave;"},
    {u'â', "&acirc;"},  {u'ã', "&atilde;"}, {u'å', "&aring;"},  {u'ä', "&auml;"},
    {u'æ', "&aelig;"},  {u'ç', "&ccedil;"}, {u'é', "&eacute;"}, {u'è', "&egrave;"},
    {u'ê', "&ecirc;"},  {u'ë', "&euml;"},   {u'í', "&iacute;"}, {u'ì', "&igrave;"},
    {u'î', "&icirc;"},  {u'ï', "&iuml;"},   {u'ñ', "&ntilde;"}, {u'ó', "&oacute;"},
    {u'ò', "&ograve;"}, {u'ô', "&ocirc;"},  {u'ö', "&ouml;"},   {u'õ', "&otilde;"},
    {u'ø', "&oslash;"}, {u'ú', "&uacute;"}, {u'ù', "&ugrave;"}, {u'û', "&ucirc;"},
    {u'ü', "&uuml;"},   {u'ý', "&yacute;"}, {u'þ', "&thorn;"},  {u'ÿ', "&yuml;"},
    {u'ß', "&szlig;"},  {u'¿', "&#191;"},   {u'®', "&#174;"},   {u'©', "&#169;"},
    {u'¡', "&#161;"},   {u'²', "&#178;"},   {u'³', "&#179;"},   {u'¤', "&#164;"},
};
constexpr int kCount = int(sizeof(kTable) / sizeof(kTable[0]));
static_assert(kCount == 68, "the special-character table has 68 entries");

// Every table character lies in Latin-1; the longest entity is 8 long.
constexpr int kLongestEntity = 8;

struct Lookup {
    const char *entityOf[256] = {};
    QHash<QString, QChar> charOf;
    Lookup() {
        for (const SpecialChar &e : kTable) {
            entityOf[e.character] = e.entity;
            charOf.insert(QString::fromLatin1(e.entity), QChar(e.character));
        }
    }
};

const Lookup &Tables() {
    static const Lookup t;
    return t;
}

} // namespace

const SpecialChar *SpecialChars(int *count) {
    if (count) *count = kCount;
    return kTable;
}

// Entries are distinct single characters, so applying them one after the
// other equals one pass over the text.
QString ConvertSpecialChars(const QString &text) {
    const Lookup &t = Tables();
    QString out;
    out.reserve(text.size() + text.size() / 8);
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 256 && t.entityOf[u])
            out.append(QLatin1String(t.entityOf[u]));
        else
            out.append(c);
    }
    return out;
}

// Entities contain neither "&" nor ";" inside and the characters put back are
// not ASCII, so matches never overlap nor form new ones: one pass equals
// replacing the entries one after the other.
QString RevertSpecialChars(const QString &text) {
    const Lookup &t = Tables();
    QString out;
    out.reserve(text.size());
    const QChar *p = text.constData();
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (p[i] == QLatin1Char('&')) {
            qsizetype j = i + 1;
            while (j < n && j - i < kLongestEntity && p[j] != QLatin1Char(';') &&
                   p[j] != QLatin1Char('&'))
                ++j;
            if (j < n && p[j] == QLatin1Char(';')) {
                const auto it = t.charOf.constFind(QString(p + i, j - i + 1));
                if (it != t.charOf.constEnd()) {
                    out.append(it.value());
                    i = j;
                    continue;
                }
            }
        }
        out.append(p[i]);
    }
    return out;
}

} // namespace corvel
