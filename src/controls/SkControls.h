// The styled controls the windows are built from: the library's own where it stands, and for the rest
// the framework's standard control with the styling properties accepted and ignored.
#pragma once

#include "ComCtrls.h"
#include "DBGrids.h"
#include "ExtCtrls.h"
#include "Grids.h"
#include "SkButton.h"
#include "SkChkLst.h"
#include "SkCmboBx.h"
#include "SkCommon.h"
#include "SkDBGrid.h"
#include "SkGrids.h"
#include "SkLstBox.h"
#include "SkPanel.h"
#include "SkRadChk.h"
#include "SkTabsPages.h"
#include "SkTreeVw.h"
#include "StdCtrls.h"

// Adds the styling properties to a standard control; they are stored and have no effect yet.
template <class TBase> class TSkStyled : public TBase {
public:
    using TBase::TBase;
    TFrameStyleEx FrameStyle() const { return FFrameStyle; }
    void SetFrameStyle(TFrameStyleEx style) { FFrameStyle = style; }
    TColor FrameColor() const { return FFrameColor; }
    void SetFrameColor(TColor color) { FFrameColor = color; }

private:
    TFrameStyleEx FFrameStyle = fsFlat;
    TColor FFrameColor = clBtnShadow;
};

using TSkEdit = TSkStyled<TEdit>;
using TSkRichEdit = TSkStyled<TRichEdit>;
using TSkMemo = TSkStyled<TMemo>;

// An edit that holds a number: its text is read as an ordinary edit's, its Value parsed from it.
// The windows' stand-in until they switch to the styled numeric edit (SkEditNumeric.h).
class TSkNumericEditStub : public TSkEdit {
public:
    using TSkEdit::TSkEdit;
    // The number in the text, 0 when there is none.
    double Value() const;
    void SetValue(double value);
    QString DisplayFormat() const { return FDisplayFormat; }
    void SetDisplayFormat(const QString& format) { FDisplayFormat = format; }
    double MaxValue() const { return FMax; }
    void SetMaxValue(double max) { FMax = max; }
    double MinValue() const { return FMin; }
    void SetMinValue(double min) { FMin = min; }

private:
    QString FDisplayFormat = QStringLiteral(",0;(,0)");
    double FMax = 0, FMin = 0;
};
using TSkNumericEdit = TSkNumericEditStub;
