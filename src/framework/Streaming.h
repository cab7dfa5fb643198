// Components in the text form of forms: each component a block
//     object Name: TClass
//       Prop = value
//       Sub.Prop = value
//       object Child: TClass
//       end
//     end
// with values as integers (12, -3, $FF), floats (1.5), strings ('it''s', #13), identifiers (clBlue,
// True, another component's name), sets ([sdLeft, sdTop]) and lists (('a' 'b')). The writer stores
// what IsStoredProp allows, then what DefineProperties adds, then the children; the reader makes
// registered classes by name, sets the published properties, hands other names to DefineProperties
// and resolves references to components once everything is read, and then calls Loaded on every
// component it read.
//
// The reader trusts no text: objects and values nest at most MaxNesting levels deep, a component
// appears once and never inside itself, an integer must fit its property, a date must lie in the
// calendar (0001-01-01..9999-12-31), and a property's own refusal comes back as EReadError with
// the line.
#pragma once

#include "Classes.h"
#include "Streams.h"
#include "SysUtils.h"

#include <QMetaObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

struct TPropInfo;
struct TPropTarget;

// Reading a text form raises EReadError (Streams.h) for a text that does not fit the components.
class EFilerError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
class EClassNotFound : public EFilerError {
public:
    using EFilerError::EFilerError;
};

// The classes a reader can make by name.
using TComponentFactory = std::function<TComponent*(TComponent* Owner)>;
void RegisterClass(const QMetaObject& Meta, const TComponentFactory& Factory);
template <class TClass> void RegisterClass() {
    RegisterClass(TClass::staticMetaObject, [](TComponent* owner) { return new TClass(owner); });
}
bool IsClassRegistered(const QString& ClassName);

using TReaderProc = std::function<void(TReader& Reader)>;
using TWriterProc = std::function<void(TWriter& Writer)>;

class TFiler {
public:
    virtual ~TFiler() = default;
    // The component whose children are being streamed: their owner.
    TComponent* Root() const { return FRoot; }
    // A value under a name that is no published property. Reading: when the property being read has
    // this name, ReadData reads its value. Writing: when HasData, the name and what WriteData writes.
    virtual void DefineProperty(const QString& Name, const TReaderProc& ReadData,
                                const TWriterProc& WriteData, bool HasData) = 0;

protected:
    TComponent* FRoot = nullptr;
};

// The kind of the next value in a stream.
enum TValueType { vaNull, vaList, vaInt, vaExtended, vaString, vaIdent, vaFalse, vaTrue, vaNil, vaSet };

class TReader : public TFiler {
public:
    // How deep objects may nest in objects, and lists in lists.
    static constexpr int MaxNesting = 256;

    // Reads `Text`; a root made by the reader gets Owner as its owner and Parent as its parent.
    explicit TReader(const QString& Text, TComponent* Owner = nullptr, TComponent* Parent = nullptr);
    ~TReader() override;

    // Reads the text's one component: into Root when given, else into a new component of the class
    // the text names. Raises EReadError (with the line) or EClassNotFound; the components the reader
    // made are freed again then.
    TComponent* ReadRootComponent(TComponent* Root = nullptr);

    void DefineProperty(const QString& Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                        bool HasData) override;

    // While a component is read: the component that becomes its parent, and the property being read.
    TComponent* Parent() const { return FParent; }
    TComponent* Owner() const { return FOwner; }
    QString PropName() const { return FPropName; }

    // Values, for the readers of DefineProperties.
    TValueType NextValue() const;
    bool ReadBoolean();
    // A 32-bit whole number, signed or unsigned (-2147483648..4294967295, so colours fit); a larger
    // one raises EReadError.
    std::int64_t ReadInteger();
    // A whole number for a property that holds an int (-2147483648..2147483647); another raises
    // EReadError naming the property and the line.
    int ReadInt32();
    double ReadFloat();
    QString ReadString();
    QString ReadIdent();
    QStringList ReadSet();
    void ReadListBegin();
    bool EndOfList() const;
    void ReadListEnd();
    // Reads over one value of any kind, lists within lists included.
    void SkipValue();

    // Framework use: reads the properties and children of Instance (TComponent::ReadState).
    void ReadData(TComponent* Instance);

private:
    struct TToken;
    struct TFixup;
    class TLexer;
    TComponent* ReadComponent();
    void ReadProperty(TComponent* Instance);
    void ReadPropertyValue(TComponent* Instance, const QString& Path);
    void ReadPropValue(TComponent* Instance, const TPropTarget& Target, const TPropInfo& Info);
    void ResolveFixups();
    void PlaceComponent(TComponent* Component, const QString& Name, int Line);
    void SkipValue(int Depth);
    // Raises EReadError naming the line (the current token's line when Line is 0).
    [[noreturn]] void Error(const QString& Message, int Line = 0) const;
    [[noreturn]] void OutOfRange(std::int64_t Value, const QString& Property, int Line = 0) const;
    std::unique_ptr<TLexer> FLexer;
    TComponent* FOwner;
    TComponent* FParent;
    QString FPropName;
    bool FPropHandled = false;
    std::vector<TComponent*> FLoaded;
    QSet<const TComponent*> FRead;  // every component FLoaded holds, to find one read twice
    int FObjectDepth = 0;
    std::vector<TComponent*> FCreated;
    std::vector<TFixup> FFixups;
};

class TWriter : public TFiler {
public:
    TWriter() = default;
    // Writes Root with its stored properties and its children.
    void WriteRootComponent(TComponent* Root);
    QString Text() const { return FText; }

    void DefineProperty(const QString& Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                        bool HasData) override;

    // Values, for the writers of DefineProperties.
    void WriteBoolean(bool Value);
    void WriteInteger(std::int64_t Value);
    void WriteFloat(double Value);
    void WriteString(const QString& Value);
    void WriteIdent(const QString& Value);
    void WriteSet(const QStringList& Names);
    void WriteListBegin();
    void WriteListEnd();

private:
    void WriteComponent(TComponent* Component);
    void WriteProperties(const TPropTarget& Target, const QString& Prefix);
    void WriteValue(const QString& Text);
    void Line(const QString& Text);
    QString FText;
    QString FValue;
    int FIndent = 0;
};

// The text form of a component and its children.
QString ComponentToText(TComponent* Component);
// Reads a text form into Root, or into a new component (owned by Owner, its parent Parent).
TComponent* TextToComponent(const QString& Text, TComponent* Root = nullptr, TComponent* Owner = nullptr,
                            TComponent* Parent = nullptr);
