#include "look/FontSubstitutions.h"
#include "sectionid/Suggestions.h"
#include "tests/support/WindowFixture.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include <optional>

using namespace rotenu;
using namespace Qt::StringLiterals;

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void init() {
        windows.emplace();
        edit1 = child<QLineEdit>("Edit1");
        list = child<QListWidget>("ListBox1");
        QVERIFY(windows->showMainWindow());
    }
    void startsWithTheDesignedWindow();
    void typingShowsTheIdAndItsColors();
    void keyFilterRefusesWithABeep();
    void modifiedKeysTypeWhatTheKeyboardMeans();
    void nameStopsAtTwelveBytes();
    void mouseKeyboardAndScreenReaderApplyASuggestionWithinTheLimit_data();
    void mouseKeyboardAndScreenReaderApplyASuggestionWithinTheLimit();
    void doubleClickPutsTwoCharactersAroundTheName();
    void wantedIdRefillsTheListAlgorithmLeavesItAlone();
    void helpItemShowsBothNotesInOrder();
    void menuHasItsItemsAndExitCloses();

private:
    template <typename T> T* child(const char* name) { return windows->child<T>(name); }
    // On its circle: a radio button takes clicks only on its circle and its text.
    void clickRadio(const char* name) {
        auto* radio = child<QRadioButton>(name);
        QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(6, radio->height() / 2));
    }
    QComboBox* combo() { return child<QComboBox>("ComboBox1"); }
    // The ID field: its text, its background and the colour of its text.
    QStringList idField() {
        const QPalette colors = child<QLineEdit>("Edit2")->palette();
        return {child<QLineEdit>("Edit2")->text(), colors.color(QPalette::Base).name(),
                colors.color(QPalette::Text).name()};
    }
    // Picks a wanted ID the way a user does, by keyboard, which counts as a pick.
    void pickWanted(int index) {
        combo()->setCurrentIndex(index - 1);
        combo()->setFocus();
        QTest::keyClick(combo(), Qt::Key_Down);
        QCOMPARE(combo()->currentIndex(), index);
    }
    QStringList listItems() {
        QStringList items;
        for (int i = 0; i < list->count(); ++i)
            items << list->item(i)->text();
        return items;
    }
    static QStringList asList(const std::vector<std::string>& strings) {
        QStringList items;
        for (const auto& s : strings)
            items << QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
        return items;
    }
    void doubleClickItem(const QString& text) {
        const auto found = list->findItems(text, Qt::MatchExactly);
        QCOMPARE(found.size(), 1);
        list->scrollToItem(found.front());
        const QRect rect = list->visualItemRect(found.front());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    }

    std::optional<testing::WindowFixture> windows;
    QLineEdit* edit1 = nullptr;  // the name
    QListWidget* list = nullptr; // the suggestions
};

