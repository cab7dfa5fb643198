// Data sources: the link between a query and the controls that show it.
#pragma once

#include "ADODB.h"

#include <QPointer>
#include <vector>

class TDataSource;

// A control's end of a data source: told when the data set opens or closes and when its current
// record moves.
class TDataLink {
public:
    virtual ~TDataLink();
    TDataSource* DataSource() const { return FDataSource; }
    void SetDataSource(TDataSource* source);
    // The data set behind the source, when there is one.
    TADOQuery* DataSet() const;
    bool Active() const;

protected:
    // The data set opened, closed, or the source now shows another one.
    virtual void ActiveChanged() {}
    // The current record moved.
    virtual void RecordMoved() {}

private:
    friend class TDataSource;
    TDataSource* FDataSource = nullptr;
};

class TDataSource : public TComponent {
    Q_OBJECT
public:
    explicit TDataSource(TComponent* AOwner = nullptr);
    ~TDataSource() override;

    TADOQuery* DataSet() const { return FDataSet; }
    // nullptr detaches the source: the controls on it show nothing.
    void SetDataSet(TADOQuery* dataSet);

private:
    // The query reported a change, or went.
    void DataSetChanged();
    friend class TDataLink;
    void NotifyActive();
    QPointer<TADOQuery> FDataSet;
    bool FKnownActive = false;
    std::vector<TDataLink*> FLinks;
};
