#pragma once
// The control words the RTF reader acts on.
#include <cstdint>
#include <string_view>

namespace corvel::rtf::detail {

enum class Kw : std::uint8_t {
    Unknown,
    // Characters and breaks
    Par,
    Line,  // line break inside a paragraph
    Tab,   // \tab and \cell
    Break, // \row, \page, \sect
    Char,  // a named character (\emdash, \lquote...): see Keyword::ch
    // Character formatting
    Plain,
    F,
    Fs,
    ExactSize,
    Cf,
    B,
    I,
    // Unicode and bytes
    Uc,
    U,
    Bin,
    // Document code page
    Ansi,
    AnsiCpg,
    Mac,
    Pc,
    Pca,
    Deff,
    // Tables
    FontTable,
    ColorTable,
    Fcharset,
    Cpg,
    Red,
    Green,
    Blue,
    // Destinations
    FieldResult, // shown: the text a field displays
    SkipDest,    // never shown: pictures, objects, headers, metadata...
};

struct Keyword {
    Kw kw = Kw::Unknown;
    char16_t ch = 0;
};

Keyword LookupKeyword(std::string_view word);

} // namespace corvel::rtf::detail
