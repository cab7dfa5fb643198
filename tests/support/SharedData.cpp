#include "SharedData.h"

#include <QFileInfo>

bool RunningInCI() {
    const QByteArray ci = qgetenv("CI").trimmed().toLower();
    return ci == "true" || ci == "1";
}

TSharedDataVerdict SharedDataVerdict(const QString& path) {
    if (QFileInfo::exists(path)) return TSharedDataVerdict::Present;
    return RunningInCI() ? TSharedDataVerdict::Fail : TSharedDataVerdict::Skip;
}
