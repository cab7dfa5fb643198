#include "StreamProbes.h"

#include <gtest/gtest.h>

namespace {
struct TypInfo : testing::Test {
    void SetUp() override { RegisterProbeTypes(); }
};
}  // namespace

TEST_F(TypInfo, PublishedPropertiesKeepTheirDeclarationOrderKindsAndDefaults) {
    TProbe probe;
    const auto& list = GetPropList(probe.metaObject());
    QStringList names;
    for (const TPropInfo& info : list)
        names << info.Name;
    // QObject's own objectName is not published; TComponent's come first.
    EXPECT_EQ(names, QStringList({"Name", "Tag", "Count", "Shape", "Styles", "Tint", "Text", "Active",
                                  "Ratio", "Buddy", "Hidden", "Guarded", "Notes"}));
    EXPECT_EQ(GetPropInfo(&probe, "shape")->Kind, tkEnumeration);  // names in any case
    EXPECT_EQ(GetPropInfo(&probe, "Styles")->Kind, tkSet);
    EXPECT_TRUE(GetPropInfo(&probe, "Tint")->IsColor);
    EXPECT_EQ(GetPropInfo(&probe, "Tint")->DefaultOrd, qint64(clBtnFace));
    EXPECT_EQ(GetPropInfo(&probe, "Active")->Kind, tkEnumeration);
    EXPECT_EQ(GetPropInfo(&probe, "Buddy")->Kind, tkClass);
    EXPECT_EQ(GetPropInfo(&probe, "Notes")->Kind, tkUnknown);
    EXPECT_FALSE(IsPublishedProp(&probe, "objectName"));
    EXPECT_FALSE(IsPublishedProp(&probe, "Nothing"));
    // A subclass gives Count another default.
    TProbeChild child;
    EXPECT_EQ(GetPropInfo(&child, "Count")->DefaultOrd, 7);
    EXPECT_EQ(GetPropInfo(&probe, "Count")->DefaultOrd, 3);
}

// A declaration naming what does not exist is a fault told when the class is first described.
TEST_F(TypInfo, ADeclarationNamingWhatDoesNotExistIsRefused) {
    TMisdeclaredProbe misdeclared;
    TUnnamedEnumProbe unnamed;
    const std::pair<QObject*, const char*> cases[] = {{&misdeclared, "clOrange"}, {&unnamed, "Size"}};
    for (const auto& [object, named] : cases) {
        try {
            GetPropList(object->metaObject());
            ADD_FAILURE() << named;
        } catch (const EPropertyError& e) {
            EXPECT_TRUE(e.Message().contains(named)) << qPrintable(e.Message());
        }
    }
}

