#include "Classes.h"

#include "FileReplace.h"
#include "SysUtils.h"

#include <QFile>
#include <algorithm>

namespace {
QString ClassNameOf(TPersistent* object) {
    if (auto* qobject = dynamic_cast<QObject*>(object))
        return QString::fromLatin1(qobject->metaObject()->className());
    return object ? QStringLiteral("TPersistent") : QStringLiteral("nil");
}
}  // namespace

void TPersistent::Assign(TPersistent* Source) {
    if (Source)
        Source->AssignTo(this);
    else
        AssignTo(nullptr);
}

void TPersistent::AssignTo(TPersistent* Dest) {
    throw EConvertError(
        QStringLiteral("Cannot assign a %1 to a %2").arg(ClassNameOf(this), ClassNameOf(Dest)));
}

TComponent::TComponent(TComponent* AOwner) : QObject(AOwner), FOwner(AOwner) {
    if (FOwner) {
        FOwner->FComponents.push_back(this);
        // What is put into a form in the designer is in the designer too.
        if (FOwner->FComponentState & csDesigning) FComponentState |= csDesigning;
        FOwner->Notification(this, opInsert);
    }
}

TComponent::~TComponent() {
    Destroying();
    SendRemoveToFreeNotifies();
    DestroyComponents();
    if (FOwner) FOwner->RemoveComponent(this);
}

void TComponent::Destroying() {
    if (FComponentState & csDestroying) return;
    FComponentState |= csDestroying;
    for (TComponent* c : FComponents)
        c->Destroying();
}

void TComponent::NotifyInserted() {
    if (FOwner) FOwner->Notification(this, opInsert);
}

void TComponent::BeginDestruction() {
    Destroying();
    SendRemoveToFreeNotifies();
    if (FOwner) FOwner->RemoveComponent(this);
}

void TComponent::SendRemoveToFreeNotifies() {
    while (!FFreeNotifies.empty()) {
        TComponent* other = FFreeNotifies.back();
        FFreeNotifies.pop_back();
        auto& back = other->FFreeNotifies;
        back.erase(std::remove(back.begin(), back.end(), this), back.end());
        other->Notification(this, opRemove);
    }
}

void TComponent::DestroyComponents() {
    while (!FComponents.empty()) {
        TComponent* child = FComponents.back();
        child->FOwner = nullptr;
        FComponents.pop_back();
        DropInsertListener(child);
        UnindexName(child);
        delete child;
    }
}

void TComponent::WantInsertNotifications() {
    if (FWantsInserts) return;
    FWantsInserts = true;
    if (FOwner) FOwner->FInsertListeners.push_back(this);
}

void TComponent::DropInsertListener(TComponent* AComponent) {
    if (!AComponent->FWantsInserts) return;
    auto& listeners = FInsertListeners;
    listeners.erase(std::remove(listeners.begin(), listeners.end(), AComponent), listeners.end());
}

void TComponent::InsertComponent(TComponent* AComponent) {
    if (!AComponent || AComponent->FOwner == this) return;
    if (AComponent->FOwner) AComponent->FOwner->RemoveComponent(AComponent);
    FComponents.push_back(AComponent);
    if (AComponent->FWantsInserts) FInsertListeners.push_back(AComponent);
    IndexName(AComponent);
    AComponent->FOwner = this;
    AComponent->setParent(this);
    Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
    if (!AComponent || AComponent->FOwner != this) return;
    Notification(AComponent, opRemove);
    FComponents.erase(std::remove(FComponents.begin(), FComponents.end(), AComponent), FComponents.end());
    DropInsertListener(AComponent);
    UnindexName(AComponent);
    AComponent->FOwner = nullptr;
    if (!(AComponent->FComponentState & csDestroying)) AComponent->setParent(nullptr);
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opRemove && AComponent) RemoveFreeNotification(AComponent);
    // Newest first. A handler may free or add components of this one: the list is read afresh at
    // each step, and when it changed the walk goes on below the hearer's new place (or where it
    // was, when it went), so a freed component is never reached.
    const std::vector<TComponent*>& hearers = Operation == opInsert ? FInsertListeners : FComponents;
    for (size_t i = hearers.size(); i > 0;) {
        TComponent* hearer = hearers[--i];
        hearer->Notification(AComponent, Operation);
        if (i < hearers.size() && hearers[i] == hearer) continue;
        const auto at = std::find(hearers.begin(), hearers.end(), hearer);
        i = at != hearers.end() ? size_t(at - hearers.begin()) : std::min(i, hearers.size());
    }
}

