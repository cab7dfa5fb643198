#include "StdCtrls.h"

#include "FocusFrame.h"
#include "Forms.h"
#include "TypInfo.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QPushButton>
#include <QRadioButton>

namespace {

struct TStdCtrlsTypes {
    TStdCtrlsTypes() {
        RegisterEnumType<TAlignment>({"taLeftJustify", "taRightJustify", "taCenter"});
        RegisterEnumType<TCheckBoxState>({"cbUnchecked", "cbChecked", "cbGrayed"});
    }
};
const TStdCtrlsTypes StdCtrlsTypes;

// The form a control sits on, through its parents.
TForm* ParentForm(TControl* control) {
    for (TControl* c = control; c; c = c->Parent())
        if (auto* form = dynamic_cast<TForm*>(c)) return form;
    return nullptr;
}

void SetBackground(QWidget* widget, TColor color, bool fill) {
    QPalette pal = widget->palette();
    pal.setColor(QPalette::Window, ToQColor(color));
    pal.setColor(QPalette::Button, ToQColor(color));
    widget->setPalette(pal);
    widget->setAutoFillBackground(fill);
}

// A label's widget: when it is a keyboard stop, it shows the focus with a dotted frame in its text's
// colour and clicks on Space or Enter.
class TLabelWidget : public TFocusFramed<QLabel, QPalette::WindowText, 0> {
public:
    std::function<void()> OnKeyClick;

protected:
    // Keys come only while the label has the focus, so only to a keyboard stop.
    void keyPressEvent(QKeyEvent* event) override {
        const int key = event->key();
        const bool click = key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
        if (!click) return QLabel::keyPressEvent(event);
        event->accept();
        const std::function<void()> onKeyClick = OnKeyClick;  // the click may free this widget
        onKeyClick();
    }
};

}  // namespace

// TLabel ----------------------------------------------------------------------------------------

TLabel::TLabel(TComponent* AOwner) : TControl(AOwner) {
    auto* label = new TLabelWidget;
    label->OnKeyClick = [this] { Click(); };
    label->setTextFormat(Qt::PlainText);
    SetWidget(label);
    SetBounds(0, 0, 65, 17);
    UpdateText();
}

QLabel* TLabel::Label() const {
    return static_cast<QLabel*>(FWidget.data());
}

void TLabel::SetCaption(const QString& caption) {
    TControl::SetCaption(caption);
    UpdateText();
}

void TLabel::SetAlignment(TAlignment alignment) {
    FAlignment = alignment;
    UpdateText();
}

void TLabel::SetLayout(TTextLayout layout) {
    FLayout = layout;
    UpdateText();
}

void TLabel::SetAutoSize(bool autoSize) {
    FAutoSize = autoSize;
    AdjustSize();
}

void TLabel::SetWordWrap(bool wrap) {
    FWordWrap = wrap;
    UpdateText();
}

void TLabel::SetTabStop(bool tabStop) {
    FTabStop = tabStop;
    if (Label()) Label()->setFocusPolicy(tabStop ? Qt::TabFocus : Qt::NoFocus);
}

// A link with the focus takes Enter itself rather than leaving it to the window's default button; Tab
// and Escape it leaves to its window.
void TLabel::WMGetDlgCode(TMessage& Message) {
    TControl::WMGetDlgCode(Message);
    if (FTabStop) Message.Result |= DLGC_WANTALLKEYS;
}

void TLabel::SetTransparent(bool transparent) {
    FTransparent = transparent;
    ColorChanged();
}

void TLabel::UpdateText() {
    if (!Label()) return;
    Label()->setText(FCaption);
    Label()->setWordWrap(FWordWrap);
    Qt::Alignment a = FAlignment == taCenter         ? Qt::AlignHCenter
                      : FAlignment == taRightJustify ? Qt::AlignRight
                                                     : Qt::AlignLeft;
    a |= FLayout == tlCenter ? Qt::AlignVCenter : FLayout == tlBottom ? Qt::AlignBottom : Qt::AlignTop;
    Label()->setAlignment(a);
    AdjustSize();
}

void TLabel::AdjustSize() {
    if (!FAutoSize || !Label() || FAlign == alClient) return;
    const QFontMetrics fm(Label()->font());
    if (FWordWrap) {
        const QRect r = fm.boundingRect(QRect(0, 0, FWidth, 100000), Qt::TextWordWrap, FCaption);
        SetBounds(FLeft, FTop, FWidth, std::max(r.height(), fm.height()));
    } else {
        int width = 0;
        const QStringList lines = FCaption.split(QLatin1Char('\n'));
        for (const QString& line : lines)
            width = std::max(width, fm.horizontalAdvance(line));
        SetBounds(FLeft, FTop, width, fm.height() * int(lines.size()));
    }
}

