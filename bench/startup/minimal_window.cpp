// The yardstick for the window's start-up: a bare Qt program that shows a window of
// the same size with the same widgets, built by hand with Qt's defaults.

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Dorvek Dağılım"));
    window.setFixedSize(414, 245);
    auto* picture = new QWidget(&window);
    picture->setGeometry(-16, -8, 436, 260);
    auto* shape = new QWidget(&window);
    shape->setGeometry(200, 8, 33, 213);
    auto* label = new QLabel(QStringLiteral("Standart normal olasılığı"), &window);
    label->setGeometry(8, 0, 129, 13);
    auto* lower = new QLineEdit(QStringLiteral("-5,00"), &window);
    lower->setGeometry(16, 200, 33, 13);
    auto* button = new QPushButton(QStringLiteral("Sonuç"), &window);
    button->setGeometry(344, 24, 49, 15);
    auto* result = new QLineEdit(&window);
    result->setGeometry(312, 8, 81, 13);
    auto* upper = new QLineEdit(QStringLiteral("5,00"), &window);
    upper->setGeometry(352, 200, 33, 13);
    window.show();
    return QApplication::exec();
}
