#include "TypInfo.h"

#include "Classes.h"
#include "Graphics.h"

#include <QHash>
#include <QMetaClassInfo>
#include <QObject>
#include <cstdint>
#include <memory>

namespace {
QHash<QString, QStringList>& EnumNames() {
    static QHash<QString, QStringList> names;
    return names;
}

QHash<QString, QString>& SetElements() {
    static QHash<QString, QString> sets;
    return sets;
}

struct TClassProps {
    std::vector<TPropInfo> List;
    QHash<QString, int> ByName;  // lower-case name -> index in List
};

QHash<const QMetaObject*, std::shared_ptr<TClassProps>>& PropCache() {
    static QHash<const QMetaObject*, std::shared_ptr<TClassProps>> cache;
    return cache;
}

// The framework's own enumerations and sets.
struct TFrameworkTypes {
    TFrameworkTypes() {
        RegisterEnumType<TFontStyle>({"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"});
        RegisterSetType("TFontStyles", "TFontStyle");
        RegisterEnumType<TFontPitch>({"fpDefault", "fpVariable", "fpFixed"});
        RegisterEnumType<TPenStyle>(
            {"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear", "psInsideFrame"});
    }
};
const TFrameworkTypes FrameworkTypes;

QString ClassInfoOf(const QMetaObject* meta, const QString& name) {
    const int index = meta->indexOfClassInfo(name.toLatin1().constData());
    return index < 0 ? QString() : QString::fromUtf8(meta->classInfo(index).value());
}

std::int64_t ParseOrdinal(const TPropInfo& info, const QString& text) {
    bool ok = false;
    const std::int64_t number = text.toLongLong(&ok);
    if (ok) return number;
    if (info.Kind == tkSet) return StringToSet(info, text);
    const std::int64_t ordinal = OrdinalOfName(info, text);
    if (ordinal < 0 && !(info.IsColor && text.compare(QLatin1String("clNone"), Qt::CaseInsensitive) == 0))
        throw EPropertyError(QStringLiteral("Invalid default %1 of property %2").arg(text, info.Name));
    return ordinal;
}

void DescribeKind(TPropInfo& info, const QMetaProperty& prop) {
    const QMetaType type = prop.metaType();
    if (info.TypeName.isEmpty()) info.TypeName = QString::fromLatin1(type.name());
    if (info.TypeName == QLatin1String("TColor")) {
        info.Kind = tkInteger;
        info.IsColor = true;
    } else if (SetElements().contains(info.TypeName)) {
        info.Kind = tkSet;
        info.Names = EnumNames().value(SetElements().value(info.TypeName));
    } else if (EnumNames().contains(info.TypeName)) {
        info.Kind = tkEnumeration;
        info.Names = EnumNames().value(info.TypeName);
    } else if (type.id() == QMetaType::Bool) {
        info.Kind = tkEnumeration;
        info.Names = {QStringLiteral("False"), QStringLiteral("True")};
    } else if (type.id() == QMetaType::Double || type.id() == QMetaType::Float) {
        info.Kind = tkFloat;
    } else if (type.id() == QMetaType::QString) {
        info.Kind = tkString;
    } else if (type.flags() & QMetaType::PointerToQObject) {
        info.Kind = tkClass;
        info.IsReference = true;
    } else if (type.flags() & QMetaType::PointerToGadget) {
        info.Kind = tkClass;
        info.SubObject = type.metaObject();
    } else if (type.flags() & QMetaType::IsEnumeration) {
        throw EPropertyError(
            QStringLiteral("The names of %1 (property %2) are not registered").arg(info.TypeName, info.Name));
    } else if (type.id() == QMetaType::Int || type.id() == QMetaType::UInt || type.id() == QMetaType::Short ||
               type.id() == QMetaType::UShort || type.id() == QMetaType::LongLong ||
               type.id() == QMetaType::ULongLong || type.id() == QMetaType::UChar ||
               type.id() == QMetaType::Char) {
        info.Kind = tkInteger;
    }
}

void DescribeDefault(TPropInfo& info, const QString& defaultText) {
    info.HasDefault = !defaultText.isNull();
    if (!info.HasDefault) return;
    switch (info.Kind) {
    case tkInteger:
    case tkEnumeration:
    case tkSet:
        info.DefaultOrd = ParseOrdinal(info, defaultText);
        break;
    case tkFloat:
        info.DefaultFloat = StrToFloat(defaultText);
        break;
    case tkString:
        info.DefaultString = defaultText;
        break;
    default:
        break;
    }
}

const TClassProps& ClassProps(const QMetaObject* meta) {
    auto& cache = PropCache();
    if (auto found = cache.constFind(meta); found != cache.constEnd()) return **found;
    auto props = std::make_shared<TClassProps>();
    // Properties QObject itself declares are not published; a gadget (the font) has none of them.
    const int first =
        meta->inherits(&QObject::staticMetaObject) ? QObject::staticMetaObject.propertyCount() : 0;
    for (int i = first; i < meta->propertyCount(); ++i) {
        const QMetaProperty prop = meta->property(i);
        TPropInfo info;
        info.Name = QString::fromLatin1(prop.name());
        info.Prop = prop;
        // "Type = Default", "= Default" or "Type".
        const QString described = ClassInfoOf(meta, info.Name);
        const int equals = described.indexOf(QLatin1Char('='));
        info.TypeName = (equals < 0 ? described : described.left(equals)).trimmed();
        DescribeKind(info, prop);
        info.IsDate = info.Kind == tkFloat && info.TypeName == QLatin1String("TDateTime");
        DescribeDefault(info, equals < 0 ? QString() : described.mid(equals + 1).trimmed());
        info.StoredMethod =
            meta->indexOfMethod(QStringLiteral("Is%1Stored()").arg(info.Name).toLatin1().constData());
        props->ByName.insert(info.Name.toLower(), int(props->List.size()));
        props->List.push_back(std::move(info));
    }
    cache.insert(meta, props);
    return *props;
}

const TPropInfo& RequireProp(const QObject* instance, const QString& name) {
    const TPropInfo* info = GetPropInfo(instance, name);
    if (!info)
        throw EPropertyError(QStringLiteral("Property %1 does not exist in %2")
                                 .arg(name, QString::fromLatin1(instance->metaObject()->className())));
    return *info;
}

void WriteOrThrow(QObject* instance, const TPropInfo& info, const QVariant& value) {
    if (!TPropTarget(instance).Write(info, value))
        throw EPropertyError(QStringLiteral("Property %1 cannot be written").arg(info.Name));
}

std::int64_t OrdinalOf(const TPropTarget& target, const TPropInfo& info) {
    const QVariant v = target.Read(info);
    if (info.Prop.metaType().id() == QMetaType::Bool) return v.toBool() ? 1 : 0;
    return v.toLongLong();
}
}  // namespace

