// Run-time type information of published properties: what kind of value each holds, its text form,
// its default, and whether a stream stores it. Read and written by name, so a component can set a
// property of another only where that one publishes it.
//
// A published property is a Q_PROPERTY of a component (or of a Q_GADGET sub-object such as the
// font). Its class describes it further with a class info named after the property, "Type = Default":
//     Q_CLASSINFO("FrameColor", "TColor = clBtnShadow")
//     Q_CLASSINFO("FrameSides", "TSides = [sdLeft, sdTop, sdRight, sdBottom]")
//     Q_CLASSINFO("ArrowLength", "= 10")
//     Q_CLASSINFO("Date", "TDateTime")
// Type is needed only where the C++ type does not tell it: colours and sets are plain integers,
// dates plain doubles. A
// default may also be a number (a set of 16 elements all in: 65535).
// A subclass may give a property another default with a class info of its own. A property is
// stored unless its value equals the default (integers, enumerations, sets, floats), is empty
// (strings) or nil (references); STORED false never stores it, and a predicate
// `Q_INVOKABLE bool Is<Name>Stored() const` can refuse it as well.
#pragma once

#include "SysUtils.h"

#include <QMetaProperty>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <cstdint>
#include <vector>

class QObject;
class TComponent;

enum TTypeKind { tkUnknown, tkInteger, tkEnumeration, tkSet, tkFloat, tkString, tkClass };

struct TPropInfo {
    QString Name;
    QString TypeName;  // the class info's type, else the C++ type's name
    TTypeKind Kind = tkUnknown;
    QMetaProperty Prop;
    // Enumerations and sets: the names of the values in ordinal order (a set's bit n is value n).
    QStringList Names;
    bool IsColor = false;                    // an integer written as a colour name where it has one
    bool IsDate = false;                     // a float that is a TDateTime (class info type "TDateTime")
    bool IsReference = false;                // tkClass: a reference to another component
    const QMetaObject* SubObject = nullptr;  // tkClass: a sub-object whose own properties stream
    bool HasDefault = false;
    std::int64_t DefaultOrd = 0;  // integers, enumerations, sets
    double DefaultFloat = 0;
    QString DefaultString;
    int StoredMethod = -1;  // index of Is<Name>Stored(), -1 when there is none
};

// A property's owner: a component, or a sub-object (a gadget) reached through one.
struct TPropTarget {
    QObject* Object = nullptr;
    void* Gadget = nullptr;
    const QMetaObject* Meta = nullptr;
    TPropTarget() = default;
    explicit TPropTarget(QObject* object);
    TPropTarget(void* gadget, const QMetaObject* meta) : Gadget(gadget), Meta(meta) {}
    QVariant Read(const TPropInfo& info) const;
    bool Write(const TPropInfo& info, const QVariant& value) const;
};

class EPropertyError : public Exception {
public:
    using Exception::Exception;
};

// Names of enumeration and set types --------------------------------------------------------------
// An enumeration's value names in ordinal order, under the type's name as Qt gives it (the C++ name).
void RegisterEnumNames(const QString& TypeName, const QStringList& Names);
template <class TEnum> void RegisterEnumType(const QStringList& Names) {
    RegisterEnumNames(QString::fromLatin1(QMetaType::fromType<TEnum>().name()), Names);
}
// A set type: bit n of its value stands for the element type's value n.
void RegisterSetType(const QString& SetTypeName, const QString& ElementTypeName);

// Properties ------------------------------------------------------------------------------------
// The published properties of a class, base classes first, in declaration order.
const std::vector<TPropInfo>& GetPropList(const QMetaObject* Meta);
// A published property by name (any case); nullptr when the class does not publish it.
const TPropInfo* GetPropInfo(const QMetaObject* Meta, const QString& Name);
const TPropInfo* GetPropInfo(const QObject* Instance, const QString& Name);
bool IsPublishedProp(const QObject* Instance, const QString& Name);

// Whether an integer fits the property's own type (a colour takes any 32 bits, signed or not), so
// it is stored without being cut.
bool OrdinalFits(const TPropInfo& Info, std::int64_t Value);
// Writes an integer, enumeration, set or boolean value in the property's own type; false when the
// value does not fit it or the property refuses it.
bool SetOrdValue(const TPropTarget& Target, const TPropInfo& Info, std::int64_t Value);

// Values by name; a name the instance does not publish raises EPropertyError.
std::int64_t GetOrdProp(const QObject* Instance, const QString& Name);
void SetOrdProp(QObject* Instance, const QString& Name, std::int64_t Value);
QString GetEnumProp(const QObject* Instance, const QString& Name);
void SetEnumProp(QObject* Instance, const QString& Name, const QString& Value);
// A set's text form: its element names, in brackets when asked ("[sdLeft, sdTop]").
QString GetSetProp(const QObject* Instance, const QString& Name, bool Brackets = false);
void SetSetProp(QObject* Instance, const QString& Name, const QString& Value);
QString GetStrProp(const QObject* Instance, const QString& Name);
void SetStrProp(QObject* Instance, const QString& Name, const QString& Value);
QObject* GetObjectProp(const QObject* Instance, const QString& Name);
void SetObjectProp(QObject* Instance, const QString& Name, QObject* Value);

// Text forms ------------------------------------------------------------------------------------
QString SetToString(const TPropInfo& Info, std::int64_t Value, bool Brackets = false);
// Raises EPropertyError on a name that is no element of the set.
std::int64_t StringToSet(const TPropInfo& Info, const QString& Value);
// The ordinal of a value name (any case), -1 when there is none; colours also by their names.
std::int64_t OrdinalOfName(const TPropInfo& Info, const QString& Name);
// The identifier of an ordinal value: its enumeration name, a colour's name, empty when it has none.
QString NameOfOrdinal(const TPropInfo& Info, std::int64_t Value);

// Streaming rules -------------------------------------------------------------------------------
// Whether a stream writes the property now: not STORED false, its predicate (if any) agrees, and
// the value differs from the default.
bool IsStoredProp(const TPropTarget& Target, const TPropInfo& Info);
bool IsDefaultPropValue(const TPropTarget& Target, const TPropInfo& Info);
