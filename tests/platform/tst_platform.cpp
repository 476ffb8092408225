#include "look/ExecutableIcon.h"
#include "look/ThemeIcon.h"
#include "tests/support/FakePlatform.h"
#include "text/ShiftJis.h"
#include "widgets/Application.h"
#include "widgets/ApplicationTitle.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <stdexcept>

using namespace rotenu;

class TestPlatform : public QObject {
    Q_OBJECT
private slots:
    void applicationTitle();
    void shiftJisConversion();
    void shiftJisPrefixNeverSplitsACharacter();
    void errorReportShowsTheErrorAndGoesOn();
    void windowsTakeTheThemeIconAfterTheFirstPaint();
};

void TestPlatform::applicationTitle() {
    QCOMPARE(ApplicationTitleFromFileName(QStringLiteral("rotenu")), QStringLiteral("rotenu"));
    QCOMPARE(ApplicationTitleFromFileName(QStringLiteral("ROTENU.EXE")), QStringLiteral("Rotenu"));
    QCOMPARE(ApplicationTitleFromFileName(QStringLiteral("roTeNu.tar.gz")), QStringLiteral("rotenu"));
    QCOMPARE(ApplicationTitleFromFileName(QStringLiteral("Tst_Platform")), QStringLiteral("Tst_platform"));
    QCOMPARE(ApplicationTitleFromFileName(QStringLiteral(".hidden")), QString());
    QCOMPARE(ApplicationTitle(), QStringLiteral("tst_platform"));
}

void TestPlatform::shiftJisConversion() {
    QCOMPARE(ToShiftJis(QStringLiteral(u"ア")), std::string("\x83\x41"));
    QCOMPARE(ToShiftJis(QStringLiteral(u"ぽてま")), std::string("\x82\xDB\x82\xC4\x82\xDC"));
    QCOMPARE(ToShiftJis(QStringLiteral(u"ｱ")), std::string("\xB1"));
    QCOMPARE(ToShiftJis(QStringLiteral("A~\\")), std::string("A~\\"));
    // What Shift_JIS lacks becomes one "?" a character, an emoji (two UTF-16 units) included.
    QCOMPARE(ToShiftJis(QStringLiteral(u"a😀b\u00e9")), std::string("a?b?"));
    QCOMPARE(ToShiftJisRepertoire(QStringLiteral(u"a😀テ\u00e9")), QStringLiteral(u"a?テ?"));
    QCOMPARE(ShiftJisLength(QStringLiteral(u"テスト")), qsizetype(6));
    QCOMPARE(ShiftJisLength(QStringLiteral(u"😀")), qsizetype(1));
    QCOMPARE(FromShiftJis("\x83\x65\x83\x58\x83\x67"), QStringLiteral(u"テスト"));
    const QString mixed = QStringLiteral(u"Ａｂｃ漢字ｶﾅ kana");
    QCOMPARE(FromShiftJis(ToShiftJis(mixed)), mixed);
}

void TestPlatform::shiftJisPrefixNeverSplitsACharacter() {
    const QString text = QStringLiteral(u"ABCDEFGHIJKテスト");
    QCOMPARE(ShiftJisPrefix(text, 12), QStringLiteral("ABCDEFGHIJK"));
    QCOMPARE(ShiftJisPrefix(text, 13), QStringLiteral(u"ABCDEFGHIJKテ"));
    QCOMPARE(ShiftJisPrefix(text, 100), text);
    QCOMPARE(ShiftJisPrefix(text, 0), QString());
    QCOMPARE(ShiftJisPrefix(QStringLiteral(u"😀😀"), 1), QStringLiteral(u"😀"));
    QCOMPARE(ShiftJisPrefix(QStringLiteral("ABC"), 2), QStringLiteral("AB"));
}

void TestPlatform::errorReportShowsTheErrorAndGoesOn() {
    auto* application = qobject_cast<Application*>(QCoreApplication::instance());
    QVERIFY(application);
    testing::RecordingMessageBox report;
    application->setErrorReport(&report);

    QPushButton button(QStringLiteral("throw"));
    int clicks = 0;
    connect(&button, &QPushButton::clicked, &button, ReportingErrors([&] {
        ++clicks;
        throw std::runtime_error("'' のデータ型が不正です");
    }));
    button.show();
    QTest::mouseClick(&button, Qt::LeftButton);
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(clicks, 2);
    QCOMPARE(report.shown, QStringList({QStringLiteral(u"'' のデータ型が不正です"),
                                        QStringLiteral(u"'' のデータ型が不正です")}));
    // One that no handler catches reaches the application object's.
    QMetaObject::invokeMethod(
        &button, [] { throw std::runtime_error("late"); }, Qt::QueuedConnection);
    QTRY_COMPARE(report.shown.size(), 3);
    QCOMPARE(report.shown.last(), QStringLiteral("late"));
    application->setErrorReport(nullptr);
}

void TestPlatform::windowsTakeTheThemeIconAfterTheFirstPaint() {
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

int main(int argc, char** argv) {
    Application application(argc, argv);
    TestPlatform test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_platform.moc"
