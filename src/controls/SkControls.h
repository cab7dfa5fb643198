// The styled controls the windows are built from: the library's own where it stands, and for the rest
// the framework's standard control with the styling properties accepted and ignored.
#pragma once

#include "CheckLst.h"
#include "ComCtrls.h"
#include "DBGrids.h"
#include "ExtCtrls.h"
#include "Grids.h"
#include "SkButton.h"
#include "SkCommon.h"
#include "SkDBGrid.h"
#include "SkEdit.h"
#include "SkEditMemo.h"
#include "SkEditNumeric.h"
#include "SkGrids.h"
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

using TSkComboBox = TSkStyled<TComboBox>;
using TSkListBox = TSkStyled<TListBox>;
using TSkCheckList = TSkStyled<TCheckListBox>;
