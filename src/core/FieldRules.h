// What the typed fields may hold before anything reaches the database or the settings file: names fit
// their columns, texts hold no control characters, numbers are finite and within their field's limits.
#pragma once

#include <QString>

// The longest names the tables take, in characters: what the windows show whole (a recipe's or set
// meal's title beside its links, an activity in its check list).
namespace NameLength {
inline constexpr int User = 20;      // UInfo.UName
inline constexpr int Login = 20;     // UInfo.UName1
inline constexpr int Recipe = 16;    // SPInfo.SPName
inline constexpr int SetMeal = 16;   // SPTC.SPName
inline constexpr int Activity = 14;  // SpSet.tit
}  // namespace NameLength

// Why a one-line text cannot be stored, named by its field's caption ("登陆名称"), or "" when it can:
// it holds a control character (a pasted line break, a NUL), or more than `maxLength` characters
// (no limit when 0).
QString TextFieldRefusal(const QString& caption, const QString& text, int maxLength = 0);
// The same for a text of several lines: line breaks and tabs belong to it, other control characters not.
QString MultiLineFieldRefusal(const QString& caption, const QString& text);

// The values a number field takes: above Min (or from it, when MinIncluded) up to Max.
struct TNumberRange {
    double Min;
    bool MinIncluded;
    double Max;
};
inline constexpr TNumberRange HeightRange{0, false, 250};        // cm
inline constexpr TNumberRange WeightRange{3.0, true, 1000};      // kg
// Grams eaten and minutes of activity: the records keep one decimal, so less than 0.1 is nothing.
inline constexpr TNumberRange AmountRange{0.1, true, 100000};
inline constexpr TNumberRange ActivityRateRange{0, false, 100};  // kcal per minute

// Reads a typed number once: "." is the decimal point, nothing else stands between its digits (so
// "1,5" is no number rather than 15); an infinity, or a value outside `range`, gives false too.
bool ParseFieldNumber(const QString& text, const TNumberRange& range, double& value);
