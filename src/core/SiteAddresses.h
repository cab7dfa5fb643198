// Where the pages of the health-information site are found.
#pragma once

#include "SysUtils.h"

#include <QString>
#include <QUrl>

// The root of the information site: the folder "site" in the program's folder, as a file URL
// without a trailing "/" (page paths begin with one).
inline QString InfoSiteRoot() { return QUrl::fromLocalFile(ProgramFolder() + QStringLiteral("site")).toString(); }
