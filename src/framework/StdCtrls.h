// Standard controls: labels, buttons, edits, check boxes, radio buttons and group boxes.
#pragma once

#include "Controls.h"

class QLabel;
class QPushButton;
class QLineEdit;
class QCheckBox;
class QRadioButton;
class QGroupBox;

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TTextLayout { tlTop, tlCenter, tlBottom };

class TLabel : public TControl {
    Q_OBJECT
public:
    explicit TLabel(TComponent* AOwner);
    void SetCaption(const QString& caption) override;
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment alignment);
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout layout);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool autoSize);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool wrap);
    // A transparent label lets its parent's colour show; otherwise it fills with Color.
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool transparent);

protected:
    void FontChanged() override;
    void ColorChanged() override;

private:
    void UpdateText();
    void AdjustSize();
    QLabel* Label() const;
    TAlignment FAlignment = taLeftJustify;
    TTextLayout FLayout = tlTop;
    bool FAutoSize = true, FWordWrap = false, FTransparent = true;
};

class TButton : public TWinControl {
    Q_OBJECT
public:
    explicit TButton(TComponent* AOwner);
    void SetCaption(const QString& caption) override;
    // Clicking the button also sets its window's ModalResult.
    int ModalResult() const { return FModalResult; }
    void SetModalResult(int result) { FModalResult = result; }
    bool Default() const { return FDefault; }
    void SetDefault(bool value);
    void Click() override;

protected:
    bool ClickOnMouseUp() const override { return false; }

private:
    int FModalResult = 0;
    bool FDefault = false;
};

class TEdit : public TWinControl {
    Q_OBJECT
public:
    explicit TEdit(TComponent* AOwner);
    QString Caption() const override;
    void SetCaption(const QString& text) override;
    // The character shown for each typed one (a password edit); QChar() shows the text.
    QChar PasswordChar() const { return FPasswordChar; }
    void SetPasswordChar(QChar ch);
    bool ReadOnly() const;
    void SetReadOnly(bool readOnly);
    int MaxLength() const;
    void SetMaxLength(int length);
    void SelectAll();
    int SelStart() const;
    void SetSelStart(int position);
    TNotifyEvent OnChange;

protected:
    void ColorChanged() override;
    QLineEdit* Edit() const;

private:
    QChar FPasswordChar;
};

class TCheckBox : public TWinControl {
    Q_OBJECT
public:
    explicit TCheckBox(TComponent* AOwner);
    void SetCaption(const QString& caption) override;
    bool Checked() const;
    // Changing the state by code also fires OnClick, as a click would.
    void SetChecked(bool checked);
    void Click() override;

protected:
    bool ClickOnMouseUp() const override { return false; }
    void ColorChanged() override;

private:
    QCheckBox* Box() const;
    bool FSettingByCode = false;
};

// Radio buttons with the same parent exclude one another.
class TRadioButton : public TWinControl {
    Q_OBJECT
public:
    explicit TRadioButton(TComponent* AOwner);
    void SetCaption(const QString& caption) override;
    bool Checked() const;
    // Checking by code also fires OnClick, as a click would.
    void SetChecked(bool checked);
    void Click() override;

protected:
    bool ClickOnMouseUp() const override { return false; }
    void ColorChanged() override;

private:
    QRadioButton* Button() const;
};

class TGroupBox : public TWinControl {
    Q_OBJECT
public:
    explicit TGroupBox(TComponent* AOwner);
    void SetCaption(const QString& caption) override;

protected:
    void ColorChanged() override;
};
