#pragma once
// Facts about the program that several windows show.
#include <QString>

namespace corvel {

// major.minor.revision of the running program.
QString VersionText();
// The product's web address (one build-time constant).
QString SiteAddress();
// "Gerado em" text of the splash window.
QString BuildText();

} // namespace corvel
