#include "Streaming.h"

#include "TypInfo.h"

#include <QHash>
#include <QMetaObject>
#include <algorithm>

// Class registry -----------------------------------------------------------------------------------
namespace {
struct TClassEntry {
    const QMetaObject* Meta;
    TComponentFactory Factory;
};

QHash<QString, TClassEntry>& Classes() {
    static QHash<QString, TClassEntry> classes;
    return classes;
}

QString ClassNameOf(const QObject* object) {
    return QString::fromLatin1(object->metaObject()->className());
}

void* GadgetOf(const QVariant& value) {
    return *reinterpret_cast<void* const*>(value.constData());
}
}  // namespace

void RegisterClass(const QMetaObject& Meta, const TComponentFactory& Factory) {
    Classes().insert(QString::fromLatin1(Meta.className()).toLower(), {&Meta, Factory});
}

bool IsClassRegistered(const QString& ClassName) {
    return Classes().contains(ClassName.toLower());
}

// The component's side of streaming ------------------------------------------------------------------
void TComponent::ReadState(TReader& Reader) {
    Reader.ReadData(this);
}

void TComponent::GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) {
    // A root writes the components it owns that no parent writes.
    if (Root != this) return;
    for (TComponent* c : FComponents)
        if (!c->HasParent()) Proc(c);
}

// Tokens ------------------------------------------------------------------------------------------
struct TReader::TToken {
    enum TKind { End, Symbol, Ident, String, Integer, Float } Kind = End;
    QString Text;  // identifier, string value or symbol
    std::int64_t Int = 0;
    double Real = 0;
    int Line = 1;
    bool Is(QChar symbol) const { return Kind == Symbol && Text == symbol; }
    bool IsIdent(const char* word) const {
        return Kind == Ident && Text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
    }
};

