// The edit messages of the single-line edit and the memo as direct calls on their Qt fields.
#include "StdCtrls.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <algorithm>

// TEdit ------------------------------------------------------------------------------------------------
int TEdit::SelLength() const {
    return Edit() ? int(Edit()->selectedText().size()) : 0;
}

void TEdit::SetSelText(const QString& text) {
    if (Edit()) Edit()->insert(text);
}

TAlignment TEdit::TextAlignment() const {
    if (!Edit()) return taLeftJustify;
    const Qt::Alignment h = Edit()->alignment() & Qt::AlignHorizontal_Mask;
    return h & Qt::AlignRight ? taRightJustify : h & Qt::AlignHCenter ? taCenter : taLeftJustify;
}

void TEdit::SetTextAlignment(TAlignment alignment) {
    if (!Edit()) return;
    const Qt::Alignment h = alignment == taRightJustify ? Qt::AlignRight
                            : alignment == taCenter     ? Qt::AlignHCenter
                                                        : Qt::AlignLeft;
    Edit()->setAlignment(h | Qt::AlignVCenter);
}

QString TEdit::CueBanner() const {
    return Edit() ? Edit()->placeholderText() : QString();
}

void TEdit::SetCueBanner(const QString& text) {
    if (Edit()) Edit()->setPlaceholderText(text);
}

// TCustomMemo ------------------------------------------------------------------------------------------
void TCustomMemo::SyncEditor() {
    if (FStale) ShowLines();
}

void TCustomMemo::SetWantTabs(bool want) {
    FWantTabs = want;
    if (Editor()) Editor()->setTabChangesFocus(!want);
}

int TCustomMemo::CaretPos() {
    SyncEditor();
    return Editor() ? Editor()->textCursor().position() : 0;
}

int TCustomMemo::SelStart() {
    SyncEditor();
    return Editor() ? Editor()->textCursor().selectionStart() : 0;
}

int TCustomMemo::SelLength() {
    SyncEditor();
    if (!Editor()) return 0;
    const QTextCursor c = Editor()->textCursor();
    return c.selectionEnd() - c.selectionStart();
}

void TCustomMemo::SetSel(int Start, int End) {
    SyncEditor();
    if (!Editor()) return;
    const int last = Editor()->document()->characterCount() - 1;
    QTextCursor c = Editor()->textCursor();
    c.setPosition(std::clamp(Start, 0, last));
    c.setPosition(std::clamp(End, 0, last), QTextCursor::KeepAnchor);
    Editor()->setTextCursor(c);
}

int TCustomMemo::LineFromChar(int Index) {
    SyncEditor();
    if (!Editor()) return 0;
    QTextDocument* doc = Editor()->document();
    const QTextBlock block = doc->findBlock(std::clamp(Index, 0, doc->characterCount() - 1));
    return block.isValid() ? block.blockNumber() : doc->blockCount() - 1;
}

int TCustomMemo::LineIndex(int Line) {
    SyncEditor();
    if (!Editor()) return -1;
    const QTextBlock block = Editor()->document()->findBlockByNumber(Line);
    return Line >= 0 && block.isValid() ? block.position() : -1;
}

int TCustomMemo::LineLength(int Line) {
    SyncEditor();
    if (!Editor()) return 0;
    const QTextBlock block = Editor()->document()->findBlockByNumber(Line);
    return Line >= 0 && block.isValid() ? block.length() - 1 : 0;
}

int TCustomMemo::FirstVisibleLine() {
    SyncEditor();
    return Editor() ? Editor()->cursorForPosition(QPoint(0, 0)).blockNumber() : 0;
}

void TCustomMemo::LineScroll(int Lines) {
    SyncEditor();
    if (!Editor()) return;
    QScrollBar* bar = Editor()->verticalScrollBar();
    bar->setValue(bar->value() + Lines);
}