void TestMainWindow::startsWithTheDesignedWindow() {
    QCOMPARE(windows->mainWindow.windowTitle(), QStringLiteral(u"ろてぬ Ver1.05"));
    QCOMPARE(windows->mainWindow.centralWidget()->size(), QSize(305, 321));
    QCOMPARE(windows->mainWindow.minimumSize(), windows->mainWindow.maximumSize());
    QVERIFY(!(windows->mainWindow.windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(windows->mainWindow.windowFlags() & Qt::WindowMaximizeButtonHint));

    const std::pair<const char*, QRect> controls[] = {
        {"RadioGroup1", {8, 0, 289, 65}}, {"Label1", {8, 80, 98, 12}},     {"Edit1", {8, 96, 289, 20}},
        {"Label3", {8, 128, 40, 12}},     {"Edit2", {8, 144, 289, 20}},    {"Label2", {8, 176, 52, 12}},
        {"ComboBox1", {8, 192, 289, 20}}, {"ListBox1", {8, 216, 289, 97}},
    };
    for (const auto& [name, geometry] : controls)
        QCOMPARE(child<QWidget>(name)->geometry(), geometry);
    QCOMPARE(child<QLabel>("Label1")->text(), QStringLiteral(u"プレイヤーネーム"));
    QCOMPARE(child<QGroupBox>("RadioGroup1")->title(), QStringLiteral(u"計算アルゴリズム"));
    QVERIFY(child<QLabel>("Label1")->font().bold());
    QCOMPARE(edit1->font().family(), FixedGothicFamily());
    QCOMPARE(list->font().pointSize(), 12);
    QCOMPARE(list->palette().color(QPalette::Text), QColor(Qt::blue));

    // Shown: the first wanted ID and the first algorithm, nothing computed yet, focus in the name.
    QCOMPARE(combo()->count(), 10);
    QCOMPARE(combo()->currentText(), QStringLiteral("ID:0 VIRIDIA"));
    QCOMPARE(combo()->itemText(5), QStringLiteral("ID:5 PINKAL "));
    QCOMPARE(combo()->view()->sizeHintForRow(0), 12);
    QVERIFY(child<QRadioButton>("RadioGroup1Item0")->isChecked());
    QCOMPARE(child<QLineEdit>("Edit2")->text(), QString());
    QVERIFY(child<QLineEdit>("Edit2")->isReadOnly());
    QCOMPARE(list->count(), 0);
    QCOMPARE(QApplication::focusWidget(), edit1);
    // The empty list shows the focus, tabbed onto, which its style shows only on a current row.
    const QImage unfocusedList = list->grab().toImage();
    combo()->setFocus();
    QTest::keyClick(combo(), Qt::Key_Tab);
    QVERIFY(list->hasFocus() && list->grab().toImage() != unfocusedList);
    edit1->setFocus();

    QCOMPARE(testing::TabOrder(5), QStringLiteral("Edit2 RadioGroup1Item0 ComboBox1 ListBox1 Edit1"));

    // The suggestion list is read by its label; the drop-down list's pop-up and the empty ID field
    // say what they are.
    const auto labels = QAccessible::queryAccessibleInterface(list)->relations(QAccessible::Label);
    QVERIFY(!labels.isEmpty());
    QCOMPARE(labels.front().first->text(QAccessible::Name), QStringLiteral(u"名前補足"));
    QCOMPARE(combo()->view()->accessibleName(), QStringLiteral(u"名前補足"));
    QCOMPARE(QAccessible::queryAccessibleInterface(combo())->textInterface()->text(0, -1),
             QStringLiteral("ID:0 VIRIDIA"));
    QVERIFY(!child<QLineEdit>("Edit2")->accessibleDescription().isEmpty());

    // Selecting an item from code is no pick.
    combo()->setCurrentIndex(4);
    QCOMPARE(child<QLineEdit>("Edit2")->text(), QString());
    QCOMPARE(list->count(), 0);
}

void TestMainWindow::typingShowsTheIdAndItsColors() {
    QTest::keyClicks(edit1, QStringLiteral("A"));
    QCOMPARE(idField(), (QStringList{u"ID:5 PINKAL (Code:5)"_s, u"#ff00ff"_s, u"#000000"_s}));
    QCOMPARE(listItems(), asList(SUGGESTION_LISTS[5])); // wanted 0 - 5 + 10

    QTest::keyClicks(edit1, QStringLiteral("~ "));
    QCOMPARE(edit1->text(), QStringLiteral("A~ "));
    QCOMPARE(idField(), (QStringList{u"ID:3 BLUEFULL (Code:13)"_s, u"#0000ff"_s, u"#ffffff"_s}));

    QTest::keyClick(edit1, Qt::Key_Backspace);
    QTest::keyClick(edit1, Qt::Key_Backspace);
    QCOMPARE(edit1->text(), QStringLiteral("A"));
    QTest::keyClick(edit1, Qt::Key_Backspace);
    QCOMPARE(idField(),
             (QStringList{QString(), QApplication::palette().color(QPalette::Button).name(), u"#000000"_s}));
    QCOMPARE(listItems(), QStringList());

    edit1->setText(QStringLiteral("F"));
    QCOMPARE(idField(), (QStringList{u"ID:0 VIRIDIA (Code:0)"_s, u"#008000"_s, u"#ffffff"_s}));
    edit1->setText(QStringLiteral("BRELOTKAMU"));
    QCOMPARE(idField(),
             (QStringList{u"ID:8 YELLOWBOZE (Code:58) HUmar-NewColor"_s, u"#ffff00"_s, u"#000000"_s}));
    clickRadio("RadioGroup1Item1");
    QCOMPARE(idField()[0], u"ID:8 YELLOWBOZE (Code:28) HUmar-NewColor"_s);
    QCOMPARE(windows->platform.beeper.count, 0);
}

void TestMainWindow::keyFilterRefusesWithABeep() {
    QTest::keyClicks(edit1, QStringLiteral("AB"));
    QCOMPARE(windows->platform.beeper.count, 0);

    QTest::keyClick(edit1, Qt::Key_Return);
    QTest::keyClick(edit1, Qt::Key_Escape);
    testing::SendKey(*edit1, Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"));
    testing::SendKey(*edit1, Qt::Key_A, Qt::ControlModifier, QString()); // a toolkit that sends no text
    QCOMPARE(windows->platform.beeper.count, 4);

    // Ctrl+V, Ctrl+X and Ctrl+Z therefore do nothing.
    QApplication::clipboard()->setText(QStringLiteral("ZZ"));
    edit1->selectAll();
    testing::SendKey(*edit1, Qt::Key_X, Qt::ControlModifier, QString());
    testing::SendKey(*edit1, Qt::Key_V, Qt::ControlModifier, QString());
    testing::SendKey(*edit1, Qt::Key_Z, Qt::ControlModifier, QString());
    QCOMPARE(edit1->text(), QStringLiteral("AB"));
    QCOMPARE(windows->platform.beeper.count, 7);

    // A double-byte character from an input method; typed directly, half-width katakana, an emoji
    // from an on-screen keyboard, a NUL (Ctrl+@), a character beyond Latin-1 and a text of several
    // characters with one bad among them.
    edit1->end(false);
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral(u"あ"));
    QApplication::sendEvent(edit1, &commit);
    for (const QString& text : {QStringLiteral(u"ｱ"), QStringLiteral(u"😀"), QString(QChar(u'\0')),
                                QStringLiteral(u"é"), QStringLiteral(u"a😀")})
        testing::SendKey(*edit1, Qt::Key_unknown, {}, text);
    QCOMPARE(edit1->text(), QStringLiteral("AB"));
    QCOMPARE(child<QLineEdit>("Edit2")->text(), QStringLiteral("ID:1 GREENNILL (Code:11)"));
    QCOMPARE(windows->platform.beeper.count, 13);
    // A printable commit from an input method is typed like a key.
    QInputMethodEvent ascii;
    ascii.setCommitString(QStringLiteral("c"));
    QApplication::sendEvent(edit1, &ascii);
    QCOMPARE(edit1->text(), QStringLiteral("ABc"));

    // Character 127 passes the filter (the field itself inserts no control character); keys
    // that type nothing are not filtered.
    testing::SendKey(*edit1, Qt::Key_unknown, {}, QString(QChar(127)));
    QTest::keyClick(edit1, Qt::Key_Left);
    QTest::keyClick(edit1, Qt::Key_Home);
    QTest::keyClick(edit1, Qt::Key_Delete);
    QCOMPARE(edit1->text(), QStringLiteral("Bc"));
    QCOMPARE(windows->platform.beeper.count, 13);
}

void TestMainWindow::modifiedKeysTypeWhatTheKeyboardMeans() {
    const QString ab = QStringLiteral("AB");
    const QString abAt = QStringLiteral("AB@");
    // As X11 delivers them (AltGr is a group switch there, Ctrl+Alt elsewhere).
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        QString text;
        QString name;
        int beeps;
    } presses[] = {
        {Qt::Key_H, Qt::ControlModifier, QStringLiteral("\b"), QStringLiteral("A"), 0},
        {Qt::Key_H, Qt::ControlModifier, QString(), QStringLiteral("A"), 0},
        {Qt::Key_Q, Qt::AltModifier, QStringLiteral("q"), ab, 0},
        {Qt::Key_Q, Qt::AltModifier | Qt::ShiftModifier, QStringLiteral("Q"), ab, 0},
        {Qt::Key_Q, Qt::MetaModifier, QStringLiteral("q"), ab, 0},
        {Qt::Key_At, Qt::GroupSwitchModifier, QStringLiteral("@"), abAt, 0},
        {Qt::Key_Q, Qt::ControlModifier | Qt::AltModifier, QStringLiteral("@"), abAt, 0},
        {Qt::Key_E, Qt::GroupSwitchModifier, QStringLiteral(u"€"), ab, 1},
    };
    for (const auto& press : presses) {
        edit1->setText(ab);
        windows->platform.beeper.count = 0;
        testing::SendKey(*edit1, press.key, press.modifiers, press.text);
        QCOMPARE(edit1->text(), press.name);
        QCOMPARE(windows->platform.beeper.count, press.beeps);
    }
    // Alt with a menu's mnemonic opens the menu.
    QTest::keyClick(edit1, Qt::Key_F, Qt::AltModifier);
    QTRY_VERIFY(child<QMenu>("File1")->isVisible());
    child<QMenu>("File1")->close();
    QCOMPARE(edit1->text(), ab);
}

