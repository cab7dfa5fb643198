// Reading typed dates: 100 000 texts of the shapes people type (separated, compact, with month
// names, two-digit years, blanks), read in the program's locale against a fixed today.
#include "SkPopupsParsing.h"

#include <QRandomGenerator>
#include <benchmark/benchmark.h>
#include <vector>

namespace {
std::vector<QString> DateTexts(int count) {
    QRandomGenerator random(100000);
    std::vector<QString> texts;
    texts.reserve(count);
    for (int i = 0; i < count; ++i) {
        const int y = 1950 + int(random.bounded(100)), m = 1 + int(random.bounded(12)),
                  d = 1 + int(random.bounded(28));
        switch (i % 6) {
        case 0:
            texts.push_back(QStringLiteral("%1-%2-%3").arg(y).arg(m).arg(d));
            break;
        case 1:
            texts.push_back(QStringLiteral("%1%2%3")
                                .arg(y % 100, 2, 10, QChar(u'0'))
                                .arg(m, 2, 10, QChar(u'0'))
                                .arg(d, 2, 10, QChar(u'0')));
            break;
        case 2:
            texts.push_back(QStringLiteral("%1 %2").arg(USEnglishMonthNames()[m - 1]).arg(d));
            break;
        case 3:
            texts.push_back(QStringLiteral("%1.%2").arg(m).arg(d));
            break;
        case 4:
            texts.push_back(QStringLiteral(" %1 / %2 / %3 ").arg(y % 100).arg(m).arg(d));
            break;
        default:
            texts.push_back(QStringLiteral("%1年%2月%3日").arg(y).arg(m).arg(d));
        }
    }
    return texts;
}

void ParseHundredThousandDateTexts(benchmark::State& state) {
    const std::vector<QString> texts = DateTexts(100000);
    const TSkDateTimeLocale& locale = ProgramDateTimeLocale();
    const QDate today(2026, 3, 17);
    for (auto _ : state) {
        int valid = 0;
        for (const QString& text : texts) {
            TDateTime date = 0;
            valid += ParseDateText(text, date, locale, today);
        }
        benchmark::DoNotOptimize(valid);
    }
}
BENCHMARK(ParseHundredThousandDateTexts)->Unit(benchmark::kMillisecond);
}  // namespace
