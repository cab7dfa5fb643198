#include "DB.h"

#include <QHash>
#include <algorithm>

// A query has one change callback; every data source on it listens through this registry, and a
// callback someone else had set keeps being called.
namespace {

struct TQueryWatch {
    std::vector<TDataSource*> Sources;
    std::function<void()> Previous;
    QMetaObject::Connection Destroyed;
};

QHash<TADOQuery*, TQueryWatch>& Watches() {
    static QHash<TADOQuery*, TQueryWatch> watches;
    return watches;
}

void NotifySources(TADOQuery* query) {
    auto it = Watches().find(query);
    if (it == Watches().end()) return;
    const auto previous = it->Previous;
    const auto sources = it->Sources;
    if (previous) previous();
    for (TDataSource* source : sources) {
        auto now = Watches().find(query);
        if (now == Watches().end()) return;
        if (std::find(now->Sources.begin(), now->Sources.end(), source) != now->Sources.end())
            source->DataSetChanged();
    }
}

void Watch(TADOQuery* query, TDataSource* source) {
    TQueryWatch& watch = Watches()[query];
    if (watch.Sources.empty()) {
        watch.Previous = query->OnDataChange;
        query->OnDataChange = [query] { NotifySources(query); };
        watch.Destroyed = QObject::connect(query, &QObject::destroyed, [query] {
            auto it = Watches().find(query);
            if (it == Watches().end()) return;
            const auto sources = it->Sources;
            Watches().erase(it);
            for (TDataSource* s : sources)
                s->DataSetChanged();
        });
    }
    watch.Sources.push_back(source);
}

void Unwatch(TADOQuery* query, TDataSource* source) {
    auto it = Watches().find(query);
    if (it == Watches().end()) return;
    auto& sources = it->Sources;
    sources.erase(std::remove(sources.begin(), sources.end(), source), sources.end());
    if (!sources.empty()) return;
    query->OnDataChange = it->Previous;
    QObject::disconnect(it->Destroyed);
    Watches().erase(it);
}

}  // namespace

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
    if (FDataSet) Unwatch(FDataSet, this);
    const auto links = FLinks;
    FLinks.clear();
    for (TDataLink* link : links) {
        link->FDataSource = nullptr;
        link->ActiveChanged();
    }
}

void TDataSource::SetDataSet(TADOQuery* dataSet) {
    if (dataSet == FDataSet) return;
    if (FDataSet) Unwatch(FDataSet, this);
    FDataSet = dataSet;
    if (FDataSet) Watch(FDataSet, this);
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
