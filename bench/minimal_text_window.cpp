// A second floor for start-up: the empty window of minimal_window plus one label of Japanese text
// in the Gothic font the program uses, so that the price of loading and drawing a Japanese font
// shows on its own.

#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    window.resize(305, 321);
    QLabel label(QString::fromUtf8("計算アルゴリズム プレイヤーネーム 生成ＩＤ 名前補足"), &window);
    label.setFont(QFont(QStringLiteral("IPAPGothic"), 9));
    label.move(8, 8);
    window.show();
    return application.exec();
}
