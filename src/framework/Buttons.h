// Speed buttons: flat tool buttons with an optional glyph, grouped by GroupIndex.
#pragma once

#include "Controls.h"

class QToolButton;

class TSpeedButton : public TControl {
    Q_OBJECT
public:
    explicit TSpeedButton(TComponent* AOwner);
    void SetCaption(const QString& caption) override;
    bool Flat() const { return FFlat; }
    void SetFlat(bool flat);
    // Buttons of one parent with the same non-zero GroupIndex stay down one at a time.
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int index) { FGroupIndex = index; }
    bool Down() const { return FDown; }
    void SetDown(bool down);
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool allow) { FAllowAllUp = allow; }
    // The picture shown beside the caption.
    void SetGlyph(const QImage& image);
    void Click() override;

protected:
    bool ClickOnMouseUp() const override { return false; }

private:
    QToolButton* Button() const;
    bool FFlat = false, FDown = false, FAllowAllUp = false;
    int FGroupIndex = 0;
};