class TReader::TLexer {
public:
    explicit TLexer(const QString& text) : FText(text) { Next(); }
    const TToken& Current() const { return FToken; }
    TToken Take() {
        TToken t = FToken;
        Next();
        return t;
    }
    int Line() const { return FToken.Line; }

private:
    QChar Peek(int ahead = 0) const { return FPos + ahead < FText.size() ? FText[FPos + ahead] : QChar(); }
    void SkipBlanks() {
        while (FPos < FText.size() && FText[FPos].isSpace()) {
            if (FText[FPos] == QLatin1Char('\n')) ++FLine;
            ++FPos;
        }
    }
    void Next() {
        SkipBlanks();
        FToken = TToken{};
        FToken.Line = FLine;
        if (FPos >= FText.size()) return;
        const QChar c = FText[FPos];
        if (c.isLetter() || c == QLatin1Char('_')) return ReadIdent();
        if (c.isDigit() || c == QLatin1Char('$') ||
            ((c == QLatin1Char('-') || c == QLatin1Char('+')) &&
             (Peek(1).isDigit() || Peek(1) == QLatin1Char('$'))))
            return ReadNumber();
        if (c == QLatin1Char('\'') || c == QLatin1Char('#')) return ReadString();
        FToken.Kind = TToken::Symbol;
        FToken.Text = c;
        ++FPos;
    }
    void ReadIdent() {
        const int start = FPos;
        while (FPos < FText.size() && (FText[FPos].isLetterOrNumber() || FText[FPos] == QLatin1Char('_') ||
                                       FText[FPos] == QLatin1Char('.')))
            ++FPos;
        FToken.Kind = TToken::Ident;
        FToken.Text = FText.mid(start, FPos - start);
    }
    void ReadNumber() {
        const int start = FPos;
        bool negative = false;
        if (Peek() == QLatin1Char('-') || Peek() == QLatin1Char('+'))
            negative = FText[FPos++] == QLatin1Char('-');
        bool ok = false;
        if (Peek() == QLatin1Char('$')) {
            const int digits = ++FPos;
            while (FPos < FText.size() && QStringLiteral("0123456789abcdefABCDEF").contains(FText[FPos]))
                ++FPos;
            FToken.Kind = TToken::Integer;
            FToken.Int = FText.mid(digits, FPos - digits).toLongLong(&ok, 16) * (negative ? -1 : 1);
        } else {
            bool real = false;
            while (FPos < FText.size() &&
                   (FText[FPos].isDigit() || FText[FPos] == QLatin1Char('.') ||
                    ((FText[FPos] == QLatin1Char('e') || FText[FPos] == QLatin1Char('E')) && FPos > start) ||
                    ((FText[FPos] == QLatin1Char('-') || FText[FPos] == QLatin1Char('+')) &&
                     (FText[FPos - 1] == QLatin1Char('e') || FText[FPos - 1] == QLatin1Char('E'))))) {
                real = real || !FText[FPos].isDigit();
                ++FPos;
            }
            const QString number = FText.mid(start, FPos - start);
            if (real) {
                FToken.Kind = TToken::Float;
                FToken.Real = number.toDouble(&ok);
            } else {
                FToken.Kind = TToken::Integer;
                FToken.Int = number.toLongLong(&ok);
            }
        }
        if (!ok) FToken.Kind = TToken::End, FToken.Text = QStringLiteral("?");
    }
    // Quoted parts and #nnn characters side by side make one string; "+" joins strings across lines.
    void ReadString() {
        FToken.Kind = TToken::String;
        for (;;) {
            if (Peek() == QLatin1Char('\'')) {
                ++FPos;
                for (;;) {
                    if (FPos >= FText.size() || FText[FPos] == QLatin1Char('\n')) {
                        FToken.Kind = TToken::End;  // an unterminated string
                        FToken.Text = QStringLiteral("?");
                        return;
                    }
                    if (FText[FPos] == QLatin1Char('\'')) {
                        if (Peek(1) != QLatin1Char('\'')) break;
                        ++FPos;
                    }
                    FToken.Text += FText[FPos++];
                }
                ++FPos;
            } else if (Peek() == QLatin1Char('#')) {
                ++FPos;
                const bool hex = Peek() == QLatin1Char('$');
                if (hex) ++FPos;
                const int start = FPos;
                while (FPos < FText.size() && (FText[FPos].isDigit() || (hex && FText[FPos].isLetter())))
                    ++FPos;
                bool ok = false;
                const uint code = FText.mid(start, FPos - start).toUInt(&ok, hex ? 16 : 10);
                if (!ok || code > 0x10FFFF) {
                    FToken.Kind = TToken::End;
                    FToken.Text = QStringLiteral("?");
                    return;
                }
                const char32_t ch = code;
                FToken.Text += QString::fromUcs4(&ch, 1);
            } else {
                // 'a' + 'b', possibly over several lines.
                const int savedPos = FPos, savedLine = FLine;
                SkipBlanks();
                if (Peek() == QLatin1Char('+')) {
                    ++FPos;
                    SkipBlanks();
                    if (Peek() == QLatin1Char('\'') || Peek() == QLatin1Char('#')) continue;
                }
                FPos = savedPos;
                FLine = savedLine;
                return;
            }
        }
    }

    QString FText;
    int FPos = 0;
    int FLine = 1;
    TToken FToken;
};

// Reader --------------------------------------------------------------------------------------------
struct TReader::TFixup {
    TComponent* Instance;
    TPropTarget Target;
    const TPropInfo* Info;
    QString Name;
    int Line;
};

TReader::TReader(const QString& Text, TComponent* Owner, TComponent* Parent)
    : FLexer(std::make_unique<TLexer>(Text)), FOwner(Owner), FParent(Parent) {}

TReader::~TReader() = default;

namespace {
// The reader's own errors, which already name their line.
class ELocatedReadError : public EReadError {
public:
    using EReadError::EReadError;
};
}  // namespace

void TReader::Error(const QString& Message, int Line) const {
    throw ELocatedReadError(
        QStringLiteral("%1 (line %2)").arg(Message).arg(Line > 0 ? Line : FLexer->Line()));
}

