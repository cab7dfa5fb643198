// The check list's items: texts and objects in the list box, packets beside them.
#include "SkChkLst.h"

#include "FileReplace.h"
#include "Streams.h"
#include "SysUtils.h"

#include <QFile>
#include <utility>

namespace {
[[noreturn]] void IndexError(int Index) {
    throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
}

// Ends a run of changes also when the run throws.
class TUpdateGuard {
public:
    explicit TUpdateGuard(TSkCheckListStrings* Strings) : FStrings(Strings) { FStrings->BeginUpdate(); }
    ~TUpdateGuard() { FStrings->EndUpdate(); }
    TUpdateGuard(const TUpdateGuard&) = delete;
    TUpdateGuard& operator=(const TUpdateGuard&) = delete;

private:
    TSkCheckListStrings* FStrings;
};

// Marks the owner as inserting while an item goes into the list box.
class TInsertingGuard {
public:
    explicit TInsertingGuard(TSkCheckList* List) : FList(List) { FList->SetInserting(true); }
    ~TInsertingGuard() { FList->SetInserting(false); }
    TInsertingGuard(const TInsertingGuard&) = delete;
    TInsertingGuard& operator=(const TInsertingGuard&) = delete;

private:
    TSkCheckList* FList;
};
}  // namespace

TSkCheckListStrings::TSkCheckListStrings(TSkCheckList* Owner) : FOwner(Owner) {}

TStringList* TSkCheckListStrings::Window() const {
    return static_cast<TSkCustomTabbedListBox*>(FOwner)->Items();
}

int TSkCheckListStrings::Count() const {
    return Window()->Count();
}

const QString& TSkCheckListStrings::Strings(int Index) const {
    if (Index < 0 || Index >= Count()) IndexError(Index);
    return Window()->Strings(Index);
}

TObject* TSkCheckListStrings::Objects(int Index) const {
    if (Index < 0 || Index >= Count()) IndexError(Index);
    return Window()->Objects(Index);
}

int TSkCheckListStrings::IndexOf(const QString& S) const {
    return Window()->IndexOf(S);
}

TPacket& TSkCheckListStrings::Packets(int Index) {
    if (Index < 0 || Index >= int(FPackets.size())) IndexError(Index);
    return FPackets[Index];
}

const TPacket& TSkCheckListStrings::Packets(int Index) const {
    return const_cast<TSkCheckListStrings*>(this)->Packets(Index);
}

void TSkCheckListStrings::Spliced(int Index, int Removed, int Inserted) {
    FPackets.erase(FPackets.begin() + Index, FPackets.begin() + Index + Removed);
    FPackets.insert(FPackets.begin() + Index, Inserted, TPacket{});
}

int TSkCheckListStrings::AddObject(const QString& S, TObject* Object) {
    TInsertingGuard inserting(FOwner);
    return Window()->AddObject(S, Object);
}

void TSkCheckListStrings::Insert(int Index, const QString& S, TObject* Object) {
    if (Index < 0 || Index > Count()) IndexError(Index);
    TInsertingGuard inserting(FOwner);
    Window()->Insert(Index, S, Object);
}

void TSkCheckListStrings::Delete(int Index) {
    if (Index < 0 || Index >= Count()) IndexError(Index);
    Window()->Delete(Index);
}

void TSkCheckListStrings::Clear() {
    Window()->Clear();
}

void TSkCheckListStrings::SetStrings(int Index, const QString& S) {
    if (Index < 0 || Index >= Count()) IndexError(Index);
    Window()->SetStrings(Index, S);
}

void TSkCheckListStrings::SetObjects(int Index, TObject* Object) {
    if (Index < 0 || Index >= Count()) IndexError(Index);
    Window()->SetObjects(Index, Object);
}

void TSkCheckListStrings::Exchange(int Index1, int Index2) {
    if (Index1 < 0 || Index1 >= Count()) IndexError(Index1);
    if (Index2 < 0 || Index2 >= Count()) IndexError(Index2);
    if (Index1 == Index2) return;
    TUpdateGuard update(this);
    const QString text1 = Strings(Index1);
    TObject* object1 = Objects(Index1);
    Window()->SetStrings(Index1, Strings(Index2));
    Window()->SetObjects(Index1, Objects(Index2));
    Window()->SetStrings(Index2, text1);
    Window()->SetObjects(Index2, object1);
    std::swap(FPackets[Index1], FPackets[Index2]);
}

