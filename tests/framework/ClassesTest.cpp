#include "Classes.h"
#include "SysUtils.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <utility>

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
// Records the notifications it hears: removals always, insertions when it asks for them.
struct TListener : TComponent {
    explicit TListener(TComponent* AOwner = nullptr, bool HearInsertions = true) : TComponent(AOwner) {
        if (HearInsertions) WantInsertNotifications();
    }
    QStringList Heard;
    void Notification(TComponent* AComponent, TOperation Operation) override {
        TComponent::Notification(AComponent, Operation);
        Heard << QString(Operation == opInsert ? "+" : "-") + AComponent->Name();
    }
};
}  // namespace

TEST(TComponent, TheOwnersComponentsHearOfEveryComponentItGainsOrLoses) {
    TComponent form;
    auto* removalsOnly = new TListener(&form, false);
    auto* listener = new TListener(&form);
    auto* a = new TComponent(&form);  // named after the insertion, so the notice carries no name
    a->SetName("a");
    TComponent other;
    other.InsertComponent(a);  // moves: the old owner's components hear it leave
    EXPECT_EQ(a->Owner(), &other);
    EXPECT_EQ(form.ComponentCount(), 2);
    form.InsertComponent(a);
    delete a;
    EXPECT_EQ(listener->Heard, QStringList({"+", "-a", "+a", "-a"}));
    EXPECT_EQ(removalsOnly->Heard, QStringList({"-a", "-a"}));
    EXPECT_EQ(form.ComponentCount(), 2);
    // A listener that leaves its owner hears no more of it.
    other.InsertComponent(listener);
    const QStringList heardBefore = listener->Heard;
    new TComponent(&form);
    EXPECT_EQ(listener->Heard, heardBefore);
    new TComponent(&other);  // its new owner's insertions it hears
    EXPECT_EQ(listener->Heard.size(), heardBefore.size() + 1);
}

TEST(TComponent, AHearerMayFreeOtherComponentsWhileHearing) {
    struct TFreer : TListener {
        using TListener::TListener;
        TComponent* Victim = nullptr;
        void Notification(TComponent* AComponent, TOperation Operation) override {
            TListener::Notification(AComponent, Operation);
            if (Operation == opRemove) delete std::exchange(Victim, nullptr);
        }
    };
    TComponent form;
    auto* first = new TListener(&form);
    auto* victim = new TListener(&form);
    auto* freer = new TFreer(&form);
    auto* last = new TListener(&form);
    freer->Victim = victim;
    auto* leaving = new TComponent(&form);
    leaving->SetName("x");
    delete leaving;  // heard newest first: last, then freer frees victim, then first
    EXPECT_EQ(last->Heard.count("-x"), 1);
    EXPECT_EQ(first->Heard.count("-x"), 1);
    EXPECT_EQ(form.ComponentCount(), 3);
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
