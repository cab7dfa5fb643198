// Components with one published property of every kind, that record what they go through, for the
// tests of run-time type information and streaming.
#pragma once

#include "Classes.h"
#include "Graphics.h"
#include "Streaming.h"
#include "TypInfo.h"

#include <QStringList>

enum TProbeShape { shRound, shSquare, shStar };

class TProbe : public TComponent {
    Q_OBJECT
    Q_PROPERTY(int Count READ Count WRITE SetCount)
    Q_PROPERTY(TProbeShape Shape READ Shape WRITE SetShape)
    Q_PROPERTY(TFontStyles Styles READ Styles WRITE SetStyles)
    Q_PROPERTY(TColor Tint READ Tint WRITE SetTint)
    Q_PROPERTY(QString Text READ Text WRITE SetText)
    Q_PROPERTY(bool Active READ Active WRITE SetActive)
    Q_PROPERTY(double Ratio READ Ratio WRITE SetRatio)
    Q_PROPERTY(TProbe* Buddy READ Buddy WRITE SetBuddy)
    Q_PROPERTY(int Hidden READ Hidden WRITE SetHidden STORED false)
    Q_PROPERTY(int Guarded READ Guarded WRITE SetGuarded)
    Q_PROPERTY(QStringList Notes READ Notes WRITE SetNotes)  // of a type that is never streamed
    Q_CLASSINFO("Count", "= 3")
    Q_CLASSINFO("Shape", "= shRound")
    Q_CLASSINFO("Styles", "TFontStyles = []")
    Q_CLASSINFO("Tint", "TColor = clBtnFace")
    Q_CLASSINFO("Active", "= False")
    Q_CLASSINFO("Ratio", "= 1.5")
    Q_CLASSINFO("Guarded", "= 0")
public:
    explicit TProbe(TComponent* AOwner = nullptr) : TComponent(AOwner) { ++Alive; }
    ~TProbe() override { --Alive; }
    static inline int Alive = 0;
    // What the probes went through, in order: "Name.Count:state", "Name.Loaded".
    static inline QStringList Log;

    int Count() const { return FCount; }
    void SetCount(int v) {
        FCount = v;
        Log << QStringLiteral("%1.Count:%2").arg(Name()).arg(ComponentState());
    }
    TProbeShape Shape() const { return FShape; }
    void SetShape(TProbeShape v) { FShape = v; }
    TFontStyles Styles() const { return FStyles; }
    void SetStyles(TFontStyles v) { FStyles = v; }
    TColor Tint() const { return FTint; }
    void SetTint(TColor v) { FTint = v; }
    QString Text() const { return FText; }
    void SetText(const QString& v) { FText = v; }
    bool Active() const { return FActive; }
    void SetActive(bool v) { FActive = v; }
    double Ratio() const { return FRatio; }
    void SetRatio(double v) { FRatio = v; }
    TProbe* Buddy() const { return FBuddy; }
    void SetBuddy(TProbe* v) { FBuddy = v; }
    int Hidden() const { return FHidden; }
    void SetHidden(int v) { FHidden = v; }
    int Guarded() const { return FGuarded; }
    void SetGuarded(int v) { FGuarded = v; }
    QStringList Notes() const { return FNotes; }
    void SetNotes(const QStringList& v) { FNotes = v; }
    Q_INVOKABLE bool IsGuardedStored() const { return StoreGuarded; }
    bool StoreGuarded = true;

protected:
    void Loaded() override {
        TComponent::Loaded();
        Log << QStringLiteral("%1.Loaded:%2:%3").arg(Name()).arg(ComponentState()).arg(FBuddy ? FBuddy->Name() : "-");
    }
    // "OldCount" of earlier versions adds to Count; "Legacy" (a list) is read and dropped; "Summary" is
    // only ever written.
    void DefineProperties(TFiler* Filer) override {
        Filer->DefineProperty("OldCount", [this](TReader& r) { SetCount(FCount + int(r.ReadInteger())); }, nullptr,
                              false);
        Filer->DefineProperty("Legacy", [](TReader& r) { r.SkipValue(); }, nullptr, false);
        Filer->DefineProperty(
            "Extra", [this](TReader& r) { FExtra = r.ReadString(); }, [this](TWriter& w) { w.WriteString(FExtra); },
            !FExtra.isEmpty());
        Filer->DefineProperty(
            "Summary", nullptr, [](TWriter& w) { w.WriteInteger(1); }, false);
    }

public:
    QString FExtra;

private:
    int FCount = 3;
    TProbeShape FShape = shRound;
    TFontStyles FStyles = 0;
    TColor FTint = clBtnFace;
    QString FText;
    bool FActive = false;
    double FRatio = 1.5;
    TProbe* FBuddy = nullptr;
    int FHidden = 0;
    int FGuarded = 0;
    QStringList FNotes;
};

