#include "DB.h"

#include <algorithm>

// TDataLink ---------------------------------------------------------------------------------------

TDataLink::~TDataLink() {
    if (FDataSource) {
        auto& links = FDataSource->FLinks;
        links.erase(std::remove(links.begin(), links.end(), this), links.end());
    }
}

void TDataLink::SetDataSource(TDataSource* source) {
    if (source == FDataSource) return;
    if (FDataSource) {
        auto& links = FDataSource->FLinks;
        links.erase(std::remove(links.begin(), links.end(), this), links.end());
    }
    FDataSource = source;
    if (FDataSource) FDataSource->FLinks.push_back(this);
    ActiveChanged();
}

TADOQuery* TDataLink::DataSet() const {
    return FDataSource ? FDataSource->DataSet() : nullptr;
}

bool TDataLink::Active() const {
    TADOQuery* query = DataSet();
    return query && query->Active();
}

// TDataSource -------------------------------------------------------------------------------------

TDataSource::TDataSource(TComponent* AOwner) : TComponent(AOwner) {}

TDataSource::~TDataSource() {
    if (FDataSet) QObject::disconnect(FDataSet, nullptr, this, nullptr);
    const auto links = FLinks;
    FLinks.clear();
    for (TDataLink* link : links) {
        link->FDataSource = nullptr;
        link->ActiveChanged();
    }
}

void TDataSource::SetDataSet(TADOQuery* dataSet) {
    if (dataSet == FDataSet) return;
    if (FDataSet) QObject::disconnect(FDataSet, nullptr, this, nullptr);
    FDataSet = dataSet;
    if (FDataSet) {
        connect(FDataSet, &TADOQuery::DataChanged, this, &TDataSource::DataSetChanged);
        // A freed query leaves the source empty: FDataSet is already null when this is heard.
        connect(FDataSet, &QObject::destroyed, this, &TDataSource::DataSetChanged);
    }
    FKnownActive = FDataSet && FDataSet->Active();
    NotifyActive();
}

// A query that opens again passes through closed first, so a change of Active tells an open or a close
// from a move of the current record.
void TDataSource::DataSetChanged() {
    const bool active = FDataSet && FDataSet->Active();
    if (active != FKnownActive) {
        FKnownActive = active;
        NotifyActive();
        return;
    }
    if (!active) return;
    const auto links = FLinks;
    for (TDataLink* link : links)
        if (std::find(FLinks.begin(), FLinks.end(), link) != FLinks.end()) link->RecordMoved();
}

void TDataSource::NotifyActive() {
    const auto links = FLinks;
    for (TDataLink* link : links)
        if (std::find(FLinks.begin(), FLinks.end(), link) != FLinks.end()) link->ActiveChanged();
}
