// The baselines of the start-up benchmark: the least a Qt Widgets program
// does to show a window of the main window's size, and with "--text" the
// same window with one line of Japanese text, which brings in the font
// system that any window with text pays for.

#include <QApplication>
#include <QLabel>
#include <QWidget>
#include <cstring>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare Window"));
    window.resize(826, 458);
    if (argc > 1 && std::strcmp(argv[1], "--text") == 0) {
        QFont font(QStringLiteral("IPAPGothic"));
        font.setPixelSize(12);
        window.setFont(font);
        auto* label = new QLabel(QStringLiteral("スキンを変換します"), &window);
        label->move(8, 8);
        label->adjustSize();
    }
    window.show();
    return application.exec();
}
