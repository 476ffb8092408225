// The floor for start-up: the least a Qt Widgets program needs to show what the main window shows
// at its first paint. A fixed-size QMainWindow with a menu bar of three menus, and Japanese labels
// in the two Gothic fonts of the windows, found through the same substitutions (IPA Gothic), bold
// and regular as the window's labels and fields are. Built in the same tree, with the same flags.

#include "look/FontSubstitutions.h"

#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    rotenu::InstallFontSubstitutions();
    QMainWindow window;
    QFont font(rotenu::ProportionalGothicFamily());
    font.setPixelSize(12);
    window.setFont(font);
    window.setWindowTitle(QStringLiteral(u"ろてぬ Ver1.05"));
    for (const QString& title :
         {QStringLiteral(u"ファイル(&F)"), QStringLiteral(u"ツール(&T)"), QStringLiteral(u"ヘルプ(&H)")})
        window.menuBar()->addMenu(title);

    QWidget central;
    QLabel proportional(QStringLiteral(u"計算アルゴリズム ぽてまさん版 Ｋｏｒさん版 プレイヤーネーム"),
                        &central);
    QFont bold = font;
    bold.setBold(true);
    proportional.setFont(bold);
    proportional.move(8, 8);
    QLabel fixed(QStringLiteral(u"生成ＩＤ 名前補足 ID:0 VIRIDIA"), &central);
    QFont fixedFont(rotenu::FixedGothicFamily());
    fixedFont.setPixelSize(12);
    fixed.setFont(fixedFont);
    fixed.move(8, 32);
    window.setCentralWidget(&central);
    window.setFixedSize(305, 321 + window.menuBar()->sizeHint().height());
    window.show();
    return application.exec();
}
