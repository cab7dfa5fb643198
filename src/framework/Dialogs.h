// Message boxes and file dialogs go through replaceable services, so tests can answer them and read
// what was asked.
#pragma once

#include "Classes.h"

#include <QString>

enum : int {
    MB_OK = 0x00,
    MB_OKCANCEL = 0x01,
    MB_ICONQUESTION = 0x20,
    MB_ICONWARNING = 0x30,
    MB_ICONINFORMATION = 0x40,
};
enum : int { IDOK = 1, IDCANCEL = 2 };

class TMessageService {
public:
    virtual ~TMessageService() = default;
    // Shows the box and returns the button pressed (IDOK or IDCANCEL).
    virtual int MessageBox(const QString& text, const QString& caption, int flags) = 0;
};

// The service in use; nullptr restores the real one.
void SetMessageService(TMessageService* service);
TMessageService* MessageService();

int MessageBox(const QString& text, const QString& caption, int flags = MB_OK);

// File dialogs ---------------------------------------------------------------------------------

// What a save dialog asks: Filter in the classic form "Text (*.txt)|*.txt|All (*.*)|*.*" or just a
// pattern such as "*.txt".
struct TFileDialogRequest {
    QString Title, FileName, Filter, DefaultExt, InitialDir;
};

class TFileDialogService {
public:
    virtual ~TFileDialogService() = default;
    // Asks where to save; false when the user cancels.
    virtual bool SaveFileName(const TFileDialogRequest& request, QString& fileName) = 0;
};

// The service in use; nullptr restores the real one.
void SetFileDialogService(TFileDialogService* service);
TFileDialogService* FileDialogService();

// The user's documents folder, or the home folder when there is none: where file dialogs open.
QString DocumentsFolder();

class TSaveDialog : public TComponent {
    Q_OBJECT
public:
    explicit TSaveDialog(TComponent* AOwner) : TComponent(AOwner) {}

    QString FileName() const { return FFileName; }
    void SetFileName(const QString& name) { FFileName = name; }
    QString Filter() const { return FFilter; }
    void SetFilter(const QString& filter) { FFilter = filter; }
    // Added (after a ".") to a chosen name that has no extension.
    QString DefaultExt() const { return FDefaultExt; }
    void SetDefaultExt(const QString& ext) { FDefaultExt = ext; }
    QString Title() const { return FTitle; }
    void SetTitle(const QString& title) { FTitle = title; }
    QString InitialDir() const { return FInitialDir; }
    void SetInitialDir(const QString& dir) { FInitialDir = dir; }

    // Asks the user; true and FileName the chosen file when confirmed.
    bool Execute();

private:
    QString FFileName, FFilter, FDefaultExt, FTitle, FInitialDir;
};