void TReader::OutOfRange(std::int64_t Value, const QString& Property, int Line) const {
    Error(QStringLiteral("%1 is out of range for property %2").arg(Value).arg(Property), Line);
}

TComponent* TReader::ReadRootComponent(TComponent* Root) {
    FRoot = Root;
    try {
        TComponent* root = ReadComponent();
        if (FLexer->Current().Kind != TToken::End)
            Error(QStringLiteral("Text after the end of the component"));
        ResolveFixups();
        for (TComponent* c : FLoaded) {
            c->FComponentState &= ~csReading;
            c->Updated();
        }
        // Each component hears Loaded once everything is in place.
        const std::vector<TComponent*> loaded = FLoaded;
        for (TComponent* c : loaded)
            c->Loaded();
        FLoaded.clear();
        FRead.clear();
        return root;
    } catch (...) {
        for (TComponent* c : FLoaded)
            c->FComponentState &= ~(csLoading | csReading | csUpdating | csFixups);
        for (auto it = FCreated.rbegin(); it != FCreated.rend(); ++it)
            delete *it;
        FCreated.clear();
        FLoaded.clear();
        FRead.clear();
        FObjectDepth = 0;
        throw;
    }
}

TComponent* TReader::ReadComponent() {
    if (!FLexer->Current().IsIdent("object")) Error(QStringLiteral("\"object\" expected"));
    const int line = FLexer->Line();
    if (FObjectDepth >= MaxNesting)
        Error(QStringLiteral("Objects nested more than %1 levels deep").arg(MaxNesting));
    FLexer->Take();
    if (FLexer->Current().Kind != TToken::Ident) Error(QStringLiteral("Component name or class expected"));
    QString name = FLexer->Take().Text, className = name;
    if (FLexer->Current().Is(QLatin1Char(':'))) {
        FLexer->Take();
        if (FLexer->Current().Kind != TToken::Ident) Error(QStringLiteral("Class name expected"));
        className = FLexer->Take().Text;
    } else {
        name.clear();
    }

    const bool isRoot = FLoaded.empty();
    TComponent* component = nullptr;
    if (isRoot && FRoot) {
        component = FRoot;
        if (ClassNameOf(component).compare(className, Qt::CaseInsensitive) != 0)
            Error(QStringLiteral("The text holds a %1, not a %2").arg(className, ClassNameOf(component)));
        if (!name.isEmpty()) component->SetName(name);
    } else {
        TComponent* owner = isRoot ? FOwner : FRoot;
        // A component the owner already has under that name (built in code) takes the values.
        TComponent* existing = owner && !name.isEmpty() ? owner->FindComponent(name) : nullptr;
        if (existing) {
            if (ClassNameOf(existing).compare(className, Qt::CaseInsensitive) != 0)
                Error(QStringLiteral("A component named %1 already exists").arg(name));
            component = existing;
        } else {
            const auto entry = Classes().constFind(className.toLower());
            if (entry == Classes().constEnd())
                throw EClassNotFound(QStringLiteral("Class %1 not found (line %2)").arg(className).arg(line));
            component = entry->Factory(owner);
            FCreated.push_back(component);
            if (!name.isEmpty()) component->SetName(name);
        }
        if (isRoot) FRoot = component;
    }
    PlaceComponent(component, name, line);
    FLoaded.push_back(component);
    FRead.insert(component);
    component->FComponentState |= csLoading | csReading;
    component->Updating();
    if (FParent) component->SetParentComponent(FParent);
    ++FObjectDepth;
    component->ReadState(*this);
    --FObjectDepth;
    return component;
}

// A component found by its name may already have been read in this text, or enclose the place it
// would go: reading it again would set its values twice, placing it there would make it its own
// ancestor.
void TReader::PlaceComponent(TComponent* Component, const QString& Name, int Line) {
    for (const TComponent* p = FParent; p; p = p->GetParentComponent())
        if (p == Component) Error(QStringLiteral("%1 cannot be placed inside itself").arg(Name), Line);
    if (FRead.contains(Component))
        Error(QStringLiteral("A component named %1 already exists").arg(Name), Line);
}