// Registries ------------------------------------------------------------------------------------
void RegisterEnumNames(const QString& TypeName, const QStringList& Names) {
    EnumNames().insert(TypeName, Names);
}

void RegisterSetType(const QString& SetTypeName, const QString& ElementTypeName) {
    SetElements().insert(SetTypeName, ElementTypeName);
}

// Targets ---------------------------------------------------------------------------------------
TPropTarget::TPropTarget(QObject* object) : Object(object), Meta(object ? object->metaObject() : nullptr) {}

QVariant TPropTarget::Read(const TPropInfo& info) const {
    return Gadget ? info.Prop.readOnGadget(Gadget) : info.Prop.read(Object);
}

bool TPropTarget::Write(const TPropInfo& info, const QVariant& value) const {
    return Gadget ? info.Prop.writeOnGadget(Gadget, value) : info.Prop.write(Object, value);
}

// Lookup ----------------------------------------------------------------------------------------
const std::vector<TPropInfo>& GetPropList(const QMetaObject* Meta) {
    return ClassProps(Meta).List;
}

const TPropInfo* GetPropInfo(const QMetaObject* Meta, const QString& Name) {
    if (!Meta) return nullptr;
    const TClassProps& props = ClassProps(Meta);
    const auto found = props.ByName.constFind(Name.toLower());
    return found == props.ByName.constEnd() ? nullptr : &props.List[*found];
}

