#pragma once
// The texts the link dialog makes: file paths relative to a folder, URLs and
// mailto addresses.
#include <QString>

namespace corvel {

// Every space as "%20".
QString EncodeSpaces(const QString &text);

// Path text of a chosen file. mode "0": the file name only. "1" and "2":
// relative to base (the document's folder, the project's main folder): the
// part of the path below base with "/" separators, or the file name only when
// base is empty or the file does not lie below it. leadingSlash puts "/" in
// front of a text that is more than the file name; lowerCase lowers it all.
QString LinkPathText(const QString &fullPath, const QString &base, const QString &mode,
                     bool leadingSlash, bool lowerCase);

// protocol + [user[:password]@] + host[:port] + path; "" when url is blank.
QString BuildUrl(const QString &protocol, const QString &url, const QString &port,
                 const QString &user, const QString &password);

// "mailto:" + address (lower case, no spaces) + "?Subject=" / "Body=" parts
// with spaces as "%20"; "" when the address is blank.
QString BuildMailto(const QString &address, const QString &subject, const QString &body);

} // namespace corvel