void TReader::ReadData(TComponent* Instance) {
    while (!FLexer->Current().IsIdent("object") && !FLexer->Current().IsIdent("end")) {
        if (FLexer->Current().Kind != TToken::Ident) Error(QStringLiteral("Property name expected"));
        ReadProperty(Instance);
    }
    TComponent* const savedParent = FParent;
    FParent = Instance;
    while (FLexer->Current().IsIdent("object"))
        ReadComponent();
    FParent = savedParent;
    if (!FLexer->Current().IsIdent("end")) Error(QStringLiteral("\"end\" expected"));
    FLexer->Take();
}

void TReader::ReadProperty(TComponent* Instance) {
    const int line = FLexer->Line();
    const QString path = FLexer->Take().Text;
    if (!FLexer->Current().Is(QLatin1Char('='))) Error(QStringLiteral("\"=\" expected after %1").arg(path));
    FLexer->Take();
    try {
        ReadPropertyValue(Instance, path);
    } catch (const ELocatedReadError&) {
        throw;
    } catch (const EFilerError&) {
        throw;
    } catch (const Exception& e) {
        // A property that refuses its value says why; the reader adds where.
        Error(QStringLiteral("Error reading %1.%2: %3").arg(Instance->Name(), path, e.Message()), line);
    }
}

void TReader::ReadPropertyValue(TComponent* Instance, const QString& path) {
    const QStringList parts = path.split(QLatin1Char('.'));
    TPropTarget target(Instance);
    // No published property of that name: perhaps one the component defines itself (a dotted name
    // for the values of an object it keeps unpublished).
    auto readDefined = [&] {
        FPropName = path;
        FPropHandled = false;
        Instance->DefineProperties(this);
        const bool handled = FPropHandled;
        FPropName.clear();
        return handled;
    };
    for (int i = 0; i + 1 < parts.size(); ++i) {
        const TPropInfo* info = GetPropInfo(target.Meta, parts[i]);
        if (!info || !info->SubObject) {
            if (i == 0 && readDefined()) return;
            Error(QStringLiteral("Error reading %1.%2: Property %3 does not exist")
                      .arg(Instance->Name(), path, parts[i]));
        }
        target = TPropTarget(GadgetOf(target.Read(*info)), info->SubObject);
    }
    const TPropInfo* info = GetPropInfo(target.Meta, parts.last());
    if (info && !info->SubObject && info->Prop.isWritable()) return ReadPropValue(Instance, target, *info);
    if (parts.size() == 1 && readDefined()) return;
    Error(QStringLiteral("Error reading %1.%2: Property %2 does not exist").arg(Instance->Name(), path));
}

void TReader::DefineProperty(const QString& Name, const TReaderProc& ReadData, const TWriterProc&, bool) {
    if (FPropHandled || !ReadData || Name.compare(FPropName, Qt::CaseInsensitive) != 0) return;
    FPropHandled = true;
    ReadData(*this);
}

namespace {
// Whether a date-time lies in 0001-01-01..9999-12-31 (its whole days, counted towards zero).
bool InCalendar(double Value) {
    static const double first = EncodeDate(1, 1, 1), last = EncodeDate(9999, 12, 31);
    return Value > first - 1 && Value < last + 1;
}
}  // namespace