const TPropInfo* GetPropInfo(const QObject* Instance, const QString& Name) {
    return Instance ? GetPropInfo(Instance->metaObject(), Name) : nullptr;
}

bool IsPublishedProp(const QObject* Instance, const QString& Name) {
    return GetPropInfo(Instance, Name) != nullptr;
}

// Values ----------------------------------------------------------------------------------------
std::int64_t GetOrdProp(const QObject* Instance, const QString& Name) {
    const TPropInfo& info = RequireProp(Instance, Name);
    return OrdinalOf(TPropTarget(const_cast<QObject*>(Instance)), info);
}

bool OrdinalFits(const TPropInfo& Info, std::int64_t Value) {
    const auto within = [Value](std::int64_t low, std::int64_t high) {
        return Value >= low && Value <= high;
    };
    if (Info.IsColor) return within(INT32_MIN, UINT32_MAX);
    switch (Info.Prop.metaType().id()) {
    case QMetaType::Int:
        return within(INT32_MIN, INT32_MAX);
    case QMetaType::UInt:
        return within(0, UINT32_MAX);
    case QMetaType::Short:
        return within(INT16_MIN, INT16_MAX);
    case QMetaType::UShort:
        return within(0, UINT16_MAX);
    case QMetaType::Char:
    case QMetaType::SChar:
        return within(INT8_MIN, INT8_MAX);
    case QMetaType::UChar:
        return within(0, UINT8_MAX);
    case QMetaType::LongLong:
        return true;
    case QMetaType::ULongLong:
        return Value >= 0;
    default:
        break;
    }
    // Enumerations and sets in their own types: as many bits as the type holds.
    switch (Info.Prop.metaType().sizeOf()) {
    case 1:
        return within(INT8_MIN, UINT8_MAX);
    case 2:
        return within(INT16_MIN, UINT16_MAX);
    case 4:
        return within(INT32_MIN, UINT32_MAX);
    default:
        return true;
    }
}

bool SetOrdValue(const TPropTarget& Target, const TPropInfo& Info, std::int64_t Value) {
    if (!OrdinalFits(Info, Value)) return false;
    // A value of the property's own type needs no conversion on the way in.
    const QMetaType type = Info.Prop.metaType();
    if (type.id() == QMetaType::Bool) {
        const bool b = Value != 0;
        return Target.Write(Info, QVariant(type, &b));
    }
    switch (type.sizeOf()) {
    case 1: {
        const std::int8_t v = std::int8_t(Value);
        return Target.Write(Info, QVariant(type, &v));
    }
    case 2: {
        const std::int16_t v = std::int16_t(Value);
        return Target.Write(Info, QVariant(type, &v));
    }
    case 4: {
        const std::int32_t v = std::int32_t(Value);
        return Target.Write(Info, QVariant(type, &v));
    }
    default:
        return Target.Write(Info, QVariant(qlonglong(Value)));
    }
}

void SetOrdProp(QObject* Instance, const QString& Name, std::int64_t Value) {
    if (!SetOrdValue(TPropTarget(Instance), RequireProp(Instance, Name), Value))
        throw EPropertyError(QStringLiteral("Property %1 cannot be written").arg(Name));
}

QString GetEnumProp(const QObject* Instance, const QString& Name) {
    const TPropInfo& info = RequireProp(Instance, Name);
    return NameOfOrdinal(info, GetOrdProp(Instance, Name));
}

void SetEnumProp(QObject* Instance, const QString& Name, const QString& Value) {
    const TPropInfo& info = RequireProp(Instance, Name);
    const std::int64_t ordinal = OrdinalOfName(info, Value);
    if (ordinal < 0) throw EPropertyError(QStringLiteral("Invalid property value %1").arg(Value));
    SetOrdProp(Instance, Name, ordinal);
}

QString GetSetProp(const QObject* Instance, const QString& Name, bool Brackets) {
    const TPropInfo& info = RequireProp(Instance, Name);
    return SetToString(info, GetOrdProp(Instance, Name), Brackets);
}