void TSkCheckListStrings::Move(int CurIndex, int NewIndex) {
    if (CurIndex < 0 || CurIndex >= Count()) IndexError(CurIndex);
    if (NewIndex < 0 || NewIndex >= Count()) IndexError(NewIndex);
    if (CurIndex == NewIndex) return;
    TUpdateGuard update(this);
    const QString text = Strings(CurIndex);
    TObject* object = Objects(CurIndex);
    const TPacket packet = FPackets[CurIndex];
    Window()->Delete(CurIndex);
    Insert(NewIndex, text, object);
    FPackets[NewIndex] = packet;
}

QString TSkCheckListStrings::Text() const {
    return Window()->Text();
}

void TSkCheckListStrings::SetText(const QString& Text) {
    TUpdateGuard update(this);
    Window()->SetText(Text);
}

QStringList TSkCheckListStrings::ToQStringList() const {
    return Window()->ToQStringList();
}

void TSkCheckListStrings::AddDecoded(const TCheckListLine& Line, TObject* Object) {
    const int index = AddObject(Line.Text, Object);
    FPackets[index] = Line.Packet;
}

void TSkCheckListStrings::AddStrings(const TSkCheckListStrings* Source) {
    TUpdateGuard update(this);
    // A copy first: the source may be this list.
    TPacketStringList copy;
    copy.AddStrings(Source);
    AddStrings(&copy);
}

void TSkCheckListStrings::AddStrings(const TPacketStringList* Source) {
    TUpdateGuard update(this);
    for (int i = 0; i < Source->Count(); ++i)
        AddDecoded({Source->Packets(i), Source->Strings(i)}, Source->Objects(i));
}

void TSkCheckListStrings::AddStrings(const TStringList* Source) {
    TUpdateGuard update(this);
    for (int i = 0; i < Source->Count(); ++i)
        AddDecoded(ReadCheckListLine(Source->Strings(i)), Source->Objects(i));
}

void TSkCheckListStrings::AddStrings(const QStringList& Lines) {
    TUpdateGuard update(this);
    for (const QString& line : Lines)
        AddDecoded(ReadCheckListLine(line), nullptr);
}

void TSkCheckListStrings::Assign(const TSkCheckListStrings* Source) {
    if (Source == this) return;
    TUpdateGuard update(this);
    Clear();
    AddStrings(Source);
}

void TSkCheckListStrings::Assign(const TPacketStringList* Source) {
    TUpdateGuard update(this);
    Clear();
    AddStrings(Source);
}

void TSkCheckListStrings::ReplaceAll(const QStringList& Texts, std::vector<TPacket> Packets) {
    TUpdateGuard update(this);
    Window()->Assign(Texts);
    FPackets = std::move(Packets);
}

void TSkCheckListStrings::SaveToStream(TStream* Stream) const {
    QByteArray bytes;
    for (int i = 0; i < Count(); ++i) {
        // Whatever is saved must load back the same: an item the line cannot carry stops the save
        // before anything is written.
        if (const QString fault = CheckListLineFault(FPackets[i], Window()->Strings(i)); !fault.isEmpty())
            throw EWriteError(QStringLiteral("第 %1 项无法保存：%2").arg(i + 1).arg(fault));
        bytes += CheckListLine(FPackets[i], Window()->Strings(i)).toUtf8();
        bytes += "\r\n";
    }
    if (!bytes.isEmpty()) Stream->WriteBuffer(bytes.constData(), bytes.size());
}

void TSkCheckListStrings::LoadFromStream(TStream* Stream) {
    // Whatever the stream yields is read; every line becomes an item, however it is formed.
    QByteArray bytes;
    char buffer[65536];
    for (std::int64_t got; (got = Stream->Read(buffer, sizeof buffer)) > 0;)
        bytes.append(buffer, qsizetype(got));
    const QStringList lines = SplitStreamLines(bytes);
    QStringList texts;
    texts.reserve(lines.size());
    std::vector<TPacket> packets;
    packets.reserve(lines.size());
    for (const QString& line : lines) {
        TCheckListLine item = ReadCheckListLine(line);
        texts << std::move(item.Text);
        packets.push_back(item.Packet);
    }
    ReplaceAll(texts, std::move(packets));
}

void TSkCheckListStrings::SaveToFile(const QString& FileName) const {
    TMemoryStream stream;
    SaveToStream(&stream);
    SaveBytesToFile(FileName, stream.Bytes());
}

void TSkCheckListStrings::LoadFromFile(const QString& FileName) {
    TMemoryStream stream;
    stream.LoadFromFile(FileName);
    LoadFromStream(&stream);
}

void TSkCheckListStrings::BeginUpdate() {
    ++FUpdateCount;
}

void TSkCheckListStrings::EndUpdate() {
    if (FUpdateCount > 0 && --FUpdateCount == 0) FOwner->ItemsUpdated();
}