// A subclass with another default for Count.
class TProbeChild : public TProbe {
    Q_OBJECT
    Q_CLASSINFO("Count", "= 7")
public:
    explicit TProbeChild(TComponent* AOwner = nullptr) : TProbe(AOwner) { SetCount(7); }
};

inline void RegisterProbeTypes() {
    RegisterEnumType<TProbeShape>({"shRound", "shSquare", "shStar"});
    RegisterClass<TProbe>();
    RegisterClass<TProbeChild>();
}

// A component whose setter refuses values, with a date and a narrow integer, that counts the
// notifications it hears.
class TStrictProbe : public TComponent {
    Q_OBJECT
    Q_PROPERTY(int Percent READ Percent WRITE SetPercent)
    Q_PROPERTY(double Day READ Day WRITE SetDay)
    Q_PROPERTY(short Small READ Small WRITE SetSmall)
    Q_PROPERTY(ushort Port READ Port WRITE SetPort)
    Q_PROPERTY(uint Big READ Big WRITE SetBig)
    Q_PROPERTY(TStrictProbe* Partner READ Partner WRITE SetPartner)
    Q_CLASSINFO("Percent", "= 0")
    Q_CLASSINFO("Day", "TDateTime = 0")
    Q_CLASSINFO("Small", "= 0")
    Q_CLASSINFO("Port", "= 0")
    Q_CLASSINFO("Big", "= 0")
public:
    explicit TStrictProbe(TComponent* AOwner = nullptr) : TComponent(AOwner) {}
    static inline long Notifications = 0;

    int Percent() const { return FPercent; }
    void SetPercent(int v) {
        if (v < 0 || v > 100) throw EConvertError(QStringLiteral("%1 is no percentage").arg(v));
        FPercent = v;
    }
    double Day() const { return FDay; }
    void SetDay(double v) { FDay = v; }
    short Small() const { return FSmall; }
    void SetSmall(short v) { FSmall = v; }
    ushort Port() const { return FPort; }
    void SetPort(ushort v) { FPort = v; }
    uint Big() const { return FBig; }
    void SetBig(uint v) { FBig = v; }
    TStrictProbe* Partner() const { return FPartner; }
    void SetPartner(TStrictProbe* v) {
        if (v == this) throw EConvertError(QStringLiteral("A probe cannot be its own partner"));
        FPartner = v;
    }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override {
        ++Notifications;
        TComponent::Notification(AComponent, Operation);
    }

private:
    int FPercent = 0;
    double FDay = 0;
    short FSmall = 0;
    ushort FPort = 0;
    uint FBig = 0;
    TStrictProbe* FPartner = nullptr;
};

inline void RegisterStrictProbe() {
    RegisterClass<TStrictProbe>();
}

// Classes whose declarations name what does not exist: a default that is no colour, an enumeration
// whose names were never registered.
enum TUnnamedSize { szSmall, szLarge };

class TUnnamedEnumProbe : public TComponent {
    Q_OBJECT
    Q_PROPERTY(TUnnamedSize Size READ Size WRITE SetSize)
public:
    explicit TUnnamedEnumProbe(TComponent* AOwner = nullptr) : TComponent(AOwner) {}
    TUnnamedSize Size() const { return szSmall; }
    void SetSize(TUnnamedSize) {}
};

class TMisdeclaredProbe : public TComponent {
    Q_OBJECT
    Q_PROPERTY(TColor Tint READ Tint WRITE SetTint)
    Q_CLASSINFO("Tint", "TColor = clOrange")
public:
    explicit TMisdeclaredProbe(TComponent* AOwner = nullptr) : TComponent(AOwner) {}
    TColor Tint() const { return clBlack; }
    void SetTint(TColor) {}
};
