// The floor for the program's start: the smallest Qt Widgets program that shows one window of the
// main window's size with a Chinese label. The label wears the program's own font (its copy beside
// the program when there is one), since a Chinese text's cost lies mostly in the font it loads.
#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QLabel>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QString family = QStringLiteral("WenQuanYi Micro Hei");
    const int id = QFontDatabase::addApplicationFont(QCoreApplication::applicationDirPath() +
                                                     QStringLiteral("/fonts/VeloriaHei.ttf"));
    if (id >= 0 && !QFontDatabase::applicationFontFamilies(id).isEmpty())
        family = QFontDatabase::applicationFontFamilies(id).first();
    QWidget window;
    window.resize(1007, 654);
    QLabel label(QStringLiteral("膳食能量管家"), &window);
    QFont font(family);
    font.setPixelSize(12);
    label.setFont(font);
    label.move(20, 20);
    window.show();
    return app.exec();
}
