#include "Dialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {

class TQtMessageService : public TMessageService {
public:
    int MessageBox(const QString& text, const QString& caption, int flags) override {
        QMessageBox box(QApplication::activeWindow());
        box.setWindowTitle(caption);
        box.setText(text);
        const int icon = flags & 0xF0;
        box.setIcon(icon == MB_ICONQUESTION ? QMessageBox::Question
                    : icon == MB_ICONWARNING ? QMessageBox::Warning
                    : icon == MB_ICONINFORMATION ? QMessageBox::Information
                                                 : QMessageBox::NoIcon);
        QPushButton* ok = box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
        QPushButton* cancel = nullptr;
        if ((flags & 0x0F) == MB_OKCANCEL) cancel = box.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
        box.setDefaultButton(ok);
        if (cancel) box.setEscapeButton(cancel);
        box.exec();
        return box.clickedButton() == ok ? IDOK : IDCANCEL;
    }
};

TMessageService* gService = nullptr;

}  // namespace

void SetMessageService(TMessageService* service) { gService = service; }

TMessageService* MessageService() {
    static TQtMessageService qtService;
    return gService ? gService : &qtService;
}

int MessageBox(const QString& text, const QString& caption, int flags) {
    return MessageService()->MessageBox(text, caption, flags);
}