void TComponent::FreeNotification(TComponent* AComponent) {
    if (!AComponent || AComponent == this) return;
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end())
        FFreeNotifies.push_back(AComponent);
    auto& back = AComponent->FFreeNotifies;
    if (std::find(back.begin(), back.end(), this) == back.end()) back.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
    if (!AComponent) return;
    FFreeNotifies.erase(std::remove(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent),
                        FFreeNotifies.end());
    auto& back = AComponent->FFreeNotifies;
    back.erase(std::remove(back.begin(), back.end(), this), back.end());
}

void TComponent::SetDesigning(bool Value, bool SetChildren) {
    if (Value)
        FComponentState |= csDesigning;
    else
        FComponentState &= ~csDesigning;
    if (SetChildren)
        for (TComponent* c : FComponents)
            c->SetDesigning(Value, true);
}

void TComponent::Loaded() {
    FComponentState &= ~csLoading;
}

void TComponent::SetName(const QString& name) {
    if (FOwner) FOwner->UnindexName(this);
    setObjectName(name);
    if (FOwner) FOwner->IndexName(this);
}

void TComponent::IndexName(TComponent* AComponent) {
    if (!AComponent->Name().isEmpty()) FNames.insert(AComponent->Name().toCaseFolded(), AComponent);
}

void TComponent::UnindexName(TComponent* AComponent) {
    if (!AComponent->Name().isEmpty()) FNames.remove(AComponent->Name().toCaseFolded(), AComponent);
}

TComponent* TComponent::FindComponent(const QString& name) const {
    const QString key = name.toCaseFolded();
    const auto first = FNames.constFind(key);
    if (first == FNames.constEnd()) return nullptr;
    if (FNames.count(key) == 1) return *first;
    // Names shared by several components are rare: the one owned first wins.
    for (TComponent* c : FComponents)
        if (c->Name().compare(name, Qt::CaseInsensitive) == 0) return c;
    return nullptr;
}

int TStringList::AddObject(const QString& s, TObject* object) {
    FItems.emplace_back(s, object);
    Spliced(Count() - 1, 0, 1);
    return Count() - 1;
}

void TStringList::Insert(int index, const QString& s, TObject* object) {
    index = std::clamp(index, 0, Count());
    FItems.insert(FItems.begin() + index, {s, object});
    Spliced(index, 0, 1);
}

void TStringList::Delete(int index) {
    if (index < 0 || index >= Count()) throw Exception(QStringLiteral("List index out of bounds (%1)").arg(index));
    FItems.erase(FItems.begin() + index);
    Spliced(index, 1, 0);
}

void TStringList::Clear() {
    if (FItems.empty()) return;
    const int removed = Count();
    FItems.clear();
    Spliced(0, removed, 0);
}

int TStringList::IndexOf(const QString& s) const {
    for (int i = 0; i < Count(); ++i)
        if (FItems[i].first.compare(s, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

const QString& TStringList::Strings(int index) const {
    if (index < 0 || index >= Count()) throw Exception(QStringLiteral("List index out of bounds (%1)").arg(index));
    return FItems[index].first;
}

QString& TStringList::operator[](int index) { return const_cast<QString&>(Strings(index)); }

void TStringList::SetStrings(int index, const QString& s) {
    (*this)[index] = s;
    Spliced(index, 0, 0);
}

TObject* TStringList::Objects(int index) const {
    if (index < 0 || index >= Count()) throw Exception(QStringLiteral("List index out of bounds (%1)").arg(index));
    return FItems[index].second;
}

void TStringList::SetObjects(int index, TObject* object) {
    Objects(index);
    FItems[index].second = object;
    Spliced(index, 0, 0);
}

QString TStringList::Text() const {
    QString r;
    for (const auto& item : FItems) r += item.first + QLatin1Char('\n');
    return r;
}

void TStringList::SetText(const QString& text) {
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QStringList lines = t.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    Assign(lines);
}

QStringList TStringList::ToQStringList() const {
    QStringList r;
    for (const auto& item : FItems) r << item.first;
    return r;
}

void TStringList::Assign(const QStringList& lines) {
    const int removed = Count();
    FItems.clear();
    for (const QString& line : lines) FItems.emplace_back(line, nullptr);
    Spliced(0, removed, Count());
}

void TStringList::SaveToFile(const QString& fileName) const {
    SaveBytesToFile(fileName, Text().toUtf8());
}

void TStringList::LoadFromFile(const QString& fileName) {
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly)) throw Exception(QStringLiteral("无法读取文件 %1：%2").arg(fileName, f.errorString()));
    SetText(QString::fromUtf8(f.readAll()));
}
