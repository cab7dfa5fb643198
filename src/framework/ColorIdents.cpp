// The names of the colour constants, for streams.
#include "Graphics.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace {
const std::pair<TColor, const char*> ColorNames[] = {
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"},
    {clSkyBlue, "clSkyBlue"},
    {clCream, "clCream"},
    {clMedGray, "clMedGray"},
    {clScrollBar, "clScrollBar"},
    {clBackground, "clBackground"},
    {clActiveCaption, "clActiveCaption"},
    {clInactiveCaption, "clInactiveCaption"},
    {clMenu, "clMenu"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clMenuText, "clMenuText"},
    {clWindowText, "clWindowText"},
    {clCaptionText, "clCaptionText"},
    {clActiveBorder, "clActiveBorder"},
    {clInactiveBorder, "clInactiveBorder"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clBtnFace, "clBtnFace"},
    {clBtnShadow, "clBtnShadow"},
    {clGrayText, "clGrayText"},
    {clBtnText, "clBtnText"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clBtnHighlight, "clBtnHighlight"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clInfoText, "clInfoText"},
    {clInfoBk, "clInfoBk"},
    {clHotLight, "clHotLight"},
    {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"},
    {clMenuHighlight, "clMenuHighlight"},
    {clMenuBar, "clMenuBar"},
    {clNone, "clNone"},
    {clDefault, "clDefault"},
};
}  // namespace

bool ColorToIdent(TColor Color, QString& Ident) {
    for (const auto& [color, name] : ColorNames)
        if (color == Color) {
            Ident = QString::fromLatin1(name);
            return true;
        }
    return false;
}

bool IdentToColor(const QString& Ident, TColor& Color) {
    // The old names of two grey tones read as the same colours.
    if (Ident.compare(QLatin1String("clLtGray"), Qt::CaseInsensitive) == 0)
        Color = clLtGray;
    else if (Ident.compare(QLatin1String("clDkGray"), Qt::CaseInsensitive) == 0)
        Color = clDkGray;
    else {
        const auto found = std::find_if(std::begin(ColorNames), std::end(ColorNames), [&](const auto& entry) {
            return Ident.compare(QLatin1String(entry.second), Qt::CaseInsensitive) == 0;
        });
        if (found == std::end(ColorNames)) return false;
        Color = found->first;
    }
    return true;
}
