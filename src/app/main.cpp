// The program entry: the application, the data module, then the main window.
#include "Dialogs.h"
#include "UintDM.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Veloria 膳食能量管家"));
    try {
        DM = new TDM();
    } catch (const Exception& e) {
        MessageBox(e.Message(), InfoCaption, MB_OK);
        return 1;
    }
    delete DM;
    return 0;
}
