// The yardstick of the start-up benchmark: a bare Qt Widgets window showing one line.
#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel line("A bare Qt window showing one line");
    line.show();
    return QApplication::exec();
}
