#include "platform/ApplicationTitle.h"
#include "platform/GeneralErrorReport.h"
#include "platform/ShiftJis.h"
#include "support/FakePlatform.h"

#include <QPushButton>
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
    connect(&button, &QPushButton::clicked, &button, [&] {
        ++clicks;
        throw std::runtime_error("'' のデータ型が不正です");
    });
    button.show();
    QTest::mouseClick(&button, Qt::LeftButton);
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(clicks, 2);
    QCOMPARE(report.shown, QStringList({QStringLiteral(u"'' のデータ型が不正です"), QStringLiteral(u"'' のデータ型が不正です")}));
    application->setErrorReport(nullptr);
}

int main(int argc, char** argv) {
    Application application(argc, argv);
    TestPlatform test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_platform.moc"
