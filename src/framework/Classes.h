// Base classes: TObject, TPersistent, TComponent (the owner tree, its state and notifications) and
// the string list.
#pragma once

#include <QMultiHash>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <utility>
#include <vector>

// The root of the objects the program hangs on list items, tree nodes and events.
class TObject {
public:
    virtual ~TObject() = default;
};

using TNotifyEvent = std::function<void(TObject* Sender)>;

// What a sorted list does with a value it already holds.
enum TDuplicates { dupIgnore, dupAccept, dupError };

class TFiler;
class TReader;
class TWriter;
class TBasicAction;

// An object whose values can be copied from another and streamed.
class TPersistent : public TObject {
public:
    // Copies Source's values; a pair of classes that cannot be copied raises EConvertError.
    virtual void Assign(TPersistent* Source);

protected:
    // The other direction: Assign asks the source when the destination does not know it.
    virtual void AssignTo(TPersistent* Dest);
    // Streams values that are no published property: names of earlier versions read and dropped,
    // derived data (TFiler::DefineProperty).
    virtual void DefineProperties(TFiler*) {}
    friend class TReader;
    friend class TWriter;
};

// What a component is going through.
using TComponentState = unsigned;
enum : unsigned {
    csLoading = 0x1,     // read from a stream; Loaded has not run yet
    csReading = 0x2,     // its values are being read
    csWriting = 0x4,     // its values are being written
    csDestroying = 0x8,  // being freed
    csDesigning = 0x10,  // in a form designer (tests set it)
    csUpdating = 0x40,   // its values change from a stream
    csFixups = 0x80      // references to other components wait to be resolved
};

enum TOperation { opInsert, opRemove };

// A component belongs to its owner, which frees it; it has a name and a free integer Tag.
// Components that hold references to others ask for a free notification and clear the reference
// in Notification (opRemove); the owner's components hear of every component it loses, and those
// that asked (WantInsertNotifications) of every component it gains.
class TComponent : public QObject, public TPersistent {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName STORED false)
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)
    Q_CLASSINFO("Tag", "= 0")
public:
    explicit TComponent(TComponent* AOwner = nullptr);
    ~TComponent() override;

    TComponent* Owner() const { return FOwner; }
    QString Name() const { return objectName(); }
    void SetName(const QString& name);
    int Tag() const { return FTag; }
    void SetTag(int tag) { FTag = tag; }

    int ComponentCount() const { return int(FComponents.size()); }
    TComponent* Components(int index) const { return FComponents.at(index); }
    // The owned component with this name (case-insensitive), the first one when several share it, or
    // nullptr. Found through an index of the names, so a form of many components is read in linear time.
    TComponent* FindComponent(const QString& name) const;
    // Frees every owned component, newest first.
    void DestroyComponents();
    // Takes AComponent over from its owner (opRemove there, opInsert here).
    void InsertComponent(TComponent* AComponent);
    // Lets an owned component go without freeing it.
    void RemoveComponent(TComponent* AComponent);

    TComponentState ComponentState() const { return FComponentState; }
    // Marks the component, and with SetChildren every owned one, as being designed.
    void SetDesigning(bool Value, bool SetChildren = true);
    // A change from a stream begins and ends (csUpdating).
    virtual void Updating() { FComponentState |= csUpdating; }
    virtual void Updated() { FComponentState &= ~csUpdating; }

    // Both components hear (Notification, opRemove) when the other goes.
    void FreeNotification(TComponent* AComponent);
    void RemoveFreeNotification(TComponent* AComponent);

    // Carries out an action aimed at this component; false when the action does not handle it.
    virtual bool ExecuteAction(TBasicAction* Action);

    // Streaming: the reader hands the component its values; the writer asks which children to write
    // after it and whether a parent writes it instead of its owner.
    virtual void ReadState(TReader& Reader);
    virtual void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root);
    virtual bool HasParent() const { return false; }
    virtual TComponent* GetParentComponent() const { return nullptr; }
    virtual void SetParentComponent(TComponent*) {}

protected:
    // After reading: every value and child is there and references are resolved.
    virtual void Loaded();
    virtual void Notification(TComponent* AComponent, TOperation Operation);
    // Framework use: the state flags the reader and writer set and clear.
    void SetComponentState(TComponentState State) { FComponentState = State; }
    // A component whose Notification looks at insertions asks for them, before the owner gains more
    // components: the owner tells only such components of a new one, so that a form of many
    // components is built in linear time.
    void WantInsertNotifications();
    // The constructor tells the owner's components of a new one while only its TComponent part
    // exists: a class whose listeners look at what it is tells them again at the end of its own
    // constructor, when the object is whole.
    void NotifyInserted();
    // The destructor tells those who asked, and the owner's components, once only the TComponent
    // part is left: a class whose listeners touch it calls this first thing in its own destructor,
    // so they are told while it is whole (it then leaves its owner).
    void BeginDestruction();

private:
    void Destroying();
    void SendRemoveToFreeNotifies();
    void DropInsertListener(TComponent* AComponent);
    void IndexName(TComponent* AComponent);
    void UnindexName(TComponent* AComponent);
    TComponent* FOwner = nullptr;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FInsertListeners;  // the owned components that want insertions, in order
    std::vector<TComponent*> FFreeNotifies;
    QMultiHash<QString, TComponent*> FNames;  // the owned components by case-folded name
    bool FWantsInserts = false;
    int FTag = 0;
    TComponentState FComponentState = 0;
    friend class TReader;
    friend class TWriter;
};

// An ordered list of texts, each with an optional object that the list does not own.
class TStringList : public TObject {
public:
    int Count() const { return int(FItems.size()); }
    int Add(const QString& s) { return AddObject(s, nullptr); }
    int AddObject(const QString& s, TObject* object);
    void Insert(int index, const QString& s, TObject* object = nullptr);
    void Delete(int index);
    void Clear();
    int IndexOf(const QString& s) const;

    const QString& Strings(int index) const;
    QString& operator[](int index);
    const QString& operator[](int index) const { return Strings(index); }
    void SetStrings(int index, const QString& s);
    TObject* Objects(int index) const;
    void SetObjects(int index, TObject* object);

    // The lines joined with line ends; setting it splits at "\n" ("\r\n" accepted).
    QString Text() const;
    void SetText(const QString& text);
    QStringList ToQStringList() const;
    void Assign(const QStringList& lines);

    // UTF-8, written whole or not at all (FileReplace.h); raises EFCreateError when it cannot be written
    // and leaves the old file as it was.
    void SaveToFile(const QString& fileName) const;
    void LoadFromFile(const QString& fileName);      // raises Exception when it cannot be read

    // Called after every change, so a control can show the list.
    std::function<void()> OnChange;
    // Called before OnChange with what changed, so a control can follow the items one by one:
    // `removed` items from `index` on gave way to `inserted` new ones (both 0: the item at `index`
    // changed in place).
    std::function<void(int index, int removed, int inserted)> OnSplice;

private:
    void Changed() {
        if (OnChange) OnChange();
    }
    void Spliced(int index, int removed, int inserted) {
        if (OnSplice) OnSplice(index, removed, inserted);
        Changed();
    }
    std::vector<std::pair<QString, TObject*>> FItems;
};
