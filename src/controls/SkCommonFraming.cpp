#include "SkCommonFraming.h"

#include "SkGrafx.h"
#include "Streaming.h"
#include "TypInfo.h"

#include <QHash>
#include <algorithm>
#include <iterator>

void RegisterSkCommonTypes() {
    RegisterEnumType<TFrameStyleEx>({"fsNone", "fsFlat", "fsGroove", "fsBump", "fsLowered", "fsButtonDown",
                                     "fsRaised", "fsButtonUp", "fsStatus", "fsPopup", "fsFlatBold",
                                     "fsFlatRounded"});
    RegisterEnumNames(QStringLiteral("TSide"), {"sdLeft", "sdTop", "sdRight", "sdBottom"});
    RegisterSetType(QStringLiteral("TSides"), QStringLiteral("TSide"));
    RegisterEnumType<TFramingPreference>({"fpCustomFraming", "fpXPThemes"});
    RegisterEnumType<TSkFrameControllerProperty>(
        {"fcpColor", "fcpFocusColor", "fcpDisabledColor", "fcpReadOnlyColor", "fcpReadOnlyColorOnFocus",
         "fcpParentColor", "fcpFlatButtonColor", "fcpFlatButtons", "fcpFrameColor", "fcpFrameHotColor",
         "fcpFrameHotTrack", "fcpFrameHotStyle", "fcpFrameSides", "fcpFrameStyle", "fcpFrameVisible",
         "fcpFramingPreference", "fcpAll"});
    RegisterSetType(QStringLiteral("TSkFrameControllerNotifications"),
                    QStringLiteral("TSkFrameControllerProperty"));
    RegisterEnumType<TAlignmentVertical>({"avTop", "avCenter", "avBottom"});
    RegisterEnumType<TTextStyle>({"tsNormal", "tsRaised", "tsRecessed", "tsShadow"});
    RegisterEnumType<TOrientation>({"orHorizontal", "orVertical"});
    RegisterEnumType<TSkHotTrackColorType>({"htctComplement", "htctActual"});
    RegisterEnumType<TSkVisualStyle>({"vsClassic", "vsWinXP", "vsGradient"});
    RegisterEnumType<TSkButtonHotTrackStyle>({"htsInterior", "htsFrame"});
    RegisterEnumType<TSkGradientColorStyle>({"gcsSystem", "gcsMSOffice", "gcsCustom"});
    RegisterEnumType<TGradientDirection>(
        {"gdDiagonalUp", "gdDiagonalDown", "gdHorizontalEnd", "gdHorizontalCenter", "gdHorizontalBox",
         "gdVerticalEnd", "gdVerticalCenter", "gdVerticalBox", "gdSquareBox", "gdBigSquareBox"});
    RegisterEnumType<TSkPathType>({"ptIniFile", "ptRegistry"});
    RegisterEnumType<TSkRegKey>({"hkeyClassesRoot", "hkeyCurrentUser", "hkeyLocalMachine", "hkeyUsers",
                                 "hkeyPerformanceData", "hkeyCurrentConfig", "hkeyDynData"});
    RegisterEnumType<TSkRegAccessKey>({"keyQueryValue", "keySetValue", "keyCreateSubKey",
                                       "keyEnumerateSubKeys", "keyNotify", "keyCreateLink", "keyRead",
                                       "keyWrite", "keyExecute", "keyAllAccess"});
    RegisterSetType(QStringLiteral("TSkRegAccess"), QStringLiteral("TSkRegAccessKey"));
    RegisterEnumType<TSkSpecialFolder>(
        {"sfNone", "sfUserAppDataRoaming", "sfUserAppDataLocal", "sfUserDocuments", "sfProgramData"});
    RegisterEnumType<TSkIniFileEncoding>({"feDefault", "feUTF8", "feUnicode"});
}

namespace {
struct TFramingTypes {
    TFramingTypes() {
        RegisterSkCommonTypes();
        RegisterClass<TSkFrameController>();
        RegisterClass<TSkRegIniFile>();
    }
};
const TFramingTypes FramingTypes;

const char* const PropertyNames[fcpAll] = {"Color",
                                           "FocusColor",
                                           "DisabledColor",
                                           "ReadOnlyColor",
                                           "ReadOnlyColorOnFocus",
                                           "ParentColor",
                                           "FlatButtonColor",
                                           "FlatButtons",
                                           "FrameColor",
                                           "FrameHotColor",
                                           "FrameHotTrack",
                                           "FrameHotStyle",
                                           "FrameSides",
                                           "FrameStyle",
                                           "FrameVisible",
                                           "FramingPreference"};

// The order of a full push: ParentColor first, so that Color (written only without it) holds.
const TSkFrameControllerProperty FullPushOrder[fcpAll] = {
    fcpParentColor,          fcpColor,         fcpDisabledColor,   fcpReadOnlyColor,
    fcpReadOnlyColorOnFocus, fcpFocusColor,    fcpFlatButtonColor, fcpFlatButtons,
    fcpFrameColor,           fcpFrameHotColor, fcpFrameHotTrack,   fcpFrameHotStyle,
    fcpFrameSides,           fcpFrameStyle,    fcpFrameVisible,    fcpFramingPreference};
}  // namespace

