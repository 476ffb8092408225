#include "look/DesktopLook.h"
#include "look/FontSubstitutions.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTest>

#include <memory>

using namespace rotenu;

class TestDesktopSetup : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { PrepareDesktopLook(*qApp); }
    void qtTextsAreJapanese();
    void menusAndMessageBoxesUseTheWindowFont();
};

void TestDesktopSetup::qtTextsAreJapanese() {
    QLineEdit field;
    const std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
    QStringList texts;
    for (QAction* action : menu->actions())
        texts << action->text().section(QLatin1Char('\t'), 0, 0);
    QVERIFY2(texts.contains(QStringLiteral(u"元に戻す(&U)")), qPrintable(texts.join(QLatin1Char(','))));
    QVERIFY2(texts.contains(QStringLiteral(u"貼り付け(&P)")), qPrintable(texts.join(QLatin1Char(','))));
}

void TestDesktopSetup::menusAndMessageBoxesUseTheWindowFont() {
    QMenu menu;
    QMessageBox box;
    for (QWidget* window : {static_cast<QWidget*>(&menu), static_cast<QWidget*>(&box)}) {
        QCOMPARE(window->font().family(), ProportionalGothicFamily());
        QCOMPARE(window->font().pointSize(), 9);
    }
}

QTEST_MAIN(TestDesktopSetup)
#include "tst_desktop_setup.moc"
