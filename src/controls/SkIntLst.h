// The integer list: a persistent list of 32-bit integers with an optional allowed range, an optional
// ascending order with a rule for duplicates, and streaming into form files.
#pragma once

#include "Classes.h"
#include "SysUtils.h"

#include <vector>

// A value outside the list's allowed range.
class EOutOfRange : public Exception {
public:
    using Exception::Exception;
};

class TSkIntegerList : public TPersistent {
public:
    TSkIntegerList() = default;
    ~TSkIntegerList() override = default;

    // From another integer list: its items, added under this list's own range, order and
    // duplicates rules.
    void Assign(TPersistent* Source) override;

    // Halving search over the ascending items: whether Value is there, and in Index its position or
    // the place it belongs.
    virtual bool Find(int Value, int& Index) const;
    // The ascending order, unless the list already keeps it.
    virtual void Sort();
    // Appends (unsorted) or inserts in order (sorted); the index of the value. With dupIgnore a value
    // the list already holds is not added again and its index is returned.
    virtual int Add(int Value);
    virtual void AddIntegers(const TSkIntegerList* List);
    virtual void Clear();
    virtual void Delete(int Index);
    virtual void Exchange(int Index1, int Index2);
    // The first index holding Value, -1 when absent.
    virtual int IndexOf(int Value) const;
    // Refused on a sorted list.
    virtual void Insert(int Index, int Value);
    virtual void Move(int CurIndex, int NewIndex);

    int Count() const { return int(FItems.size()); }
    int Items(int Index) const;
    void SetItems(int Index, int Value) { PutItem(Index, Value); }

    TDuplicates Duplicates() const { return FDuplicates; }
    void SetDuplicates(TDuplicates Value) { FDuplicates = Value; }
    // The allowed range [Min, Max]; no range applies while Min equals Max. Neither may cut off an
    // item the list holds.
    int Min() const { return FMin; }
    void SetMin(int Value);
    int Max() const { return FMax; }
    void SetMax(int Value);
    bool Sorted() const { return FSorted; }
    // Turning the order on sorts the items.
    void SetSorted(bool Value);

    // Streams "Min", "Max" (unless the owner fixes the range) and "Integers" under Prefix: an owner
    // that keeps the list unpublished streams it under its own name ("TabStops.").
    void DefineIntegerProperties(TFiler* Filer, const QString& Prefix, bool WithRange = true);
    bool Equals(const TSkIntegerList& Other) const { return FItems == Other.FItems; }

protected:
    void DefineProperties(TFiler* Filer) override { DefineIntegerProperties(Filer, QString()); }
    // Replaces the item at Index after the range check; a sorted list refuses, since the new value
    // could break its order.
    virtual void PutItem(int Index, int Value);
    // Inserts at Index after the range check; with dupIgnore a value already held is skipped.
    virtual void InsertItem(int Index, int Value);
    // The range check of every write.
    void CheckRange(int Value) const;
    void CheckIndex(int Index) const;

private:
    void DefineRangeProperties(TFiler* Filer, const QString& Prefix);
    void DefineItemsProperty(TFiler* Filer, const QString& Prefix);
    std::vector<int> FItems;
    TDuplicates FDuplicates = dupIgnore;
    int FMin = 0, FMax = 0;
    bool FSorted = false;
};
