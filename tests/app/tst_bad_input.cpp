// Bad input tried on the real windows: whatever is pasted or dropped into the name field, each with
// a clear outcome and nothing crashing. What typing cannot enter is tst_main_window's, alarm files
// that cannot play are tst_alarm_sound's.

#include "app/Main.h"
#include "tests/support/WindowFixture.h"
#include "text/ShiftJis.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QTest>

#include <optional>

using namespace rotenu;
using namespace Qt::StringLiterals;

class TestBadInput : public QObject {
    Q_OBJECT
private slots:
    void init() { QVERIFY(windows.emplace().showMainWindow()); }
    void pastedOrDroppedTextIsCutToTwelveBytesAndShownAsScored_data();
    void pastedOrDroppedTextIsCutToTwelveBytesAndShownAsScored();

private:
    QLineEdit* edit(const char* name) { return windows->child<QLineEdit>(name); }

    std::optional<testing::WindowFixture> windows;
};

void TestBadInput::pastedOrDroppedTextIsCutToTwelveBytesAndShownAsScored_data() {
    QTest::addColumn<QString>("before"); // the name in the field, "|" its cursor
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QString>("id");
    QTest::addColumn<bool>("drop");
    const auto row = [](const char* what, const QString& before, const QString& text, const QString& after,
                        const QString& id, bool drop = false) {
        QTest::addRow("%s: %s", drop ? "dropped" : "pasted", what) << before << text << after << id << drop;
    };
    // Line breaks end the text; a tab is a blank.
    for (const bool drop : {false, true}) {
        row("LF", u"AB|"_s, u"CD\nEF"_s, u"ABCD|"_s, u"ID:6 REDRIA (Code:26)"_s, drop);
        row("CR LF", u"AB|"_s, u"CD\r\nEF"_s, u"ABCD|"_s, u"ID:6 REDRIA (Code:26)"_s, drop);
        row("CR", u"AB|"_s, u"CD\rEF"_s, u"ABCD|"_s, u"ID:6 REDRIA (Code:26)"_s, drop);
        row("break first", u"AB|"_s, u"\nCD"_s, u"AB|"_s, u"ID:1 GREENNILL (Code:11)"_s, drop);
        row("break in the middle", u"A|B"_s, u"B\nX"_s, u"AB|B"_s, u"ID:7 ORAN (Code:17)"_s, drop);
        row("tab", u"AB|"_s, u"\tC"_s, u"AB C|"_s, u"ID:0 VIRIDIA (Code:20)"_s, drop);
        row("tab and break over the limit", u"AB|"_s, u"\t0123456789X\nY"_s, u"AB 012345678|"_s,
            u"ID:1 GREENNILL (Code:51)"_s, drop);
    }
    // Cut where the 12 bytes end, the tail of the name kept, never inside a double-byte character.
    // テ is 83 65: 1 for the lead byte and 1 for "e".
    row("double-byte into two bytes left", u"ABCDEFGHIJ|"_s, u"テスト"_s, u"ABCDEFGHIJテ|"_s,
        u"ID:7 ORAN (Code:47)"_s);
    row("double-byte into one byte left", u"ABCDEFGHIJK|"_s, u"テスト"_s, u"ABCDEFGHIJK|"_s,
        u"ID:0 VIRIDIA (Code:50)"_s);
    row("into the middle", u"AB|YZ"_s, u"0123456789"_s, u"AB01234567|YZ"_s, u"ID:2 SKYLY (Code:52)"_s);
    row("1,000 into the middle", u"A|B"_s, u"x"_s + QString(999, u'テ'), u"Axテテテテ|B"_s,
        u"ID:9 WHITILL (Code:19)"_s);
    row("1,000 double-byte", u"|"_s, QString(1000, u'テ'), QString(6, u'テ') + u'|',
        u"ID:2 SKYLY (Code:12)"_s);
    // What Shift_JIS cannot hold is one "?" (3F, adding 3) a code point, never half of a
    // surrogate pair, also where one byte is left.
    row("emoji and an accent", u"|"_s, u"😀é"_s + QString(1000, u'x'), u"??xxxxxxxxxx|"_s,
        u"ID:6 REDRIA (Code:6)"_s);
    row("a family joined by zero-width joiners", u"|"_s, u"😀👨‍👩‍👧"_s, u"??????|"_s,
        u"ID:8 YELLOWBOZE (Code:18)"_s);
    row("emoji into one byte left", u"ABCDEFGHIJK|"_s, u"😀😀"_s, u"ABCDEFGHIJK?|"_s,
        u"ID:3 BLUEFULL (Code:53)"_s);
    // Half-width katakana cannot be typed but can be pasted: one byte each (B1..) that no table
    // holds, adding 1.
    row("half-width katakana", u"|"_s, u"ｱｲｳ"_s, u"ｱｲｳ|"_s, u"ID:3 BLUEFULL (Code:3)"_s);
    row("half-width katakana over the limit", u"|"_s, QString(20, u'ｶ'), QString(12, u'ｶ') + u'|',
        u"ID:2 SKYLY (Code:12)"_s);
    // A NUL is a byte of the name like any other (adding 1); control characters keep their bytes.
    row("a NUL inside", u"|"_s, u"A\0B"_s, u"A\0B|"_s, u"ID:2 SKYLY (Code:12)"_s);
    row("1,000 NULs", u"|"_s, QString(1000, u'\0'), QString(12, u'\0') + u'|', u"ID:2 SKYLY (Code:12)"_s);
    row("DEL and SUB beside a double-byte", u"|"_s, u"テ\u007f\u001a"_s, u"テ\u007f\u001a|"_s,
        u"ID:4 PURPLENUM (Code:4)"_s);
}

void TestBadInput::pastedOrDroppedTextIsCutToTwelveBytesAndShownAsScored() {
    QFETCH(bool, drop);
    QFETCH(QString, before);
    QFETCH(QString, text);
    QLineEdit& edit1 = *edit("Edit1");
    edit1.setText(QString(before).remove(u'|'));
    edit1.setCursorPosition(static_cast<int>(before.indexOf(u'|')));
    if (drop) {
        QMimeData data;
        data.setText(text);
        const QPointF at(edit1.inputMethodQuery(Qt::ImCursorRectangle).toRect().center());
        // The field takes the drop only after it has taken the drag's entry.
        QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&edit1, &enter);
        QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&edit1, &dropped);
    } else {
        testing::Paste(edit1, text);
    }
    QTEST(QString(edit1.text()).insert(edit1.cursorPosition(), u'|'), "after");
    QTEST(edit("Edit2")->text(), "id");
    // The field shows what its own bytes give, and the list offers suggestions for them.
    const std::string bytes = ToShiftJis(edit1.text());
    QVERIFY(bytes.size() <= std::size_t(TForm1::kNameByteLimit));
    QCOMPARE(FromShiftJis(bytes), edit1.text());
    QVERIFY(windows->child<QListWidget>("ListBox1")->count() > 0);
    // None of it is refused input: no beep, and the field still takes typing afterwards.
    QCOMPARE(windows->platform.beeper.count, 0);
    edit1.clear();
    QTest::keyClicks(&edit1, QStringLiteral("Nova"));
    QCOMPARE(edit("Edit2")->text(), QStringLiteral("ID:4 PURPLENUM (Code:24)"));
}

QTEST_MAIN(TestBadInput)
#include "tst_bad_input.moc"