void TestMainWindow::nameStopsAtTwelveBytes() {
    QTest::keyClicks(edit1, QStringLiteral("ABCDEFGHIJKLM"));
    QCOMPARE(edit1->text(), QStringLiteral("ABCDEFGHIJKL"));
    QCOMPARE(child<QLineEdit>("Edit2")->text(), QStringLiteral("ID:6 REDRIA (Code:56)"));
    QCOMPARE(listItems(), asList(SUGGESTION_LISTS[4])); // still listed at 12 bytes
    // Typing in the middle is refused the same way.
    edit1->setCursorPosition(3);
    QTest::keyClicks(edit1, QStringLiteral("x"));
    QCOMPARE(edit1->text(), QStringLiteral("ABCDEFGHIJKL"));
}

void TestMainWindow::mouseKeyboardAndScreenReaderApplyASuggestionWithinTheLimit_data() {
    testing::NamedRows("how", {"double click", "Enter", "Return", "default action"});
}

void TestMainWindow::mouseKeyboardAndScreenReaderApplyASuggestionWithinTheLimit() {
    QFETCH(QString, how);
    QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(list);
    QVERIFY(reader->actionInterface());
    // Applies the suggestion `item`; with none, what is selected.
    const auto apply = [&](const QString& item) {
        if (how == QStringLiteral("double click"))
            return doubleClickItem(item);
        if (!item.isEmpty())
            list->setCurrentItem(list->findItems(item, Qt::MatchExactly).front());
        if (how == QStringLiteral("default action"))
            reader->actionInterface()->doAction(reader->actionInterface()->actionNames().front());
        else
            QTest::keyClick(list, how == QStringLiteral("Enter") ? Qt::Key_Enter : Qt::Key_Return);
    };
    // Eleven bytes (score 50, wanted 0: d = 0).
    edit1->setText(QStringLiteral("ABCDEFGHIJK"));
    QCOMPARE(listItems(), asList(SUGGESTION_LISTS[0]));
    if (how != QStringLiteral("double click")) {
        // Nothing selected: nothing happens. The first Down goes to the first item.
        list->setFocus();
        apply({});
        QCOMPARE(edit1->text(), QStringLiteral("ABCDEFGHIJK"));
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(list->selectedItems(), QList<QListWidgetItem*>{list->item(0)});
    }
    // A one-character suggestion fits, then no more: only a beep.
    apply(QStringLiteral("x"));
    QCOMPARE(edit1->text(), QStringLiteral("ABCDEFGHIJKx"));
    QVERIFY(list->selectedItems().isEmpty());
    QCOMPARE(child<QLineEdit>("Edit2")->text(), QStringLiteral("ID:0 VIRIDIA (Code:50)"));
    QCOMPARE(listItems(), asList(SUGGESTION_LISTS[0]));
    apply(QStringLiteral("x"));
    QCOMPARE(edit1->text(), QStringLiteral("ABCDEFGHIJKx"));
    QCOMPARE(windows->platform.beeper.count, 1);
}