void SetSetProp(QObject* Instance, const QString& Name, const QString& Value) {
    SetOrdProp(Instance, Name, StringToSet(RequireProp(Instance, Name), Value));
}

QString GetStrProp(const QObject* Instance, const QString& Name) {
    const TPropInfo& info = RequireProp(Instance, Name);
    return TPropTarget(const_cast<QObject*>(Instance)).Read(info).toString();
}

void SetStrProp(QObject* Instance, const QString& Name, const QString& Value) {
    WriteOrThrow(Instance, RequireProp(Instance, Name), QVariant(Value));
}

QObject* GetObjectProp(const QObject* Instance, const QString& Name) {
    const TPropInfo& info = RequireProp(Instance, Name);
    return TPropTarget(const_cast<QObject*>(Instance)).Read(info).value<QObject*>();
}

void SetObjectProp(QObject* Instance, const QString& Name, QObject* Value) {
    WriteOrThrow(Instance, RequireProp(Instance, Name), QVariant::fromValue(Value));
}

// Text forms ------------------------------------------------------------------------------------
QString SetToString(const TPropInfo& Info, std::int64_t Value, bool Brackets) {
    QStringList names;
    for (int i = 0; i < Info.Names.size() && i < 64; ++i)
        if (Value & (std::int64_t(1) << i)) names << Info.Names[i];
    const QString joined = names.join(QLatin1String(", "));
    return Brackets ? QLatin1Char('[') + joined + QLatin1Char(']') : joined;
}

std::int64_t StringToSet(const TPropInfo& Info, const QString& Value) {
    QString text = Value.trimmed();
    if (text.startsWith(QLatin1Char('['))) text.remove(0, 1);
    if (text.endsWith(QLatin1Char(']'))) text.chop(1);
    std::int64_t bits = 0;
    for (const QString& part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString name = part.trimmed();
        if (name.isEmpty()) continue;
        const std::int64_t ordinal = OrdinalOfName(Info, name);
        if (ordinal < 0)
            throw EPropertyError(QStringLiteral("Invalid set element %1 of %2").arg(name, Info.Name));
        bits |= std::int64_t(1) << ordinal;
    }
    return bits;
}

std::int64_t OrdinalOfName(const TPropInfo& Info, const QString& Name) {
    if (Info.IsColor) {
        TColor color = 0;
        return IdentToColor(Name, color) ? std::int64_t(color) : -1;
    }
    for (int i = 0; i < Info.Names.size(); ++i)
        if (Info.Names[i].compare(Name, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

QString NameOfOrdinal(const TPropInfo& Info, std::int64_t Value) {
    if (Info.IsColor) {
        QString ident;
        return ColorToIdent(TColor(Value), ident) ? ident : QString();
    }
    return Value >= 0 && Value < Info.Names.size() ? Info.Names[int(Value)] : QString();
}

// Streaming rules -------------------------------------------------------------------------------
bool IsStoredProp(const TPropTarget& Target, const TPropInfo& Info) {
    if (!Info.Prop.isStored()) return false;
    if (Info.StoredMethod >= 0 && Target.Object) {
        bool stored = true;
        Target.Meta->method(Info.StoredMethod)
            .invoke(Target.Object, Qt::DirectConnection, Q_RETURN_ARG(bool, stored));
        if (!stored) return false;
    }
    return !IsDefaultPropValue(Target, Info);
}

bool IsDefaultPropValue(const TPropTarget& Target, const TPropInfo& Info) {
    switch (Info.Kind) {
    case tkInteger:
    case tkEnumeration:
    case tkSet:
        return Info.HasDefault && OrdinalOf(Target, Info) == Info.DefaultOrd;
    case tkFloat:
        return Info.HasDefault && Target.Read(Info).toDouble() == Info.DefaultFloat;
    case tkString:
        return Target.Read(Info).toString() == Info.DefaultString;
    case tkClass:
        return Info.IsReference && !Target.Read(Info).value<QObject*>();
    default:
        return true;
    }
}
