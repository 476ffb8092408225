// Bad input tried on the real windows: whatever is pasted or typed into the name field, each with a
// clear outcome and nothing crashing. Alarm files that cannot play are tst_alarm_sound's.

#include "app/Main.h"
#include "tests/support/FakePlatform.h"
#include "text/ShiftJis.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QTest>

#include <memory>

using namespace rotenu;

class TestBadInput : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void pastedTextIsShownAsScoredWithinTwelveBytes();
    void pastedLineBreaksAndTabs_data();
    void pastedLineBreaksAndTabs();
    void oddTypedCharactersAreRefusedWithABeep();

private:
    QLineEdit* edit(const char* name) { return form->findChild<QLineEdit*>(QString::fromLatin1(name)); }
    void paste(const QString& text) {
        QApplication::clipboard()->setText(text);
        edit("Edit1")->paste();
    }
    // The field shows, the ID field reports and the list offers what the field's own bytes give.
    void checkShownAsScored() {
        const std::string bytes = ToShiftJis(edit("Edit1")->text());
        QVERIFY(bytes.size() <= std::size_t(TForm1::kNameByteLimit));
        QCOMPARE(FromShiftJis(bytes), edit("Edit1")->text());
        QCOMPARE(form->findChild<QListWidget*>(QStringLiteral("ListBox1"))->count() > 0, !bytes.empty());
    }

    std::unique_ptr<testing::FakePlatform> platform;
    std::unique_ptr<TForm1> form;
};

void TestBadInput::init() {
    platform = std::make_unique<testing::FakePlatform>();
    form = std::make_unique<TForm1>(platform->services);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
}

void TestBadInput::cleanup() {
    form.reset();
    platform.reset();
}

void TestBadInput::pastedTextIsShownAsScoredWithinTwelveBytes() {
    QLineEdit* edit1 = edit("Edit1");
    QLineEdit* edit2 = edit("Edit2");

    // Emoji, a whole family joined by zero-width joiners among them: one "?" each code point,
    // never half of a surrogate pair. "?" (3F) adds 3 under the first algorithm.
    paste(QStringLiteral(u"😀👨‍👩‍👧"));
    QCOMPARE(edit1->text(), QStringLiteral("??????"));
    QCOMPARE(edit2->text(), QStringLiteral("ID:8 YELLOWBOZE (Code:18)"));
    checkShownAsScored();
    // An emoji where only one byte is left takes that byte as one "?".
    edit1->setText(QStringLiteral("ABCDEFGHIJK"));
    edit1->end(false);
    paste(QStringLiteral(u"😀😀"));
    QCOMPARE(edit1->text(), QStringLiteral("ABCDEFGHIJK?"));
    checkShownAsScored();

    // Half-width katakana cannot be typed but can be pasted: one byte each (B1..) that no table
    // holds, so each adds 1; twelve of them fill the field.
    edit1->clear();
    paste(QStringLiteral(u"ｱｲｳ"));
    QCOMPARE(edit1->text(), QStringLiteral(u"ｱｲｳ"));
    QCOMPARE(ToShiftJis(edit1->text()), std::string("\xB1\xB2\xB3"));
    QCOMPARE(edit2->text(), QStringLiteral("ID:3 BLUEFULL (Code:3)"));
    edit1->clear();
    paste(QString(20, u'ｶ'));
    QCOMPARE(edit1->text(), QString(12, u'ｶ'));
    QCOMPARE(edit2->text(), QStringLiteral("ID:2 SKYLY (Code:12)"));
    checkShownAsScored();

    // A NUL inside the text is a byte of the name like any other (it adds 1), and the name does
    // not end there.
    edit1->clear();
    paste(QString::fromLatin1("A\0B", 3));
    QCOMPARE(edit1->text().size(), 3);
    QCOMPARE(ToShiftJis(edit1->text()), std::string("A\0B", 3));
    QCOMPARE(edit2->text(), QStringLiteral("ID:2 SKYLY (Code:12)"));
    checkShownAsScored();

    // Control characters next to a Japanese character keep their own bytes (DEL stays 7F).
    edit1->clear();
    paste(QStringLiteral(u"テ\u007f\u001a"));
    QCOMPARE(ToShiftJis(edit1->text()), std::string("\x83\x65\x7F\x1A"));
    checkShownAsScored();

    // 1,000 characters, pasted into an empty field and into the middle of a name: cut to what
    // fits, never inside a double-byte character, the rest of the name kept.
    edit1->clear();
    paste(QString(1000, u'テ'));
    QCOMPARE(edit1->text(), QString(6, u'テ'));
    // テ is 83 65: 1 for the lead byte and 1 for "e" (65), twice six times.
    QCOMPARE(edit2->text(), QStringLiteral("ID:2 SKYLY (Code:12)"));
    checkShownAsScored();
    edit1->setText(QStringLiteral("AB"));
    edit1->setCursorPosition(1);
    paste(QStringLiteral(u"x") + QString(999, u'テ'));
    QCOMPARE(edit1->text(), QStringLiteral(u"AxテテテテB"));
    checkShownAsScored();
    edit1->clear();
    paste(QString(1000, u'\0'));
    QCOMPARE(ToShiftJis(edit1->text()), std::string(12, '\0'));
    checkShownAsScored();

    // None of it is refused input: no beep, and the field still takes typing afterwards.
    QCOMPARE(platform->beeper.count, 0);
    edit1->clear();
    QTest::keyClicks(edit1, QStringLiteral("Nova"));
    QCOMPARE(edit2->text(), QStringLiteral("ID:4 PURPLENUM (Code:24)"));
}