void TLabel::FontChanged() {
    TControl::FontChanged();  // the disabled colour with the others, in one palette change
    AdjustSize();
}

void TLabel::FontPalette(QPalette& pal) const {
    TControl::FontPalette(pal);
    pal.setColor(QPalette::Disabled, QPalette::WindowText, ToQColor(FEnabled ? FFont.Color() : clGrayText));
}

void TLabel::CMEnabledChanged(TMessage& Message) {
    TControl::CMEnabledChanged(Message);
    UpdateDisabledColor();
}

void TLabel::UpdateDisabledColor() {
    if (!FWidget) return;
    QPalette pal = FWidget->palette();
    FontPalette(pal);
    FWidget->setPalette(pal);
}

void TLabel::ColorChanged() {
    if (FWidget) SetBackground(FWidget, FColor, !FTransparent);
}

// TButton ---------------------------------------------------------------------------------------

TButton::TButton(TComponent* AOwner) : TWinControl(AOwner) {
    auto* button = new QPushButton;
    // Enter and Space reach the button as the framework's keys, not as Qt's own presses.
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, this, [this] { Click(); });
    SetWidget(button);
    SetBounds(0, 0, 75, 25);
}

void TButton::SetCaption(const QString& caption) {
    TControl::SetCaption(caption);
    if (FWidget)
        static_cast<QPushButton*>(FWidget.data())
            ->setText(QString(caption).replace(QLatin1Char('&'), QLatin1String("&&")));
}

void TButton::SetDefault(bool value) {
    FDefault = value;
    if (FWidget) static_cast<QPushButton*>(FWidget.data())->setDefault(value);
    // Every button of the window works out again which one Enter presses.
    if (TForm* form = GetParentForm(this))
        form->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<std::intptr_t>(form->ActiveControl()));
}

void TButton::Click() {
    if (!FEnabled) return;
    if (FModalResult != mrNone)
        if (TForm* form = ParentForm(this)) form->SetModalResult(FModalResult);
    TControl::Click();
}

void TButton::WMGetDlgCode(TMessage& Message) {
    Message.Result = DLGC_BUTTON | (FActive ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
}

void TButton::CMDialogKey(TWMKey& Message) {
    const bool key = (Message.CharCode == VK_RETURN && FActive) || (Message.CharCode == VK_ESCAPE && FCancel);
    if (key && KeyDataShift(Message.KeyData) == 0 && CanFocus()) {
        Click();
        Message.Result = 1;
        return;
    }
    TWinControl::CMDialogKey(Message);
}

void TButton::CMDialogChar(TWMKey& Message) {
    if (IsAccel(Message.CharCode, FCaption) && CanFocus()) {
        Click();
        Message.Result = 1;
        return;
    }
    TWinControl::CMDialogChar(Message);
}

void TButton::CMFocusChanged(TWMFocus& Message) {
    FActive = IsPushButton(Message.Control) ? Message.Control == this : FDefault;
    TWinControl::CMFocusChanged(Message);
}

bool IsPushButton(TControl* Control) {
    return Control && (Control->Perform(WM_GETDLGCODE) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON));
}

// TEdit -----------------------------------------------------------------------------------------

TEdit::TEdit(TComponent* AOwner) : TWinControl(AOwner) {
    auto* edit = new QLineEdit;
    QObject::connect(edit, &QLineEdit::textChanged, this, [this] { Change(); });
    SetWidget(edit);
    SetBounds(0, 0, 121, 21);
    FColor = clWindow;
}

QLineEdit* TEdit::Edit() const {
    return static_cast<QLineEdit*>(FWidget.data());
}
QString TEdit::Caption() const {
    return Edit() ? Edit()->text() : QString();
}

void TEdit::SetCaption(const QString& text) {
    if (Edit() && Edit()->text() != text) Edit()->setText(text);
}

namespace {

// The program's style, except that a password field hides each character behind the edit's own
// password character rather than the style's dot.
class TPasswordCharStyle : public QProxyStyle {
public:
    explicit TPasswordCharStyle(QChar ch)
        : QProxyStyle(QStyleFactory::create(QApplication::style()->name())), FChar(ch) {}
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data) const override {
        if (hint == SH_LineEdit_PasswordCharacter) return FChar.unicode();
        return QProxyStyle::styleHint(hint, option, widget, data);
    }

private:
    QChar FChar;
};

}  // namespace