void TReader::ReadPropValue(TComponent* Instance, const TPropTarget& Target, const TPropInfo& Info) {
    const int line = FLexer->Line();
    const TValueType type = NextValue();
    auto invalid = [&] { Error(QStringLiteral("Invalid value for property %1").arg(Info.Name)); };
    auto ordinalOf = [&](const QString& name) {
        const std::int64_t ordinal = OrdinalOfName(Info, name);
        if (ordinal < 0) invalid();
        return ordinal;
    };
    std::int64_t ordinal = 0;
    QVariant value;
    switch (Info.Kind) {
    case tkInteger:
        if (type == vaInt)
            ordinal = FLexer->Take().Int;
        else if (type == vaIdent && Info.IsColor)
            ordinal = ordinalOf(ReadIdent());
        else
            invalid();
        if (!OrdinalFits(Info, ordinal)) OutOfRange(ordinal, Info.Name, line);
        break;
    case tkEnumeration:
        if (type != vaIdent && type != vaTrue && type != vaFalse) invalid();
        ordinal = ordinalOf(ReadIdent());
        break;
    case tkSet:
        if (type != vaSet) invalid();
        for (const QString& name : ReadSet())
            ordinal |= std::int64_t(1) << ordinalOf(name);
        break;
    case tkFloat:
        if (type != vaInt && type != vaExtended) invalid();
        value = ReadFloat();
        if (Info.IsDate && !InCalendar(value.toDouble()))
            Error(QStringLiteral("%1 is no date between 0001-01-01 and 9999-12-31 (property %2)")
                      .arg(value.toDouble())
                      .arg(Info.Name),
                  line);
        break;
    case tkString:
        if (type != vaString) invalid();
        value = ReadString();
        break;
    case tkClass:
        // A reference: resolved when the whole text is read.
        if (type == vaNil) {
            FLexer->Take();
            value = QVariant(Info.Prop.metaType());  // a null of the property's own type: no conversion
            break;
        }
        if (type != vaIdent) invalid();
        FFixups.push_back({Instance, Target, &Info, ReadIdent(), line});
        Instance->FComponentState |= csFixups;
        return;
    default:
        invalid();
    }
    const bool written = value.isValid() ? Target.Write(Info, value) : SetOrdValue(Target, Info, ordinal);
    if (!written) invalid();
}

void TReader::ResolveFixups() {
    for (const TFixup& fixup : FFixups) {
        TComponent* found = nullptr;
        const QString& name = fixup.Name;
        const int dot = name.indexOf(QLatin1Char('.'));
        const QString rootName = FRoot->Name();
        if (dot < 0) {
            found = name.compare(rootName, Qt::CaseInsensitive) == 0 ? FRoot : FRoot->FindComponent(name);
        } else if (name.left(dot).compare(rootName, Qt::CaseInsensitive) == 0) {
            found = FRoot->FindComponent(name.mid(dot + 1));
        }
        if (!found)
            Error(QStringLiteral("Error reading %1.%2: Component %3 not found")
                      .arg(fixup.Instance->Name(), fixup.Info->Name, name),
                  fixup.Line);
        try {
            fixup.Target.Write(*fixup.Info, QVariant::fromValue<QObject*>(found));
        } catch (const Exception& e) {
            Error(QStringLiteral("Error reading %1.%2: %3")
                      .arg(fixup.Instance->Name(), fixup.Info->Name, e.Message()),
                  fixup.Line);
        }
    }
    for (const TFixup& fixup : FFixups)
        fixup.Instance->FComponentState &= ~csFixups;
    FFixups.clear();
}

TValueType TReader::NextValue() const {
    const TToken& t = FLexer->Current();
    switch (t.Kind) {
    case TToken::Integer:
        return vaInt;
    case TToken::Float:
        return vaExtended;
    case TToken::String:
        return vaString;
    case TToken::Ident:
        if (t.IsIdent("True")) return vaTrue;
        if (t.IsIdent("False")) return vaFalse;
        if (t.IsIdent("nil")) return vaNil;
        return vaIdent;
    case TToken::Symbol:
        if (t.Is(QLatin1Char('['))) return vaSet;
        if (t.Is(QLatin1Char('('))) return vaList;
        return vaNull;
    default:
        return vaNull;
    }
}

bool TReader::ReadBoolean() {
    const TValueType type = NextValue();
    if (type != vaTrue && type != vaFalse) Error(QStringLiteral("Boolean value expected"));
    FLexer->Take();
    return type == vaTrue;
}

std::int64_t TReader::ReadInteger() {
    if (NextValue() != vaInt) Error(QStringLiteral("Integer value expected"));
    const std::int64_t value = FLexer->Current().Int;
    if (value < INT32_MIN || value > std::int64_t(UINT32_MAX))
        Error(QStringLiteral("%1 does not fit 32 bits").arg(value));
    FLexer->Take();
    return value;
}

