// The program's addresses: its web site, the health-information site and the maker's contacts.
#pragma once

#include "SysUtils.h"

#include <QString>
#include <QUrl>

// The root of the information site: the folder "site" in the program's folder, as a file URL
// without a trailing "/" (page paths begin with one).
inline QString InfoSiteRoot() { return QUrl::fromLocalFile(ProgramFolder() + QStringLiteral("site")).toString(); }
// The help page of a ranked nutrient, by its page number.
inline QString NutrientPageAddress(const QString& page) {
    return InfoSiteRoot() + QStringLiteral("/zhongyao/yys-") + page + QStringLiteral(".htm");
}

// The program's web site: online help and the check for a newer version.
inline const QString WebSiteHost = QStringLiteral("https://veloria.example.com");
inline const QString OnlineHelpAddress = WebSiteHost + QStringLiteral("/DM/TrimoraHelp.aspx?Version=");
inline QString UpdateCheckAddress(const QString& version) {
    return WebSiteHost + QStringLiteral("/buy/ChkVersion.aspx?CurV=") + version;
}

// The maker's contacts, shown on the main window and copied by its contact menu.
inline const QString ContactQQ = QStringLiteral("800088800");
inline const QString ContactEMail = QStringLiteral("support@veloria.example.com");