void TestBadInput::pastedLineBreaksAndTabs_data() {
    QTest::addColumn<bool>("drop");
    QTest::addColumn<int>("cursor");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("name");
    for (const bool drop : {false, true}) {
        const char* route = drop ? "dropped" : "pasted";
        const auto row = [&](const char* what) -> QTestData& {
            return QTest::addRow("%s: %s", route, what) << drop;
        };
        row("LF") << 2 << QStringLiteral("CD\nEF") << QStringLiteral("ABCD");
        row("CR LF") << 2 << QStringLiteral("CD\r\nEF") << QStringLiteral("ABCD");
        row("CR") << 2 << QStringLiteral("CD\rEF") << QStringLiteral("ABCD");
        row("break first") << 2 << QStringLiteral("\nCD") << QStringLiteral("AB");
        row("in the middle") << 1 << QStringLiteral("B\nX") << QStringLiteral("ABB");
        row("tab") << 2 << QStringLiteral("\tC") << QStringLiteral("AB C");
        row("tab and break over the limit")
            << 2 << QStringLiteral("\t0123456789X\nY") << QStringLiteral("AB 012345678");
    }
}

void TestBadInput::pastedLineBreaksAndTabs() {
    QFETCH(bool, drop);
    QFETCH(int, cursor);
    QFETCH(QString, text);
    QLineEdit* edit1 = edit("Edit1");
    edit1->setText(QStringLiteral("AB"));
    edit1->setCursorPosition(cursor);
    if (drop) {
        QMimeData data;
        data.setText(text);
        const QPointF at(edit1->inputMethodQuery(Qt::ImCursorRectangle).toRect().center());
        // The field takes the drop only after it has taken the drag's entry.
        QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(edit1, &enter);
        QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(edit1, &dropped);
    } else {
        paste(text);
    }
    QTEST(edit1->text(), "name");
    checkShownAsScored();
    QCOMPARE(platform->beeper.count, 0);
    // Scored as the same name typed.
    const QString idText = edit("Edit2")->text();
    const QString name = edit1->text();
    edit1->clear();
    QTest::keyClicks(edit1, name);
    QCOMPARE(edit("Edit2")->text(), idText);
}

void TestBadInput::oddTypedCharactersAreRefusedWithABeep() {
    QLineEdit* edit1 = edit("Edit1");
    QTest::keyClicks(edit1, QStringLiteral("AB"));
    const auto type = [&](const QString& text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
        QApplication::sendEvent(edit1, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, text);
        QApplication::sendEvent(edit1, &release);
    };
    // An emoji from an on-screen keyboard, a NUL (Ctrl+@), half-width katakana, a character
    // beyond Latin-1 and a text of several characters with one bad among them.
    type(QStringLiteral(u"😀"));
    type(QString(QChar(u'\0')));
    type(QStringLiteral(u"ｱ"));
    type(QStringLiteral(u"é"));
    type(QStringLiteral(u"a😀"));
    QCOMPARE(platform->beeper.count, 5);
    QCOMPARE(edit1->text(), QStringLiteral("AB"));
    QCOMPARE(edit("Edit2")->text(), QStringLiteral("ID:1 GREENNILL (Code:11)"));
}

QTEST_MAIN(TestBadInput)
#include "tst_bad_input.moc"