TEST_F(TypInfo, ValuesAreReadAndWrittenByNameInTheirTextForms) {
    TProbe probe;
    SetEnumProp(&probe, "Shape", "SHSTAR");
    EXPECT_EQ(probe.Shape(), shStar);
    EXPECT_EQ(GetEnumProp(&probe, "Shape"), "shStar");
    SetEnumProp(&probe, "Shape", "shRound");  // the first name, ordinal 0
    EXPECT_EQ(probe.Shape(), shRound);
    EXPECT_EQ(GetEnumProp(&probe, "Shape"), "shRound");
    SetOrdProp(&probe, "Shape", 3);
    EXPECT_EQ(GetEnumProp(&probe, "Shape"), "");  // a value past the names has none
    SetSetProp(&probe, "Styles", "[fsUnderline, fsBold]");
    EXPECT_EQ(probe.Styles(), FontStyle(fsBold) | FontStyle(fsUnderline));
    EXPECT_EQ(GetSetProp(&probe, "Styles", true), "[fsBold, fsUnderline]");
    EXPECT_EQ(GetSetProp(&probe, "Styles"), "fsBold, fsUnderline");
    probe.SetStyles(FontStyle(fsBold) | 0x30);  // the bits past the four styles have no name
    EXPECT_EQ(GetSetProp(&probe, "Styles", true), "[fsBold]");
    SetSetProp(&probe, "Styles", "[fsUnderline, fsBold]");
    SetOrdProp(&probe, "Tint", clInfoBk);
    EXPECT_EQ(probe.Tint(), clInfoBk);
    EXPECT_EQ(GetOrdProp(&probe, "Tint"), qint64(clInfoBk));
    SetOrdProp(&probe, "Active", 1);
    EXPECT_TRUE(probe.Active());
    EXPECT_EQ(GetOrdProp(&probe, "Active"), 1);
    EXPECT_EQ(GetEnumProp(&probe, "Active"), "True");
    SetStrProp(&probe, "Text", "食物");
    EXPECT_EQ(GetStrProp(&probe, "Text"), "食物");
    TProbe buddy;
    SetObjectProp(&probe, "Buddy", &buddy);
    EXPECT_EQ(GetObjectProp(&probe, "Buddy"), &buddy);

    EXPECT_THROW(SetOrdProp(&probe, "Nothing", 1), EPropertyError);
    EXPECT_THROW(SetStrProp(&probe, "Count", "many"), EPropertyError);
    EXPECT_THROW(SetOrdProp(&probe, "Tint", std::int64_t(1) << 32), EPropertyError);  // 33 bits
    EXPECT_EQ(probe.Tint(), clInfoBk);
    EXPECT_THROW(SetEnumProp(&probe, "Shape", "shCircle"), EPropertyError);
    EXPECT_THROW(SetSetProp(&probe, "Styles", "[fsBold, fsWide]"), EPropertyError);
    EXPECT_EQ(probe.Styles(), FontStyle(fsBold) | FontStyle(fsUnderline));  // a bad set changes nothing
}

TEST_F(TypInfo, ColoursHaveTheirConstantNames) {
    QString ident;
    EXPECT_TRUE(ColorToIdent(clBtnFace, ident));
    EXPECT_EQ(ident, "clBtnFace");
    EXPECT_FALSE(ColorToIdent(RGB(1, 2, 3), ident));
    TColor color = 0;
    EXPECT_TRUE(IdentToColor("CLHIGHLIGHT", color));
    EXPECT_EQ(color, clHighlight);
    EXPECT_TRUE(IdentToColor("clLtGray", color));
    EXPECT_EQ(color, clSilver);
    EXPECT_FALSE(IdentToColor("clPink", color));
}

TEST_F(TypInfo, AStreamStoresOnlyWhatDiffersFromTheDefaultAndWhatThePredicatesAllow) {
    TProbe probe;
    const TPropTarget target(&probe);
    auto stored = [&](const char* name) { return IsStoredProp(target, *GetPropInfo(&probe, name)); };
    for (const char* name : {"Name", "Tag", "Count", "Shape", "Styles", "Tint", "Text", "Active", "Ratio", "Buddy",
                             "Guarded"})
        EXPECT_FALSE(stored(name)) << name;
    probe.SetName("p");  // written in the object's head, never as a property
    probe.SetCount(4);
    probe.SetStyles(FontStyle(fsItalic));
    probe.SetText("x");
    probe.SetRatio(2);
    probe.SetBuddy(&probe);
    probe.SetHidden(5);
    probe.SetGuarded(6);
    for (const char* name : {"Count", "Styles", "Text", "Ratio", "Buddy", "Guarded"})
        EXPECT_TRUE(stored(name)) << name;
    EXPECT_FALSE(stored("Name"));
    EXPECT_FALSE(stored("Hidden"));  // STORED false
    probe.StoreGuarded = false;
    EXPECT_FALSE(stored("Guarded"));
    // The default of the class of the instance counts: 3 is no default for a TProbeChild.
    TProbeChild child;
    child.SetCount(3);
    EXPECT_TRUE(IsStoredProp(TPropTarget(&child), *GetPropInfo(&child, "Count")));
}
