#include "Classes.h"
#include "SysUtils.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(TComponent, OwnerFreesOwnedComponentsAndFindsThemByName) {
    static int freed = 0;
    struct TProbe : TComponent {
        using TComponent::TComponent;
        ~TProbe() override { ++freed; }
    };
    freed = 0;
    auto* owner = new TComponent;
    auto* a = new TProbe(owner);
    a->SetName("btnOK");
    auto* b = new TProbe(owner);
    delete b;  // a component freed early leaves its owner's list
    EXPECT_EQ(owner->ComponentCount(), 1);
    EXPECT_EQ(owner->FindComponent("BTNOK"), a);
    EXPECT_EQ(owner->FindComponent("none"), nullptr);
    delete owner;
    EXPECT_EQ(freed, 2);
}

TEST(TStringList, LinesObjectsAndFiles) {
    TStringList list;
    TObject tag;
    int changes = 0;
    list.OnChange = [&] { ++changes; };
    list.Add("a");
    list.AddObject("b", &tag);
    list.Insert(0, "z");
    EXPECT_EQ(list.Text(), "z\na\nb\n");
    EXPECT_EQ(list.Objects(2), &tag);
    EXPECT_EQ(list.IndexOf("A"), 1);
    EXPECT_THROW(list.Strings(3), Exception);
    list.Delete(0);
    EXPECT_EQ(changes, 4);
    QTemporaryDir dir;
    list.SaveToFile(dir.filePath("out.txt"));
    TStringList back;
    back.LoadFromFile(dir.filePath("out.txt"));
    EXPECT_EQ(back.ToQStringList(), QStringList({"a", "b"}));
    back.SetText("x\r\ny\r\n");
    EXPECT_EQ(back.Count(), 2);
    EXPECT_THROW(list.SaveToFile("/nonexistent-folder/x.txt"), Exception);
}
