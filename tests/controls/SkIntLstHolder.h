// Components that stream an integer list as a form would: under their own names, and under a
// prefix as an owner that keeps the list unpublished does.
#pragma once

#include "Classes.h"
#include "SkIntLst.h"
#include "Streaming.h"

class TSkIntListHolder : public TComponent {
    Q_OBJECT
public:
    explicit TSkIntListHolder(TComponent* AOwner = nullptr) : TComponent(AOwner) {}
    TSkIntegerList List;

protected:
    void DefineProperties(TFiler* Filer) override { List.DefineIntegerProperties(Filer, QString()); }
};

class TSkPrefixedIntListHolder : public TComponent {
    Q_OBJECT
public:
    explicit TSkPrefixedIntListHolder(TComponent* AOwner = nullptr) : TComponent(AOwner) {}
    TSkIntegerList List;

protected:
    void DefineProperties(TFiler* Filer) override {
        List.DefineIntegerProperties(Filer, QStringLiteral("Stops."));
    }
};