void TestMainWindow::doubleClickPutsTwoCharactersAroundTheName() {

    // An empty list of an empty name: nothing happens.
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, QPoint(20, 8));
    QCOMPARE(edit1->text(), QString());
    QCOMPARE(windows->platform.beeper.count, 0);

    // Ten bytes (score 45, wanted 9: d = 4): a two-character suggestion encloses the name.
    edit1->setText(QStringLiteral("ABCDEFGHIJ"));
    pickWanted(9);
    QCOMPARE(listItems(), asList(SUGGESTION_LISTS[4]));
    doubleClickItem(QStringLiteral("[]"));
    QCOMPARE(edit1->text(), QStringLiteral("[ABCDEFGHIJ]"));
    QCOMPARE(child<QLineEdit>("Edit2")->text().left(5), QStringLiteral("ID:9 "));
    QVERIFY(list->selectedItems().isEmpty());

    // Eleven bytes (score 53, wanted 9: d = 6): a two-character suggestion only beeps.
    edit1->setText(QStringLiteral("ABCDEFGHIJX"));
    doubleClickItem(QStringLiteral("!!"));
    QCOMPARE(edit1->text(), QStringLiteral("ABCDEFGHIJX"));
    QCOMPARE(windows->platform.beeper.count, 1);
    doubleClickItem(QStringLiteral("$"));
    QCOMPARE(edit1->text(), QStringLiteral("ABCDEFGHIJX$"));

    // The two-blank suggestion puts one blank on each side (A scores 5, wanted 9: d = 4).
    edit1->setText(QStringLiteral("A"));
    doubleClickItem(QStringLiteral("  "));
    QCOMPARE(edit1->text(), QStringLiteral(" A "));
    QCOMPARE(windows->platform.beeper.count, 1);
}

