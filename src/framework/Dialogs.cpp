#include "Dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>

namespace {

class TQtMessageService : public TMessageService {
public:
    int MessageBox(const QString& text, const QString& caption, int flags) override {
        QMessageBox box(QApplication::activeWindow());
        box.setWindowTitle(caption);
        box.setText(text);
        const int icon = flags & 0xF0;
        box.setIcon(icon == MB_ICONQUESTION      ? QMessageBox::Question
                    : icon == MB_ICONWARNING     ? QMessageBox::Warning
                    : icon == MB_ICONINFORMATION ? QMessageBox::Information
                                                 : QMessageBox::NoIcon);
        QPushButton* ok = box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
        QPushButton* cancel = nullptr;
        if ((flags & 0x0F) == MB_OKCANCEL)
            cancel = box.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
        box.setDefaultButton(ok);
        if (cancel) box.setEscapeButton(cancel);
        box.exec();
        return box.clickedButton() == ok ? IDOK : IDCANCEL;
    }
};

TMessageService* gService = nullptr;

}  // namespace

void SetMessageService(TMessageService* service) {
    gService = service;
}

TMessageService* MessageService() {
    static TQtMessageService qtService;
    return gService ? gService : &qtService;
}

int MessageBox(const QString& text, const QString& caption, int flags) {
    return MessageService()->MessageBox(text, caption, flags);
}

// File dialogs ---------------------------------------------------------------------------------

namespace {

// "Text (*.txt)|*.txt|All|*.*" becomes Qt's "Text (*.txt);;All (*.*)".
QString QtFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    if (parts.size() < 2) return filter;
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString patterns = QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << (parts[i].contains(QLatin1Char('(')) ? parts[i]
                                                        : QStringLiteral("%1 (%2)").arg(parts[i], patterns));
    }
    return filters.join(QStringLiteral(";;"));
}

class TQtFileDialogService : public TFileDialogService {
public:
    bool SaveFileName(const TFileDialogRequest& request, QString& fileName) override {
        const QString start = request.InitialDir.isEmpty()
                                  ? request.FileName
                                  : QDir(request.InitialDir).filePath(request.FileName);
        const QString chosen = QFileDialog::getSaveFileName(QApplication::activeWindow(), request.Title,
                                                            start, QtFilter(request.Filter));
        if (chosen.isEmpty()) return false;
        fileName = chosen;
        return true;
    }
};

TFileDialogService* gFileDialogService = nullptr;

}  // namespace

void SetFileDialogService(TFileDialogService* service) {
    gFileDialogService = service;
}

TFileDialogService* FileDialogService() {
    static TQtFileDialogService qtService;
    return gFileDialogService ? gFileDialogService : &qtService;
}

QString DocumentsFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

bool TSaveDialog::Execute() {
    // Without a folder of its own the dialog opens in the user's documents, not where the program runs.
    const QString folder =
        FInitialDir.isEmpty() && QFileInfo(FFileName).isRelative() ? DocumentsFolder() : FInitialDir;
    QString chosen;
    if (!FileDialogService()->SaveFileName({FTitle, FFileName, FFilter, FDefaultExt, folder}, chosen))
        return false;
    QString ext = FDefaultExt;
    if (ext.startsWith(QLatin1Char('.'))) ext.remove(0, 1);
    if (!ext.isEmpty() && QFileInfo(chosen).suffix().isEmpty()) chosen += QLatin1Char('.') + ext;
    FFileName = chosen;
    return true;
}
