// Daily energy targets, reference daily intakes by age and sex, and the body type from weight,
// height and age.
#pragma once

#include "Graphics.h"
#include "SysUtils.h"

#include <QString>
#include <QStringList>

// The reference rows as stored: fields separated by "|".
// Energy: lo, hi, activity level, kcal, protein, fat, carbohydrate; the male list for "男", the
// female list for any other sex.
const QStringList& EnergyRefTable(const QString& sex);
// Vitamins: lo, hi, vitamin A, thiamine, riboflavin, vitamin C, vitamin E.
const QStringList& VitaminRefTable(bool male);
// Minerals: lo, hi, phosphorus, potassium, sodium, magnesium, calcium, iron, copper, zinc, selenium.
const QStringList& MineralRefTable(bool male);

// The fields of the first row with lo < age <= hi, or an empty list.
QStringList MatchAgeRow(const QStringList& rows, double age);
// The same, and the row's activity level equals `level` exactly.
QStringList MatchEnergyRow(const QStringList& rows, double age, const QString& level);

// The basal metabolic rate in kcal a day; 0 when the weight text is empty or "0", or the sex is
// neither "男" nor "女". Raises EConvertError on a number text that does not convert.
double BasalMetabolicRate(const QString& sex, const QString& weight, const QString& height, double age);
// The factor of an activity level 0..3; 0 for any other level.
double ActivityFactor(int level);

// Whole years between the years of birth and of `today`, followed by "岁"; within the year of
// birth, the whole months since the birth date, followed by "月".
QString AgeText(TDateTime birthDate, TDateTime today);

// The body-type caption and its font colour as the main window shows them: red above the
// reference weight, yellow below it, black otherwise.
struct TBodyType {
    QString Caption;
    TColor FontColor = clBlack;
};
// Weight in kg, height in cm, age in years. A weight or height of 0 gives "体型 " alone.
TBodyType ClassifyBodyType(double weight, double height, double age);
// The same from the profile's texts: an empty text counts as 0; a malformed one raises EConvertError.
TBodyType ClassifyBodyType(const QString& weight, const QString& height, double age);
