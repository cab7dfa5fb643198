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

namespace {
// Records the notifications it hears.
struct TListener : TComponent {
    using TComponent::TComponent;
    QStringList Heard;
    void Notification(TComponent* AComponent, TOperation Operation) override {
        TComponent::Notification(AComponent, Operation);
        Heard << QString(Operation == opInsert ? "+" : "-") + AComponent->Name();
    }
};
}  // namespace

TEST(TComponent, TheOwnersComponentsHearOfEveryComponentItGainsOrLoses) {
    TComponent form;
    auto* listener = new TListener(&form);
    auto* a = new TComponent(&form);  // named after the insertion, so the notice carries no name
    a->SetName("a");
    TComponent other;
    other.InsertComponent(a);  // moves: the old owner's components hear it leave
    EXPECT_EQ(a->Owner(), &other);
    EXPECT_EQ(form.ComponentCount(), 1);
    form.InsertComponent(a);
    delete a;
    EXPECT_EQ(listener->Heard, QStringList({"+", "-a", "+a", "-a"}));
    EXPECT_EQ(form.ComponentCount(), 1);
}

TEST(TComponent, AFreeNotificationTellsEachOfThePairWhenTheOtherGoes) {
    auto* holder = new TListener;
    auto* held = new TListener;
    holder->SetName("holder");
    held->SetName("held");
    holder->FreeNotification(held);
    delete held;
    EXPECT_EQ(holder->Heard, QStringList({"-held"}));
    auto* second = new TListener;
    second->SetName("second");
    holder->FreeNotification(second);
    holder->RemoveFreeNotification(second);  // both directions end
    delete second;
    auto* third = new TListener;
    holder->FreeNotification(third);
    delete holder;
    EXPECT_EQ(third->Heard, QStringList({"-holder"}));
    delete third;
}

TEST(TComponent, DesigningAndDestroyingReachTheOwnedComponents) {
    static TComponentState seenWhileFreed = 0;
    struct TWatcher : TComponent {
        using TComponent::TComponent;
        ~TWatcher() override { seenWhileFreed = ComponentState(); }
    };
    auto* owner = new TComponent;
    auto* child = new TWatcher(owner);
    owner->SetDesigning(true);
    EXPECT_TRUE(child->ComponentState() & csDesigning);
    owner->SetDesigning(false, false);
    EXPECT_FALSE(owner->ComponentState() & csDesigning);
    EXPECT_TRUE(child->ComponentState() & csDesigning);
    delete owner;
    EXPECT_TRUE(seenWhileFreed & csDestroying);
}

TEST(TPersistent, AssigningUnrelatedClassesRaises) {
    TComponent a, b;
    EXPECT_THROW(a.Assign(&b), EConvertError);
}
