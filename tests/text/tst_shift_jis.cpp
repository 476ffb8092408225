#include "text/ShiftJis.h"

#include <QTest>

using namespace rotenu;

class TestShiftJis : public QObject {
    Q_OBJECT
private slots:
    void conversion();
    void prefixNeverSplitsACharacter();
};

void TestShiftJis::conversion() {
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

void TestShiftJis::prefixNeverSplitsACharacter() {
    const QString text = QStringLiteral(u"ABCDEFGHIJKテスト");
    QCOMPARE(ShiftJisPrefix(text, 12), QStringLiteral("ABCDEFGHIJK"));
    QCOMPARE(ShiftJisPrefix(text, 13), QStringLiteral(u"ABCDEFGHIJKテ"));
    QCOMPARE(ShiftJisPrefix(text, 100), text);
    QCOMPARE(ShiftJisPrefix(text, 0), QString());
    QCOMPARE(ShiftJisPrefix(QStringLiteral(u"😀😀"), 1), QStringLiteral(u"😀"));
    QCOMPARE(ShiftJisPrefix(QStringLiteral("ABC"), 2), QStringLiteral("AB"));
}

QTEST_APPLESS_MAIN(TestShiftJis)
#include "tst_shift_jis.moc"
