// Section headings in a row above columns: the header control and the older header. Both are
// sections with a text and a width each, drawn as raised button faces.
#pragma once

#include "Controls.h"

#include <vector>

class THeaderSectionsControl : public TCustomControl {
    Q_OBJECT
public:
    explicit THeaderSectionsControl(TComponent* AOwner);
    int SectionCount() const { return int(FSections.size()); }
    int SectionWidth(int Index) const;
    void SetSectionWidth(int Index, int Width);
    QString SectionText(int Index) const;
    void AddSection(const QString& Text, int Width);

protected:
    void Paint() override;

private:
    struct TSection {
        QString Text;
        int Width;
    };
    std::vector<TSection> FSections;
};

class THeaderControl : public THeaderSectionsControl {
    Q_OBJECT
public:
    using THeaderSectionsControl::THeaderSectionsControl;
};

class THeader : public THeaderSectionsControl {
    Q_OBJECT
public:
    using THeaderSectionsControl::THeaderSectionsControl;
};
