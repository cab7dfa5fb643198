#include "SkIntLst.h"

#include "Streaming.h"

#include <algorithm>
#include <utility>

namespace {

QString OutOfBounds(int Index) {
    return QStringLiteral("List index out of bounds (%1)").arg(Index);
}

const QString SortedListError = QStringLiteral("Operation not allowed on sorted list");

}  // namespace

void TSkIntegerList::Assign(TPersistent* Source) {
    if (auto* list = dynamic_cast<TSkIntegerList*>(Source)) {
        if (list == this) return;
        Clear();
        AddIntegers(list);
        return;
    }
    TPersistent::Assign(Source);
}

int TSkIntegerList::Items(int Index) const {
    CheckIndex(Index);
    return FItems[Index];
}

void TSkIntegerList::CheckIndex(int Index) const {
    if (Index < 0 || Index >= Count()) throw EListError(OutOfBounds(Index));
}

void TSkIntegerList::CheckRange(int Value) const {
    if (FMin != FMax && (Value < FMin || Value > FMax))
        throw EOutOfRange(QStringLiteral("Value must be within %1..%2").arg(FMin).arg(FMax));
}

bool TSkIntegerList::Find(int Value, int& Index) const {
    bool found = false;
    int L = 0, H = Count() - 1;
    while (L <= H) {
        const int M = (L + H) / 2;
        if (FItems[M] < Value) {
            L = M + 1;
        } else {
            H = M - 1;
            if (FItems[M] == Value) {
                found = true;
                if (FDuplicates != dupAccept) L = M;
            }
        }
    }
    Index = L;
    return found;
}

void TSkIntegerList::Sort() {
    if (!FSorted) std::sort(FItems.begin(), FItems.end());
}

void TSkIntegerList::SetSorted(bool Value) {
    if (FSorted == Value) return;
    if (Value) Sort();
    FSorted = Value;
}

int TSkIntegerList::Add(int Value) {
    int index = Count();
    if (FSorted && Find(Value, index)) {
        if (FDuplicates == dupIgnore) return index;
        if (FDuplicates == dupError) throw EListError(QStringLiteral("Duplicates not allowed"));
    }
    if (!FSorted && FDuplicates == dupIgnore) {
        // The value is not added again: the caller learns where it already is.
        const int existing = IndexOf(Value);
        if (existing >= 0) return existing;
    }
    InsertItem(index, Value);
    return index;
}

void TSkIntegerList::AddIntegers(const TSkIntegerList* List) {
    // Copied first: adding a list to itself must not run on forever.
    const std::vector<int> items = List->FItems;
    for (int value : items)
        Add(value);
}

void TSkIntegerList::InsertItem(int Index, int Value) {
    CheckRange(Value);
    if (FDuplicates == dupIgnore && IndexOf(Value) >= 0) return;
    FItems.insert(FItems.begin() + Index, Value);
}

void TSkIntegerList::Insert(int Index, int Value) {
    if (FSorted) throw EListError(SortedListError);
    if (Index < 0 || Index > Count()) throw EListError(OutOfBounds(Index));
    InsertItem(Index, Value);
}

void TSkIntegerList::PutItem(int Index, int Value) {
    CheckIndex(Index);
    if (FSorted) throw EListError(SortedListError);
    CheckRange(Value);
    FItems[Index] = Value;
}

void TSkIntegerList::Clear() {
    FItems.clear();
}

void TSkIntegerList::Delete(int Index) {
    CheckIndex(Index);
    FItems.erase(FItems.begin() + Index);
}

// Exchanging or moving items would break a sorted list's order (and IndexOf's halving search with
// it), so a sorted list refuses both, as it refuses writing an item.
void TSkIntegerList::Exchange(int Index1, int Index2) {
    CheckIndex(Index1);
    CheckIndex(Index2);
    if (FSorted) throw EListError(SortedListError);
    std::swap(FItems[Index1], FItems[Index2]);
}

void TSkIntegerList::Move(int CurIndex, int NewIndex) {
    if (CurIndex == NewIndex) return;
    CheckIndex(CurIndex);
    CheckIndex(NewIndex);
    if (FSorted) throw EListError(SortedListError);
    const int value = FItems[CurIndex];
    FItems.erase(FItems.begin() + CurIndex);
    FItems.insert(FItems.begin() + NewIndex, value);
}

int TSkIntegerList::IndexOf(int Value) const {
    if (FSorted) {
        int index = -1;
        return Find(Value, index) ? index : -1;
    }
    for (int i = 0; i < Count(); ++i)
        if (FItems[i] == Value) return i;
    return -1;
}

void TSkIntegerList::SetMin(int Value) {
    if (Value == FMin) return;
    for (int item : FItems)
        if (item < Value)
            throw EOutOfRange(
                QStringLiteral("Unable to set new minimum value.\rList contains values below %1").arg(Value));
    FMin = Value;
    if (Value > FMax) FMax = Value;
}

void TSkIntegerList::SetMax(int Value) {
    if (Value == FMax) return;
    for (int item : FItems)
        if (item > Value)
            throw EOutOfRange(
                QStringLiteral("Unable to set new maximum value.\rList contains values above %1").arg(Value));
    FMax = Value;
    if (Value < FMin) FMin = Value;
}

void TSkIntegerList::DefineIntegerProperties(TFiler* Filer, const QString& Prefix, bool WithRange) {
    if (WithRange) DefineRangeProperties(Filer, Prefix);
    DefineItemsProperty(Filer, Prefix);
}

void TSkIntegerList::DefineRangeProperties(TFiler* Filer, const QString& Prefix) {
    // Read straight into the range: a stored range is taken as it stands, the items checked later.
    Filer->DefineProperty(
        Prefix + QStringLiteral("Min"), [this](TReader& Reader) { FMin = Reader.ReadInt32(); },
        [this](TWriter& Writer) { Writer.WriteInteger(FMin); }, FMin != 0);
    Filer->DefineProperty(
        Prefix + QStringLiteral("Max"), [this](TReader& Reader) { FMax = Reader.ReadInt32(); },
        [this](TWriter& Writer) { Writer.WriteInteger(FMax); }, FMax != 0);
}

void TSkIntegerList::DefineItemsProperty(TFiler* Filer, const QString& Prefix) {
    Filer->DefineProperty(
        Prefix + QStringLiteral("Integers"),
        [this](TReader& Reader) {
            // Stored items load whatever range was read before them; later writes are checked.
            const int min = std::exchange(FMin, 0), max = std::exchange(FMax, 0);
            try {
                Clear();
                Reader.ReadListBegin();
                while (!Reader.EndOfList())
                    Add(Reader.ReadInt32());
                Reader.ReadListEnd();
            } catch (...) {
                FMin = min;
                FMax = max;
                throw;
            }
            FMin = min;
            FMax = max;
        },
        [this](TWriter& Writer) {
            Writer.WriteListBegin();
            for (int value : FItems)
                Writer.WriteInteger(value);
            Writer.WriteListEnd();
        },
        Count() > 0);
}
