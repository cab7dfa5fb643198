#include "FieldRules.h"

#include "IniFiles.h"
#include "SysUtils.h"

QString TextFieldRefusal(const QString& caption, const QString& text, int maxLength) {
    if (HasControlCharacter(text)) return caption + QStringLiteral("不能包含换行符等控制字符");
    if (maxLength > 0 && text.size() > maxLength)
        return caption + QStringLiteral("不能超过%1个字").arg(maxLength);
    return QString();
}

QString MultiLineFieldRefusal(const QString& caption, const QString& text) {
    QString rest = text;
    rest.remove(QLatin1Char('\r')).remove(QLatin1Char('\n')).remove(QLatin1Char('\t'));
    return HasControlCharacter(rest) ? caption + QStringLiteral("不能包含控制字符") : QString();
}

bool ParseFieldNumber(const QString& text, const TNumberRange& range, double& value) {
    double v = 0;
    if (!TryStrToFloat(text.trimmed(), v)) return false;  // finite numbers only
    if (range.MinIncluded ? v < range.Min : v <= range.Min) return false;
    if (v > range.Max) return false;
    value = v;
    return true;
}
