#include "RtfKeywords.h"
#include "RtfWords.h"

#include <string>
#include <unordered_map>

namespace corvel::rtf::detail {

namespace {

using Table = std::unordered_map<std::string_view, Keyword>;

Table BuildTable() {
    Table t;
    auto add = [&](std::string_view w, Kw kw, char16_t ch = 0) { t.emplace(w, Keyword{kw, ch}); };
    add("par", Kw::Par);
    add("line", Kw::Line);
    add("lbr", Kw::Line);
    add("tab", Kw::Tab);
    add("cell", Kw::Tab);
    add("nestcell", Kw::Tab);
    add("row", Kw::Break);
    add("nestrow", Kw::Break);
    add("page", Kw::Break);
    add("sect", Kw::Break);
    add("column", Kw::Break);
    add("emdash", Kw::Char, 0x2014);
    add("endash", Kw::Char, 0x2013);
    add("emspace", Kw::Char, 0x2003);
    add("enspace", Kw::Char, 0x2002);
    add("qmspace", Kw::Char, 0x2005);
    add("bullet", Kw::Char, 0x2022);
    add("lquote", Kw::Char, 0x2018);
    add("rquote", Kw::Char, 0x2019);
    add("ldblquote", Kw::Char, 0x201C);
    add("rdblquote", Kw::Char, 0x201D);
    add("zwj", Kw::Char, 0x200D);
    add("zwnj", Kw::Char, 0x200C);
    add("zwbo", Kw::Char, 0x200B);
    add("ltrmark", Kw::Char, 0x200E);
    add("rtlmark", Kw::Char, 0x200F);
    add("plain", Kw::Plain);
    add("f", Kw::F);
    add("fs", Kw::Fs);
    add(kExactSizeWord, Kw::ExactSize);
    add("cf", Kw::Cf);
    add("b", Kw::B);
    add("i", Kw::I);
    add("uc", Kw::Uc);
    add("u", Kw::U);
    add("bin", Kw::Bin);
    add("ansi", Kw::Ansi);
    add("ansicpg", Kw::AnsiCpg);
    add("mac", Kw::Mac);
    add("pc", Kw::Pc);
    add("pca", Kw::Pca);
    add("deff", Kw::Deff);
    add("fonttbl", Kw::FontTable);
    add("colortbl", Kw::ColorTable);
    add("fcharset", Kw::Fcharset);
    add("cpg", Kw::Cpg);
    add("red", Kw::Red);
    add("green", Kw::Green);
    add("blue", Kw::Blue);
    add("fldrslt", Kw::FieldResult);
    // Destinations whose content is never text of the document.
    for (std::string_view w : {"info",
                               "stylesheet",
                               "pict",
                               "object",
                               "objdata",
                               "objclass",
                               "fldinst",
                               "header",
                               "headerl",
                               "headerr",
                               "headerf",
                               "footer",
                               "footerl",
                               "footerr",
                               "footerf",
                               "footnote",
                               "annotation",
                               "atnid",
                               "atnauthor",
                               "atndate",
                               "atnref",
                               "xe",
                               "tc",
                               "txe",
                               "listtable",
                               "listoverridetable",
                               "rsidtbl",
                               "revtbl",
                               "filetbl",
                               "pgdsctbl",
                               "nonshppict",
                               "shp",
                               "shpinst",
                               "shppict",
                               "shptxt",
                               "sp",
                               "sn",
                               "sv",
                               "themedata",
                               "colorschememapping",
                               "latentstyles",
                               "datastore",
                               "xmlnstbl",
                               "mmathPr",
                               "generator",
                               "userprops",
                               "docvar",
                               "ftnsep",
                               "ftnsepc",
                               "ftncn",
                               "aftnsep",
                               "aftnsepc",
                               "aftncn",
                               "bkmkstart",
                               "bkmkend",
                               "private",
                               "template",
                               "panose",
                               "falt",
                               "fname",
                               "keycode",
                               "datafield",
                               "formfield",
                               "pn",
                               "pnseclvl",
                               "pntxta",
                               "pntxtb",
                               "blipuid",
                               "expandedcolortbl",
                               "listpicture",
                               "wgrffmtfilter",
                               "mhtmltag",
                               "htmltag",
                               "protusertbl",
                               "oldcprops",
                               "oldpprops",
                               "oldsprops",
                               "oldtprops",
                               "title",
                               "subject",
                               "author",
                               "operator",
                               "keywords",
                               "comment",
                               "doccomm",
                               "company",
                               "category",
                               "manager",
                               "hlinkbase",
                               "passwordhash",
                               "ud",
                               "upr",
                               "background",
                               "pgptbl",
                               "fchars",
                               "lchars",
                               "do",
                               "dptxbxtext",
                               "result"})
        add(w, Kw::SkipDest);
    return t;
}

} // namespace

Keyword LookupKeyword(std::string_view word) {
    static const Table table = BuildTable();
    const auto it = table.find(word);
    return it == table.end() ? Keyword{} : it->second;
}

} // namespace corvel::rtf::detail
