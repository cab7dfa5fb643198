// TComboBox: a Qt combo box over the control's item list.
#include "StdCtrls.h"
#include "StringListModel.h"

#include <QComboBox>
#include <QLineEdit>

TComboBox::TComboBox(TComponent* AOwner) : TWinControl(AOwner) {
    auto* box = new QComboBox;
    FModel = new TStringListModel(&FItems, this);
    box->setModel(FModel);
    // A placeholder keeps Qt from choosing the first item when items arrive in an empty box.
    box->setPlaceholderText(QStringLiteral(" "));
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMaxVisibleItems(FDropDownCount);
    FItems.OnSplice = [this](int index, int removed, int inserted) {
        ItemsSpliced(index, removed, inserted);
    };
    QObject::connect(box, &QComboBox::activated, this, [this] { UserChose(); });
    SetWidget(box);
    SetBounds(0, 0, 145, 21);
    FColor = clWindow;
    SetStyle(csDropDown);
}

TComboBox::~TComboBox() {
    FItems.OnSplice = nullptr;
}

QComboBox* TComboBox::Box() const {
    return static_cast<QComboBox*>(FWidget.data());
}

void TComboBox::SetStyle(TComboBoxStyle style) {
    FStyle = style;
    QComboBox* box = Box();
    if (!box) return;
    const bool editable = style == csDropDown || style == csSimple;
    if (box->isEditable() == editable) return;
    const int index = box->currentIndex();
    box->setEditable(editable);
    if (editable)
        QObject::connect(box->lineEdit(), &QLineEdit::textEdited, this,
                         [this] { FireEvent(OnChange, this); });
    box->setCurrentIndex(index);
    FontChanged();
    ColorChanged();
}

int TComboBox::ItemIndex() const {
    return Box() ? Box()->currentIndex() : -1;
}

void TComboBox::SetItemIndex(int index) {
    if (!Box()) return;
    Box()->setCurrentIndex(index >= 0 && index < FItems.Count() ? index : -1);
}

QString TComboBox::Caption() const {
    if (!Box()) return QString();
    return Box()->isEditable() ? Box()->currentText()
                               : (Box()->currentIndex() >= 0 ? Box()->currentText() : QString());
}

void TComboBox::SetCaption(const QString& text) {
    if (!Box()) return;
    if (Box()->isEditable())
        Box()->setEditText(text);
    else
        SetItemIndex(FItems.IndexOf(text));
}

void TComboBox::SetDropDownCount(int count) {
    FDropDownCount = count;
    if (Box()) Box()->setMaxVisibleItems(std::max(1, count));
}

void TComboBox::Clear() {
    FItems.Clear();
    if (Box()) {
        Box()->setCurrentIndex(-1);
        if (Box()->isEditable()) Box()->setEditText(QString());
    }
}

void TComboBox::ItemsSpliced(int index, int removed, int inserted) {
    QComboBox* box = Box();
    if (!box) {
        FModel->Splice(index, removed, inserted);
        return;
    }
    // The chosen item follows its text: removing it chooses nothing (Qt would choose a neighbour).
    int chosen = box->currentIndex();
    const QString editText = box->isEditable() ? box->currentText() : QString();
    if (chosen >= index && chosen < index + removed)
        chosen = -1;
    else if (chosen >= index + removed)
        chosen += inserted - removed;
    FModel->Splice(index, removed, inserted);
    if (box->currentIndex() != chosen) box->setCurrentIndex(chosen);
    if (box->isEditable() && chosen < 0 && box->currentText() != editText) box->setEditText(editText);
}

void TComboBox::UserChose() {
    QPointer<QObject> alive(this);
    FireEvent(OnClick, this);
    if (!alive) return;
    if (OnSelect)
        FireEvent(OnSelect, this);
    else
        FireEvent(OnChange, this);
}

void TComboBox::ColorChanged() {
    SetTextAreaColor(FWidget, FColor);
}