// Controller --------------------------------------------------------------------------------------
TSkFrameController::TSkFrameController(TComponent* AOwner) : TComponent(AOwner) {}

TSkFrameController::~TSkFrameController() {
    // The registered controls hear of it through their free notification and forget the controller.
    FControls.clear();
}

void TSkFrameController::AddControl(TComponent* Control) {
    if (!Control || std::find(FControls.begin(), FControls.end(), Control) != FControls.end()) return;
    FControls.push_back(Control);
    // However the control goes, it leaves the list (Notification).
    FreeNotification(Control);
    UpdateControl(Control, fcpAll);
}

void TSkFrameController::RemoveControl(TComponent* Control) {
    FControls.erase(std::remove(FControls.begin(), FControls.end(), Control), FControls.end());
    if (FControls.empty()) FControls.shrink_to_fit();
}

void TSkFrameController::EndUpdate() {
    --FUpdateCount;
    if (FUpdateCount < 1) {
        FUpdateCount = 0;
        UpdateControls(fcpAll);
    }
}

void TSkFrameController::UpdateControls(TSkFrameControllerProperty Property) {
    if (FUpdateCount >= 1) return;
    // A control may leave while it is updated: walk a copy, skipping those gone.
    const std::vector<TComponent*> controls = FControls;
    for (TComponent* control : controls)
        if (std::find(FControls.begin(), FControls.end(), control) != FControls.end())
            UpdateControl(control, Property);
}

namespace {
// Where a class keeps the controller's properties: looked up by name once per class.
struct TFramedClass {
    const TPropInfo* Notifications = nullptr;
    const TPropInfo* Properties[fcpAll] = {};
};

const TFramedClass& FramedClass(const QMetaObject* meta) {
    static QHash<const QMetaObject*, TFramedClass> classes;
    auto found = classes.constFind(meta);
    if (found != classes.constEnd()) return *found;
    TFramedClass framed;
    framed.Notifications = GetPropInfo(meta, QStringLiteral("FrameControllerNotifications"));
    for (int p = 0; p < fcpAll; ++p) {
        const TPropInfo* info = GetPropInfo(meta, QString::fromLatin1(PropertyNames[p]));
        if (info && info->Prop.isWritable()) framed.Properties[p] = info;
    }
    return *classes.insert(meta, framed);
}
}  // namespace

void TSkFrameController::UpdateControl(TComponent* Control, TSkFrameControllerProperty Property) {
    auto* control = dynamic_cast<TControl*>(Control);
    if (!control) return;
    const TFramedClass& framed = FramedClass(control->metaObject());
    const TPropTarget target(control);
    TSkFrameControllerNotifications notifications = AllFrameControllerNotifications;
    if (framed.Notifications)
        notifications = TSkFrameControllerNotifications(target.Read(*framed.Notifications).toLongLong());
    if (auto* custom = dynamic_cast<ISkCustomFramingNotification*>(Control)) {
        custom->CustomFramingChanged();
        return;
    }
    auto write = [&](TSkFrameControllerProperty p) {
        if ((notifications & FrameControllerBit(p)) && framed.Properties[p])
            WriteProperty(target, *framed.Properties[p], p);
    };
    if (Property != fcpAll) return write(Property);
    for (const TSkFrameControllerProperty p : FullPushOrder)
        if (p != fcpColor || !FParentColor) write(p);
}

void TSkFrameController::WriteProperty(const TPropTarget& Target, const TPropInfo& Info,
                                       TSkFrameControllerProperty Property) {
    std::int64_t value = 0;
    switch (Property) {
    case fcpColor:
        value = FColor;
        break;
    case fcpFocusColor:
        value = FBlock.FocusColor;
        break;
    case fcpDisabledColor:
        value = FBlock.DisabledColor;
        break;
    case fcpReadOnlyColor:
        value = FBlock.ReadOnlyColor;
        break;
    case fcpReadOnlyColorOnFocus:
        value = FBlock.ReadOnlyColorOnFocus;
        break;
    case fcpParentColor:
        value = FParentColor;
        break;
    case fcpFlatButtonColor:
        value = FBlock.FlatButtonColor;
        break;
    case fcpFlatButtons:
        value = FBlock.FlatButtons;
        break;
    case fcpFrameColor:
        value = FBlock.FrameColor;
        break;
    case fcpFrameHotColor:
        value = FBlock.FrameHotColor;
        break;
    case fcpFrameHotTrack:
        value = FBlock.FrameHotTrack;
        break;
    case fcpFrameHotStyle:
        value = FBlock.FrameHotStyle;
        break;
    case fcpFrameSides: {
        // Through the set's text form, so the control takes the sides by their names.
        static const TPropInfo* const own = GetPropInfo(&staticMetaObject, QStringLiteral("FrameSides"));
        value = StringToSet(Info, SetToString(*own, FBlock.FrameSides));
        break;
    }
    case fcpFrameStyle:
        value = FBlock.FrameStyle;
        break;
    case fcpFrameVisible:
        value = FBlock.FrameVisible;
        break;
    case fcpFramingPreference:
        value = FBlock.FramingPreference;
        break;
    default:
        return;
    }
    SetOrdValue(Target, Info, value);
}

