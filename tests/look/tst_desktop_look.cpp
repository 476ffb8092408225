#include "look/DesktopLook.h"
#include "look/ExecutableIcon.h"
#include "look/FontSubstitutions.h"
#include "look/ThemeIcon.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace rotenu;

class TestDesktopLook : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { PrepareDesktopLook(*qApp); }
    void qtTextsAreJapanese();
    void menusAndMessageBoxesUseTheWindowFont();
    void windowsTakeTheThemeIconAfterTheFirstPaint();
};

void TestDesktopLook::qtTextsAreJapanese() {
    QLineEdit field;
    const std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
    QStringList texts;
    for (QAction* action : menu->actions())
        texts << action->text().section(QLatin1Char('\t'), 0, 0);
    QVERIFY2(texts.contains(QStringLiteral(u"元に戻す(&U)")), qPrintable(texts.join(QLatin1Char(','))));
    QVERIFY2(texts.contains(QStringLiteral(u"貼り付け(&P)")), qPrintable(texts.join(QLatin1Char(','))));
}

void TestDesktopLook::menusAndMessageBoxesUseTheWindowFont() {
    QMenu menu;
    QMessageBox box;
    for (QWidget* window : {static_cast<QWidget*>(&menu), static_cast<QWidget*>(&box)}) {
        QCOMPARE(window->font().family(), ProportionalGothicFamily());
        QCOMPARE(window->font().pointSize(), 9);
    }
}

void TestDesktopLook::windowsTakeTheThemeIconAfterTheFirstPaint() {
    const QIcon embedded = ExecutableIcon();
    const auto picture = [](const QIcon& icon) {
        return icon.pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32);
    };
    QVERIFY(!embedded.isNull());
    QImage themePicture(32, 32, QImage::Format_ARGB32);
    themePicture.fill(Qt::red);
    // An icon theme with a "rotenu" picture, and one without.
    for (const bool themeHasIcon : {true, false}) {
        QTemporaryDir icons;
        QVERIFY(QDir().mkpath(icons.filePath(QStringLiteral("test/32x32/apps"))));
        QFile index(icons.filePath(QStringLiteral("test/index.theme")));
        QVERIFY(index.open(QIODevice::WriteOnly));
        index.write("[Icon Theme]\nName=Test\nDirectories=32x32/apps\n\n[32x32/apps]\nSize=32\nType=Fixed\n");
        index.close();
        if (themeHasIcon)
            QVERIFY(themePicture.save(icons.filePath(QStringLiteral("test/32x32/apps/rotenu.png"))));
        QIcon::setThemeSearchPaths({icons.path()});
        QIcon::setThemeName(QStringLiteral("test"));
        QApplication::setWindowIcon(embedded);

        QWidget window;
        TakeThemeIconAfterFirstPaint(window);
        QCoreApplication::processEvents();
        QCOMPARE(QApplication::windowIcon().cacheKey(), embedded.cacheKey());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QImage expected = themeHasIcon ? themePicture : picture(embedded);
        QTRY_COMPARE(picture(window.windowIcon()), expected);
        QCOMPARE(picture(QApplication::windowIcon()), expected);
    }
}

QTEST_MAIN(TestDesktopLook)
#include "tst_desktop_look.moc"