int TReader::ReadInt32() {
    if (NextValue() == vaInt) {
        const std::int64_t value = FLexer->Current().Int;
        if (value < INT32_MIN || value > INT32_MAX) OutOfRange(value, FPropName);
    }
    return int(ReadInteger());
}

double TReader::ReadFloat() {
    const TValueType type = NextValue();
    if (type != vaInt && type != vaExtended) Error(QStringLiteral("Number expected"));
    const TToken t = FLexer->Take();
    return type == vaInt ? double(t.Int) : t.Real;
}

QString TReader::ReadString() {
    if (NextValue() != vaString) Error(QStringLiteral("String value expected"));
    return FLexer->Take().Text;
}

QString TReader::ReadIdent() {
    if (FLexer->Current().Kind != TToken::Ident) Error(QStringLiteral("Identifier expected"));
    return FLexer->Take().Text;
}

QStringList TReader::ReadSet() {
    if (NextValue() != vaSet) Error(QStringLiteral("Set value expected"));
    FLexer->Take();
    QStringList names;
    while (!FLexer->Current().Is(QLatin1Char(']'))) {
        names << ReadIdent();
        if (FLexer->Current().Is(QLatin1Char(',')))
            FLexer->Take();
        else if (!FLexer->Current().Is(QLatin1Char(']')))
            Error(QStringLiteral("\"]\" expected"));
    }
    FLexer->Take();
    return names;
}

void TReader::ReadListBegin() {
    if (NextValue() != vaList) Error(QStringLiteral("\"(\" expected"));
    FLexer->Take();
}

bool TReader::EndOfList() const {
    return FLexer->Current().Is(QLatin1Char(')')) || FLexer->Current().Kind == TToken::End;
}

void TReader::ReadListEnd() {
    if (!FLexer->Current().Is(QLatin1Char(')'))) Error(QStringLiteral("\")\" expected"));
    FLexer->Take();
}

void TReader::SkipValue() {
    SkipValue(0);
}

void TReader::SkipValue(int Depth) {
    switch (NextValue()) {
    case vaSet:
        ReadSet();
        break;
    case vaList:
        if (Depth >= MaxNesting)
            Error(QStringLiteral("Lists nested more than %1 levels deep").arg(MaxNesting));
        ReadListBegin();
        while (!EndOfList())
            SkipValue(Depth + 1);
        ReadListEnd();
        break;
    case vaNull:
        Error(QStringLiteral("Value expected"));
    default:
        FLexer->Take();
    }
}

// Writer ------------------------------------------------------------------------------------------
namespace {
// A string in the text form: printable runs quoted, control characters as #nn.
QString QuoteString(const QString& s) {
    if (s.isEmpty()) return QStringLiteral("''");
    QString out;
    bool quoted = false;
    for (const QChar c : s) {
        if (c.unicode() < 32) {
            if (quoted) out += QLatin1Char('\'');
            quoted = false;
            out += QLatin1Char('#') + QString::number(c.unicode());
        } else {
            if (!quoted) out += QLatin1Char('\'');
            quoted = true;
            out += c;
            if (c == QLatin1Char('\'')) out += c;
        }
    }
    if (quoted) out += QLatin1Char('\'');
    return out;
}

QString ReferenceName(TComponent* ref, TComponent* root) {
    if (ref == root || ref->Owner() == root || !ref->Owner()) return ref->Name();
    return ref->Owner()->Name() + QLatin1Char('.') + ref->Name();
}
}  // namespace

void TWriter::Line(const QString& Text) {
    FText += QString(FIndent * 2, QLatin1Char(' ')) + Text + QLatin1Char('\n');
}

void TWriter::WriteRootComponent(TComponent* Root) {
    FRoot = Root;
    WriteComponent(Root);
}