void TSkFrameController::Assign(TPersistent* Source) {
    auto* source = dynamic_cast<TSkFrameController*>(Source);
    if (!source) return TComponent::Assign(Source);
    BeginUpdate();
    FColor = source->FColor;
    FParentColor = source->FParentColor;
    FBlock = source->FBlock;
    SetRegIniFile(source->FRegIniFile);
    EndUpdate();
}

void TSkFrameController::SetColor(TColor Value) {
    if (Value == FColor) return;
    const bool focusFollows = FBlock.FocusColor == FColor;
    FColor = Value;
    FParentColor = false;
    UpdateControls(fcpColor);
    if (focusFollows) SetFocusColor(Value);
}

void TSkFrameController::SetParentColor(bool Value) {
    if (Value == FParentColor) return;
    FParentColor = Value;
    UpdateControls(fcpParentColor);
    if (!Value) UpdateControls(fcpColor);
}

void TSkFrameController::SetFrameHotTrack(bool Value) {
    if (Value == FBlock.FrameHotTrack) return;
    FBlock.FrameHotTrack = Value;
    if (Value) {
        SetFrameVisible(true);
        if (!(ComponentState() & csLoading)) FBlock.FrameSides = AllSides;
    }
    UpdateControls(fcpFrameHotTrack);
}

void TSkFrameController::SetRegIniFile(TSkRegIniFile* Value) {
    if (Value == FRegIniFile) return;
    FRegIniFile = Value;
    if (Value) Value->FreeNotification(this);
}

void TSkFrameController::Loaded() {
    TComponent::Loaded();
    UpdateControls(fcpAll);
}

void TSkFrameController::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FRegIniFile) FRegIniFile = nullptr;
    // A control that goes or leaves the form leaves the list with it.
    RemoveControl(AComponent);
}

void TSkFrameController::DefineProperties(TFiler* Filer) {
    TComponent::DefineProperties(Filer);
    DefineOldFrameProperties(Filer, this);
}

// A framed control's side ---------------------------------------------------------------------------
void SetFrameControllerOf(TControl* Control, TSkFrameController*& Field, TSkFrameController* Value) {
    if (Value == Field) return;
    if (Field) {
        Field->RemoveControl(Control);
        Control->RemoveFreeNotification(Field);
    }
    Field = Value;
    if (Value) {
        Value->FreeNotification(Control);
        Value->AddControl(Control);
    }
}

bool FrameBlockStored(const TSkFrameController* Controller, TSkFrameControllerNotifications Notifications,
                      TSkFrameControllerProperty Property) {
    return !Controller || !(Notifications & FrameControllerBit(Property));
}

// Old names -------------------------------------------------------------------------------------
void TSkOldPropReader::ReadOldBooleanProp(TReader& Reader) {
    Reader.ReadBoolean();
}

void TSkOldPropReader::ReadOldIdentProp(TReader& Reader) {
    Reader.ReadIdent();
}

void TSkOldPropReader::ReadOldIntegerProp(TReader& Reader) {
    Reader.ReadInteger();
}

void TSkOldPropReader::ReadOldStringsProp(TReader& Reader) {
    if (Reader.NextValue() == vaList) {
        Reader.ReadListBegin();
        while (!Reader.EndOfList())
            Reader.ReadString();
        Reader.ReadListEnd();
        return;
    }
    while (!Reader.ReadString().isEmpty()) {
    }
}

void DefineOldFrameProperties(TFiler* Filer, QObject* Instance) {
    Filer->DefineProperty(
        QStringLiteral("FrameFlat"),
        [Instance](TReader& reader) {
            const bool flat = reader.ReadBoolean();
            SetOrdProp(Instance, QStringLiteral("FrameHotTrack"), flat);
            if (!flat) return;
            SetEnumProp(Instance, QStringLiteral("FrameStyle"), QStringLiteral("fsStatus"));
            SetEnumProp(Instance, QStringLiteral("FrameHotStyle"), QStringLiteral("fsLowered"));
        },
        nullptr, false);
    Filer->DefineProperty(
        QStringLiteral("FrameFocusStyle"),
        [Instance](TReader& reader) {
            SetEnumProp(Instance, QStringLiteral("FrameHotStyle"), reader.ReadIdent());
        },
        nullptr, false);
    Filer->DefineProperty(QStringLiteral("FrameFlatStyle"), TSkOldPropReader::ReadOldIdentProp, nullptr,
                          false);
}
