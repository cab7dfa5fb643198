// The food table the program carries against the published composition table it was made from, read
// in place: every food's code, name and 30 values, so stale or shifted data shows.
#include "FoodTable.h"
#include "SharedData.h"

#include <QFile>
#include <gtest/gtest.h>

TEST(PublishedFoods, EveryFoodHasThePublishedCodeNameAndValues) {
    const QString path = QStringLiteral(VELORIA_SOURCE_DIR "/../shared/data/food-composition.tsv");
    REQUIRE_SHARED_DATA(path);
    QFile published(path);
    ASSERT_TRUE(published.open(QIODevice::ReadOnly)) << published.errorString().toStdString();
    LoadFoodTables();
    const QStringList lines =
        QString::fromUtf8(published.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size() - 1, 1849);  // a header, then one food a line, ids from 1 in this order
    for (int id = 1; id < lines.size(); ++id) {
        const QStringList cells = lines[id].split(QLatin1Char('\t'));
        const TFdRcd& food = FoodByID(id);
        ASSERT_EQ(food.Code, cells[0].trimmed()) << id;
        ASSERT_EQ(food.Name, cells[1].trimmed()) << id;
        for (int k = 0; k < FoodValueCount; ++k) {
            const QString cell = cells[2 + k].trimmed();
            const double expected = cell.isEmpty() ? -1 : cell.toDouble();  // empty: no value
            ASSERT_EQ(food.Values[k], expected) << id << " " << food.Name.toStdString() << " value " << k;
        }
    }
}