void TestMainWindow::wantedIdRefillsTheListAlgorithmLeavesItAlone() {
    QTest::keyClicks(edit1, QStringLiteral("A")); // ID 5
    pickWanted(9);
    QCOMPARE(listItems(), asList(SUGGESTION_LISTS[4]));
    QCOMPARE(listItems().front(), QStringLiteral("**"));
    QCOMPARE(listItems().back(), QStringLiteral("|"));
    pickWanted(2); // 2 - 5 = -3: d = 7
    QCOMPARE(listItems(), asList(SUGGESTION_LISTS[7]));
    pickWanted(6);
    QCOMPARE(listItems(), asList(SUGGESTION_LISTS[1]));

    // The other algorithm rescores but does not touch the list: a selection survives.
    list->setCurrentRow(2);
    clickRadio("RadioGroup1Item1");
    QCOMPARE(child<QLineEdit>("Edit2")->text(), QStringLiteral("ID:5 PINKAL (Code:5)"));
    QCOMPARE(list->currentRow(), 2);
    QVERIFY(list->item(2)->isSelected());
    edit1->setText(QStringLiteral("F"));
    QCOMPARE(child<QLineEdit>("Edit2")->text(), QStringLiteral("ID:0 VIRIDIA (Code:10)"));
    clickRadio("RadioGroup1Item0");
    QCOMPARE(child<QLineEdit>("Edit2")->text(), QStringLiteral("ID:0 VIRIDIA (Code:0)"));
    // Setting the same text again is no change.
    list->setCurrentRow(1);
    edit1->setText(QStringLiteral("F"));
    QCOMPARE(list->currentRow(), 1);
}

void TestMainWindow::helpItemShowsBothNotesInOrder() {
    child<QAction>("N3")->trigger();
    QCOMPARE(windows->platform.messageBox.shown.size(), 2);
    const QStringList first = windows->platform.messageBox.shown[0].split(QStringLiteral("\r\n"));
    QCOMPARE(first.size(), 20);
    QCOMPARE(first.mid(0, 4) + first.mid(18),
             (QStringList{u"●隠しコスチユーム出現の名前"_s, QString(), u"HUmar"_s, u"  BRELOTKAMU"_s,
                          u"FOnewearl"_s, u"  HAZMORTENI"_s}));
    QCOMPARE(windows->platform.messageBox.shown[1],
             QStringLiteral(u"●マグタイマーのWAVファイル設定\r\n\r\n同じフォルダーに「test."
                            u"wav」\r\nというファイルを置けばそれが鳴る"));
    QCOMPARE(child<QAction>("N3")->text(), QStringLiteral(" "));
}

void TestMainWindow::menuHasItsItemsAndExitCloses() {
    QStringList titles;
    for (QAction* action : child<QMenuBar>("MainMenu1")->actions())
        titles << action->text();
    QCOMPARE(titles, QStringList({QStringLiteral(u"ファイル(&F)"), QStringLiteral(u"ツール(&T)"),
                                  QStringLiteral(u"ヘルプ(&H)")}));
    QVERIFY(!child<QAction>("N2")->isVisible());
    QCOMPARE(child<QAction>("N1")->text(), QStringLiteral(u"マグえさタイマー"));
    QCOMPARE(child<QAction>("Exit1")->text(), QStringLiteral(u"終了(&X)"));
    QCOMPARE(child<QAction>("V1")->text(), QStringLiteral(u"バージョン(&A)"));

    QSignalSpy closed(&windows->mainWindow, &TForm1::closed);
    child<QAction>("Exit1")->trigger();
    QCOMPARE(closed.count(), 1);
    QVERIFY(!windows->mainWindow.isVisible());
}

int main(int argc, char** argv) {
    return testing::WindowTestMain<TestMainWindow>(argc, argv);
}

#include "tst_main_window.moc"