void TWriter::WriteComponent(TComponent* Component) {
    Component->FComponentState |= csWriting;
    const QString name = Component->Name();
    Line(name.isEmpty() ? QStringLiteral("object ") + ClassNameOf(Component)
                        : QStringLiteral("object %1: %2").arg(name, ClassNameOf(Component)));
    ++FIndent;
    WriteProperties(TPropTarget(Component), QString());
    Component->DefineProperties(this);
    Component->GetChildren([this](TComponent* child) { WriteComponent(child); }, FRoot);
    --FIndent;
    Line(QStringLiteral("end"));
    Component->FComponentState &= ~csWriting;
}

void TWriter::WriteProperties(const TPropTarget& Target, const QString& Prefix) {
    for (const TPropInfo& info : GetPropList(Target.Meta)) {
        if (info.SubObject) {
            if (IsStoredProp(Target, info))
                WriteProperties(TPropTarget(GadgetOf(Target.Read(info)), info.SubObject),
                                Prefix + info.Name + QLatin1Char('.'));
            continue;
        }
        if (!info.Prop.isWritable() || !IsStoredProp(Target, info)) continue;
        const QVariant value = Target.Read(info);
        QString text;
        switch (info.Kind) {
        case tkInteger: {
            const std::int64_t n = value.toLongLong();
            text = info.IsColor ? NameOfOrdinal(info, n) : QString();
            if (text.isEmpty()) text = QString::number(n);
            break;
        }
        case tkEnumeration:
            text = NameOfOrdinal(info, info.Prop.metaType().id() == QMetaType::Bool ? value.toBool()
                                                                                    : value.toLongLong());
            break;
        case tkSet:
            text = SetToString(info, value.toLongLong(), true);
            break;
        case tkFloat:
            text = QString::number(value.toDouble(), 'g', 17);
            break;
        case tkString:
            text = QuoteString(value.toString());
            break;
        case tkClass: {
            auto* ref = qobject_cast<TComponent*>(value.value<QObject*>());
            if (!ref) continue;
            text = ReferenceName(ref, FRoot);
            break;
        }
        default:
            continue;
        }
        Line(Prefix + info.Name + QStringLiteral(" = ") + text);
    }
}

void TWriter::DefineProperty(const QString& Name, const TReaderProc&, const TWriterProc& WriteData,
                             bool HasData) {
    if (!HasData || !WriteData) return;
    FValue.clear();
    WriteData(*this);
    Line(Name + QStringLiteral(" = ") + FValue);
    FValue.clear();
}

void TWriter::WriteValue(const QString& Text) {
    if (!FValue.isEmpty() && !FValue.endsWith(QLatin1Char('('))) FValue += QLatin1Char(' ');
    FValue += Text;
}

void TWriter::WriteBoolean(bool Value) {
    WriteValue(Value ? QStringLiteral("True") : QStringLiteral("False"));
}
void TWriter::WriteInteger(std::int64_t Value) {
    WriteValue(QString::number(Value));
}
void TWriter::WriteFloat(double Value) {
    QString text = QString::number(Value, 'g', 17);
    if (!text.contains(QLatin1Char('.')) && !text.contains(QLatin1Char('e'))) text += QStringLiteral(".0");
    WriteValue(text);
}
void TWriter::WriteString(const QString& Value) {
    WriteValue(QuoteString(Value));
}
void TWriter::WriteIdent(const QString& Value) {
    WriteValue(Value);
}
void TWriter::WriteSet(const QStringList& Names) {
    WriteValue(QLatin1Char('[') + Names.join(QLatin1String(", ")) + QLatin1Char(']'));
}
void TWriter::WriteListBegin() {
    WriteValue(QStringLiteral("("));
}
void TWriter::WriteListEnd() {
    FValue += QLatin1Char(')');
}

// Whole components ----------------------------------------------------------------------------------
QString ComponentToText(TComponent* Component) {
    TWriter writer;
    writer.WriteRootComponent(Component);
    return writer.Text();
}

TComponent* TextToComponent(const QString& Text, TComponent* Root, TComponent* Owner, TComponent* Parent) {
    TReader reader(Text, Owner, Parent);
    return reader.ReadRootComponent(Root);
}
