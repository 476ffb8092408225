// One empty window and nothing else: what any Qt Widgets program pays to show its first window.

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    window.resize(305, 321);
    window.show();
    return application.exec();
}
