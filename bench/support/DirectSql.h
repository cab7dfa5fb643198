// Statements run straight on the data module's connection, past the windows, to seed and read a
// database around what is measured.
#pragma once

#include "UintDM.h"

inline void ExecOnModule(const QString& sql, const QVariantMap& params = {}) {
    TADOQuery q;
    q.SetConnection(DM->Conn);
    q.SQL()->SetText(sql);
    q.Parameters().Assign(params);
    q.ExecSQL();
}

// The first column of the first row as text; "" when there is none.
inline QString ValueOnModule(const QString& sql) {
    TADOQuery q;
    q.SetConnection(DM->Conn);
    q.SQL()->SetText(sql);
    q.Open();
    return q.IsEmpty() ? QString() : q.Fields(0)->AsString();
}
