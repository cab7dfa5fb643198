// TCustomMemo: Lines is the memo's content; the Qt editor shows it and reports typing back.
#include "StdCtrls.h"

#include <QEvent>
#include <QPlainTextEdit>

TCustomMemo::TCustomMemo(TComponent* AOwner) : TWinControl(AOwner) {
    auto* editor = new QPlainTextEdit;
    QObject::connect(editor, &QPlainTextEdit::textChanged, this, [this] { Typed(); });
    SetWidget(editor);
    SetMouseWidget(editor->viewport());
    SetBounds(0, 0, 185, 89);
    FColor = clWindow;
    ColorChanged();
    SetScrollBars(ssNone);
    SetWordWrap(true);
    FLines.OnChange = [this] { LinesChanged(); };
}

TCustomMemo::~TCustomMemo() {
    FLines.OnChange = nullptr;
}

QPlainTextEdit* TCustomMemo::Editor() const {
    return static_cast<QPlainTextEdit*>(FWidget.data());
}

QString TCustomMemo::Caption() const {
    return FLines.ToQStringList().join(QLatin1Char('\n'));
}

void TCustomMemo::SetCaption(const QString& text) {
    FLines.SetText(text);
}

void TCustomMemo::SetReadOnly(bool readOnly) {
    FReadOnly = readOnly;
    if (Editor()) Editor()->setReadOnly(readOnly);
}

void TCustomMemo::SetScrollBars(TScrollStyle bars) {
    FScrollBars = bars;
    if (!Editor()) return;
    const bool vertical = bars == ssVertical || bars == ssBoth;
    const bool horizontal = bars == ssHorizontal || bars == ssBoth;
    Editor()->setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    Editor()->setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

void TCustomMemo::SetWordWrap(bool wrap) {
    FWordWrap = wrap;
    if (Editor()) Editor()->setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

void TCustomMemo::LinesChanged() {
    if (FTaking) return;
    FStale = true;
    // A memo off screen is brought up to date when it is shown.
    if (FWidget && FWidget->isVisible()) ShowLines();
    Change();
}

void TCustomMemo::ShowLines() {
    FStale = false;
    if (!Editor()) return;
    FShowing = true;
    Editor()->setPlainText(Caption());
    FShowing = false;
}

void TCustomMemo::Typed() {
    if (FShowing || !Editor()) return;
    FTaking = true;
    FLines.SetText(Editor()->toPlainText());
    FTaking = false;
    Change();
}

bool TCustomMemo::WidgetEvent(QEvent* event) {
    if (event->type() == QEvent::Show && FStale) ShowLines();
    return TWinControl::WidgetEvent(event);
}

void TCustomMemo::ColorChanged() {
    SetTextAreaColor(FWidget, FColor);
}

void TCustomMemo::Change() {
    FireEvent(OnChange, this);
}
