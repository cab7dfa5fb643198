#include "VersionInfo.h"

#include <QStringList>

QString GetFileVersionString() {
    QStringList parts = QStringLiteral(VELORIA_VERSION).split(QLatin1Char('.'));
    while (parts.size() < 4) parts << QStringLiteral("0");
    return parts.mid(0, 4).join(QLatin1Char('.'));
}
