#include "AppInfo.h"

#ifndef CORVEL_VERSION
#define CORVEL_VERSION "5.1.0"
#endif
#ifndef CORVEL_SITE
#define CORVEL_SITE "https://www.corvel.example"
#endif

namespace corvel {

QString VersionText() {
    return QStringLiteral(CORVEL_VERSION);
}
QString SiteAddress() {
    return QStringLiteral(CORVEL_SITE);
}
QString BuildText() {
    return QStringLiteral("Agosto/2009");
}

} // namespace corvel