void TEdit::SetPasswordChar(QChar ch) {
    FPasswordChar = ch;
    QLineEdit* edit = Edit();
    if (!edit) return;
    QPointer<QStyle> old = dynamic_cast<TPasswordCharStyle*>(edit->style());
    if (ch.isNull()) {
        edit->setStyle(nullptr);
    } else {
        auto* style = new TPasswordCharStyle(ch);
        style->setParent(edit);  // freed with the field
        edit->setStyle(style);
    }
    delete old;
    edit->setEchoMode(ch.isNull() ? QLineEdit::Normal : QLineEdit::Password);
}

bool TEdit::ReadOnly() const {
    return Edit() && Edit()->isReadOnly();
}
void TEdit::SetReadOnly(bool readOnly) {
    if (Edit()) Edit()->setReadOnly(readOnly);
}
int TEdit::MaxLength() const {
    return Edit() ? Edit()->maxLength() : 0;
}
void TEdit::SetMaxLength(int length) {
    if (Edit()) Edit()->setMaxLength(length > 0 ? length : 32767);
}
void TEdit::SelectAll() {
    if (Edit()) Edit()->selectAll();
}
// With a selection, where it starts (the caret may be at either end of it).
int TEdit::SelStart() const {
    if (!Edit()) return 0;
    return Edit()->hasSelectedText() ? Edit()->selectionStart() : Edit()->cursorPosition();
}
QString TEdit::SelText() const {
    return Edit() ? Edit()->selectedText() : QString();
}
void TEdit::SetSelStart(int position) {
    if (Edit()) Edit()->setCursorPosition(position);
}

void TEdit::ColorChanged() {
    SetTextAreaColor(FWidget, FColor);
}

// TCheckBox -------------------------------------------------------------------------------------

TCheckBox::TCheckBox(TComponent* AOwner) : TWinControl(AOwner) {
    auto* box = new QCheckBox;
    QObject::connect(box, &QCheckBox::toggled, this, [this] { TControl::Click(); });
    SetWidget(box);
    SetBounds(0, 0, 97, 17);
}

QCheckBox* TCheckBox::Box() const {
    return static_cast<QCheckBox*>(FWidget.data());
}

void TCheckBox::SetCaption(const QString& caption) {
    TControl::SetCaption(caption);
    if (Box()) Box()->setText(caption);
}

bool TCheckBox::Checked() const {
    return Box() && Box()->isChecked();
}
void TCheckBox::SetChecked(bool checked) {
    if (Box()) Box()->setChecked(checked);
}
void TCheckBox::ColorChanged() {
    if (FWidget) SetBackground(FWidget, FColor, false);
}

// TRadioButton ----------------------------------------------------------------------------------

TRadioButton::TRadioButton(TComponent* AOwner) : TWinControl(AOwner) {
    auto* button = new QRadioButton;
    QObject::connect(button, &QRadioButton::toggled, this, [this](bool on) {
        if (on) TControl::Click();
    });
    SetWidget(button);
    SetBounds(0, 0, 113, 17);
}

QRadioButton* TRadioButton::Button() const {
    return static_cast<QRadioButton*>(FWidget.data());
}

void TRadioButton::SetCaption(const QString& caption) {
    TControl::SetCaption(caption);
    if (Button()) Button()->setText(caption);
}

bool TRadioButton::Checked() const {
    return Button() && Button()->isChecked();
}
void TRadioButton::SetChecked(bool checked) {
    if (!Button()) return;
    // An exclusive group would refuse to clear its checked button; code may leave none checked.
    const bool exclusive = Button()->autoExclusive();
    if (!checked) Button()->setAutoExclusive(false);
    Button()->setChecked(checked);
    Button()->setAutoExclusive(exclusive);
}
void TRadioButton::ColorChanged() {
    if (FWidget) SetBackground(FWidget, FColor, false);
}

// TGroupBox -------------------------------------------------------------------------------------

TGroupBox::TGroupBox(TComponent* AOwner) : TWinControl(AOwner) {
    SetWidget(new QGroupBox);
    SetBounds(0, 0, 185, 105);
}

void TGroupBox::SetCaption(const QString& caption) {
    TControl::SetCaption(caption);
    if (FWidget) static_cast<QGroupBox*>(FWidget.data())->setTitle(caption);
}

void TGroupBox::ColorChanged() {
    if (FWidget) SetBackground(FWidget, FColor, true);
}
