// The body type at the exact limits of its bands, and just inside and outside them, for infants,
// children and adults. Heights are chosen so that each limit is an exact binary number: 80 cm for
// infants (index = weight / 0.64), 125 cm for children (index = weight / 0.1953125) and 200 cm for
// adults (index = weight / 4). The reference weight R and the difference D = W - R are worked out
// beside each case.
#include "EnergyTargets.h"

#include <gtest/gtest.h>

namespace {

struct TCase {
    double Weight, Height, Age;
    const char* Caption;
    TColor Colour;
};

void Check(const TCase& c) {
    const TBodyType t = ClassifyBodyType(c.Weight, c.Height, c.Age);
    EXPECT_EQ(t.Caption, QString::fromUtf8(c.Caption)) << c.Weight << " kg " << c.Height << " cm " << c.Age;
    EXPECT_EQ(t.FontColor, c.Colour) << c.Caption;
}

}  // namespace

TEST(BodyTypeBands, AdultsByTheBodyMassIndex) {
    const TCase cases[] = {
        {73.96, 200, 30, "体型 消瘦  偏瘦：0KG", clYellow},  // B 18.49, R 18.5 x 4 = 74, D -0.04
        {60, 200, 30, "体型 消瘦  偏瘦：14KG", clYellow},    // B 15, D 60 - 74
        {74, 200, 30, "体型 正常", clBlack},                 // B 18.5
        {95.6, 200, 30, "体型 正常", clBlack},               // B 23.9
        {95.64, 200, 30, "体型 ", clBlack},                  // B 23.91: between the bands
        {95.96, 200, 30, "体型 ", clBlack},                  // B 23.99
        {96, 200, 30, "体型 偏胖  超重：0KG", clRed},        // B 24, R 23.9 x 4 = 95.6, D 0.4
        {111.6, 200, 30, "体型 偏胖  超重：16KG", clRed},    // B 27.9, D 16
        {111.64, 200, 30, "体型 ", clBlack},                 // B 27.91
        {112, 200, 30, "体型 肥胖  超重：16KG", clRed},      // B 28, D 16.4
        {120, 200, 30, "体型 肥胖  超重：24KG", clRed},      // B 30, D 24.4
    };
    for (const TCase& c : cases)
        Check(c);
}

TEST(BodyTypeBands, ChildrenFrom6To18ByWeightOverHeightCubed) {
    const TCase cases[] = {
        {17.9, 125, 10, "体型 消瘦  偏瘦：0KG", clYellow},       // I 91.65, R 92 x 0.1953125 = 17.97
        {15, 125, 10, "体型 消瘦  偏瘦：3KG", clYellow},         // I 76.8, D -2.97
        {17.96875, 125, 10, "体型 正常", clBlack},               // I 92
        {21.28, 125, 10, "体型 正常", clBlack},                  // I 108.95
        {21.2890625, 125, 10, "体型 优良", clBlack},             // I 109
        {27.34, 125, 10, "体型 优良", clBlack},                  // I 139.98
        {27.34375, 125, 10, "体型 ", clBlack},                   // I 140: no type
        {27.35, 125, 10, "体型 肥胖  超重：0KG", clRed},         // I 140.03, R 140 x 0.1953125 = 27.34
        {30.46, 125, 10, "体型 肥胖  超重：3KG", clRed},         // I 155.96, D 3.12
        {30.46875, 125, 10, "体型 过度肥胖  超重：3KG", clRed},  // I 156, D 3.125
        {35, 125, 10, "体型 过度肥胖  超重：8KG", clRed},        // I 179.2, D 7.66
    };
    for (const TCase& c : cases)
        Check(c);
}

TEST(BodyTypeBands, InfantsUnder6ByWeightOverHeightSquared) {
    const TCase cases[] = {
        {8.3, 80, 3, "体型 ", clBlack},                   // I 12.97: below every band
        {8.32, 80, 3, "体型 消瘦  偏瘦：1KG", clYellow},  // I 13, R 15 x 0.64 = 9.6, D -1.28
        {9.59, 80, 3, "体型 消瘦  偏瘦：0KG", clYellow},  // I 14.98, D -0.01
        {9.6, 80, 3, "体型 正常", clBlack},               // I 15
        {12.16, 80, 3, "体型 ", clBlack},                 // I 19: no type
        {12.17, 80, 3, "体型 优良", clBlack},             // I 19.02
        {14.08, 80, 3, "体型 ", clBlack},                 // I 22: no type
        {14.1, 80, 3, "体型 肥胖  超重：0KG", clRed},     // I 22.03, R 22 x 0.64 = 14.08, D 0.02
        {16, 80, 3, "体型 肥胖  超重：2KG", clRed},       // I 25, D 1.92
    };
    for (const TCase& c : cases)
        Check(c);
}

TEST(BodyTypeBands, TheAgeChoosesTheRuleAt6And18) {
    // 16 kg at 80 cm: infant index 25, child index 312.5 (R 140 x 0.0512 = 7.168), adult B 25
    // (R 23.9 x 0.64 = 15.296).
    const TCase cases[] = {
        {16, 80, 5.99, "体型 肥胖  超重：2KG", clRed},   // D 1.92
        {16, 80, 6, "体型 过度肥胖  超重：9KG", clRed},  // D 8.83
        {16, 80, 17.99, "体型 过度肥胖  超重：9KG", clRed},
        {16, 80, 18, "体型 偏胖  超重：1KG", clRed},  // D 0.70
    };
    for (const TCase& c : cases)
        Check(c);
}
