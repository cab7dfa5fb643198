// The framed memo and rich edit: multi-line fields with the framed edit's frame block and state
// colours, Enter as Tab, and the caret's line and column (1-based) with events when they or the
// selection change.
#pragma once

#include "SkEditFraming.h"
#include "StdCtrls.h"

#include <functional>

using TLineColChangeEvent = std::function<void(TObject* Sender, int Line, int Column)>;
using TClipboardChangeEvent = std::function<void(TObject* Sender, bool Selected, bool ClipboardHasText)>;

class TSkCustomMemo : public TSkFramedEdit<TCustomMemo> {
    Q_OBJECT
public:
    explicit TSkCustomMemo(TComponent* AOwner);

    // The caret's line and column, from 1. A line or column outside the text is ignored.
    virtual int Line();
    virtual void SetLine(int Value);
    virtual int Column();
    virtual void SetColumn(int Value);

    TLineColChangeEvent OnLineColChange;
    TClipboardChangeEvent OnClipboardChange;

    void Click() override;

    SK_FRAME_BLOCK_STORED_PREDICATES

protected:
    // Tells OnLineColChange where the caret is, then OnClipboardChange.
    virtual void LineColChange();
    // Tells OnClipboardChange whether text is selected and whether the clipboard holds text.
    virtual void ClipboardChange();
    void Change() override;
    void WMKeyDown(TWMKey& Message) override;
    void WMKeyUp(TWMKey& Message) override;
    void WMLButtonUp(TWMMouse& Message) override;
    // The first showing stands for the window's creation: the caret and the clipboard are told.
    void CMShowingChanged(TMessage& Message) override;

private:
    bool FShownOnce = false;
};

class TSkMemo : public TSkCustomMemo {
    Q_OBJECT
    Q_PROPERTY(QString Text READ Caption WRITE SetCaption)
    SK_FRAMED_EDIT_PROPERTIES
    Q_PROPERTY(bool WordWrap READ WordWrap WRITE SetWordWrap)
    Q_CLASSINFO("WordWrap", "= True")
public:
    using TSkCustomMemo::TSkCustomMemo;
};

// The rich edit publishes the memo's properties; its text is plain here, PlainText is kept for the
// forms that set it.
class TSkRichEdit : public TSkMemo {
    Q_OBJECT
    Q_PROPERTY(bool PlainText READ PlainText WRITE SetPlainText)
    Q_CLASSINFO("PlainText", "= False")
public:
    using TSkMemo::TSkMemo;
    bool PlainText() const { return FPlainText; }
    void SetPlainText(bool Value) { FPlainText = Value; }

private:
    bool FPlainText = false;
};
