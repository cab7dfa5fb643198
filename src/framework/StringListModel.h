// An item model over a TStringList, for the controls that show one (list boxes, combo boxes).
#pragma once

#include "Classes.h"

#include <QAbstractListModel>

class TStringListModel : public QAbstractListModel {
    Q_OBJECT
  public:
    TStringListModel(TStringList* list, QObject* parent);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // Tells the views what the list just did (from its OnSplice). The model keeps its own row count,
    // so views see the old rows until they have been told.
    void Splice(int index, int removed, int inserted);

  private:
    TStringList* FList;
    int FRowCount = 0;
};
