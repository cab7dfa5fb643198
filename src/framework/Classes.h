// Base classes: TObject, TComponent (the owner tree) and the string list.
#pragma once

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

// What a component is told about another: it joined or is leaving.
enum TOperation { opInsert, opRemove };
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

// A component belongs to its owner, which frees it; it has a name and a free integer Tag.
class TComponent : public QObject, public TObject {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)
public:
    explicit TComponent(TComponent* AOwner = nullptr);
    ~TComponent() override;

    TComponent* Owner() const { return FOwner; }
    QString Name() const { return objectName(); }
    void SetName(const QString& name) { setObjectName(name); }
    int Tag() const { return FTag; }
    void SetTag(int tag) { FTag = tag; }

    int ComponentCount() const { return int(FComponents.size()); }
    TComponent* Components(int index) const { return FComponents.at(index); }
    // The owned component with this name (case-insensitive), or nullptr.
    TComponent* FindComponent(const QString& name) const;
    // Frees every owned component, newest first.
    void DestroyComponents();

    TComponentState ComponentState() const { return FComponentState; }
    // Marks the component, and with SetChildren every owned one, as being designed (tests only: there
    // is no designer here).
    void SetDesigning(bool Value, bool SetChildren = true);
    // Called once the component's properties have been read; ends the loading state.
    virtual void Loaded();

    // Told when a component joins or leaves this one's owner (the owner passes it to everything it
    // owns), and when a component this one asked about is freed.
    virtual void Notification(TComponent* AComponent, TOperation Operation);
    // AComponent is told (opRemove) when this component is freed, and the other way round.
    void FreeNotification(TComponent* AComponent);
    void RemoveFreeNotification(TComponent* AComponent);

protected:
    // Tells the owner's components that this one has joined (opInsert). A class whose listeners look
    // at what it is calls it at the end of its constructor, when the object is whole.
    void NotifyInserted();
    // Marks the component as being destroyed and tells those who asked and the owner's components
    // (opRemove). The destructor does it too, but then only the TComponent part is left: a class whose
    // listeners touch it calls it first thing in its own destructor.
    void Destroying();

private:
    TComponent* FOwner = nullptr;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;
    int FTag = 0;
    TComponentState FComponentState = 0;
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

    void SaveToFile(const QString& fileName) const;  // UTF-8; raises Exception when it cannot be written
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
