// The logged-in user's energy target and reference intakes, from the data module's fields.
#include "EnergyTargets.h"
#include "GetPY.h"
#include "UintDM.h"

#include <initializer_list>

namespace {

// Copies fields from `first` on into the results; nothing when no row matched.
void TakeFields(const QStringList& row, int first, std::initializer_list<QString*> results) {
    if (row.isEmpty()) return;
    int i = first;
    for (QString* r : results) *r = row.value(i++);
}

const QStringList* SexRows(const QString& sex, const QStringList& (*table)(bool)) {
    if (sex == QStringLiteral("男")) return &table(true);
    if (sex == QStringLiteral("女")) return &table(false);
    return nullptr;
}

}  // namespace

double TDM::CalcBMR() const { return BasalMetabolicRate(Sex, TZ, SG, Age); }

double TDM::CalcKcalByActivity() const { return CalcBMR() * ActivityFactor(StrToInt(HT)); }

double TDM::LookupDailyKcal() const {
    const QStringList row = MatchEnergyRow(EnergyRefTable(Sex), Age, HT);
    return row.isEmpty() ? 0 : StrToFloat(row[3]);
}

double TDM::GetDailyKcal(int mode) const {
    switch (mode) {
    case 1: return LookupDailyKcal();
    case 2: return CalcKcalByActivity();
    default: return 0;
    }
}

void TDM::GetEnergyNeeds(const QString& sex, const QString& level, double age, QString& kcal, QString& protein,
                         QString& fat, QString& carbohydrate) const {
    TakeFields(MatchEnergyRow(EnergyRefTable(sex), age, level), 3, {&kcal, &protein, &fat, &carbohydrate});
}

void TDM::GetVitaminNeeds(const QString& sex, double age, QString& vitaminA, QString& thiamine, QString& riboflavin,
                          QString& vitaminC, QString& vitaminE) const {
    if (const QStringList* rows = SexRows(sex, VitaminRefTable))
        TakeFields(MatchAgeRow(*rows, age), 2, {&vitaminA, &thiamine, &riboflavin, &vitaminC, &vitaminE});
}

void TDM::GetMineralNeeds(const QString& sex, double age, QString& phosphorus, QString& potassium, QString& sodium,
                          QString& magnesium, QString& calcium, QString& iron, QString& copper, QString& zinc,
                          QString& selenium) const {
    if (const QStringList* rows = SexRows(sex, MineralRefTable))
        TakeFields(MatchAgeRow(*rows, age), 2,
                   {&phosphorus, &potassium, &sodium, &magnesium, &calcium, &iron, &copper, &zinc, &selenium});
}

QString TDM::FormatAge(TDateTime birthDate) const { return AgeText(birthDate, Date()); }

QString TDM::GetPYText(const QString& text) const { return GetPYInitials(text, QString()); }
