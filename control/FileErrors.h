#pragma once
// Short Portuguese descriptions of file errors, naming the file.
#include <QString>

namespace corvel::control {

// err is the errno of the failed call; writing tells a save from a read.
QString FileErrorText(int err, const QString &path, bool writing);

} // namespace corvel::control
