#include "feedtimer/RepeatingTimer.h"
#include "look/FontSubstitutions.h"
#include "tests/support/ManualClock.h"
#include "tests/support/WindowFixture.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QTest>

#include <optional>

using namespace rotenu;
using namespace std::chrono_literals;
using namespace Qt::StringLiterals;

namespace {

const QColor Black(0, 0, 0);
const QColor Red(255, 0, 0);
const QColor Blue(0, 0, 255);

const QString Stopped = QStringLiteral(u"停止中");
const QString EveryCycleRunning = QStringLiteral(u"毎周期アラーム動作中");
const QString OneCycleRunning = QStringLiteral(u"一周期アラーム動作中");
const QString OneCycleFinished = QStringLiteral(u"一周期アラーム終了");

} // namespace

class TestFeedingTimerWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void startsAsDesigned();
    void everyCycleAlarmRhythm_data();
    void everyCycleAlarmRhythm();
    void oneCycleAlarmSoundsOnceAndStops_data();
    void oneCycleAlarmSoundsOnceAndStops();
    void barOnScreenGrowsAtEveryTick();
    void startButtonsKeepARunningRhythmAndRestartAWait();
    void stopButtonEscapeAndClosingEndTheAlarm_data();
    void stopButtonEscapeAndClosingEndTheAlarm();
    void menuEntryShowsAtTheLastPlaceAndOnlyRaisesAnOpenWindow();
    void keyboardPressesTheButtons();
    void waitChangeTakesEffectAtTheNextAlarm();
    void lateTicksDoNotAddUpOverTenCycles();
    void failedSoundBeepsInsteadAtTheSameTimes();

private:
    template <typename T> T* child(const char* name) { return testing::ChildNamed<T>(*form, name); }
    QPushButton* button(int n) {
        return child<QPushButton>(QStringLiteral("BitBtn%1").arg(n).toLatin1().constData());
    }
    QComboBox* waitList() { return child<QComboBox>("ComboBox1"); }
    int bar() { return child<QProgressBar>("ProgressBar1")->value(); }
    QString status() { return child<QLabel>("Label2")->text(); }
    QColor statusColor() { return child<QLabel>("Label2")->palette().color(QPalette::WindowText); }
    bool ticking() { return child<RepeatingTimer>("Timer1")->isEnabled(); }

    void click(int n) { QTest::mouseClick(button(n), Qt::LeftButton); }
    // Picks a wait the way a user does, with the keyboard on the list.
    void pickWait(int index) {
        waitList()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(waitList(), Qt::Key_Home);
        for (int i = 0; i < index; ++i)
            QTest::keyClick(waitList(), Qt::Key_Down);
        QCOMPARE(waitList()->currentIndex(), index);
    }
    void markStart() { start = clock.now(); }
    // Seconds since markStart, to the millisecond.
    double elapsed() const {
        return static_cast<double>(
                   std::chrono::round<std::chrono::milliseconds>(clock.now() - start).count()) /
               1000;
    }
    void runUntil(double seconds) {
        const auto target =
            start + std::chrono::round<std::chrono::milliseconds>(std::chrono::duration<double>(seconds));
        clock.advance(target - clock.now());
    }
    // The bar still empty at `empty` seconds and at 1 at `one`: when a count began.
    void barCountsOneBetween(double empty, double one) {
        runUntil(empty);
        QCOMPARE(bar(), 0);
        runUntil(one);
        QCOMPARE(bar(), 1);
    }

    testing::ManualClock clock;
    std::optional<testing::WindowFixture> windows;
    testing::FakePlatform* platform = nullptr;
    TForm2* form = nullptr; // the feeding timer
    ClockTime start{};
    QList<double> alarms;
};

// Each test starts with the window just shown for the first time, on a clock that moves only when
// the test moves it.
void TestFeedingTimerWindow::init() {
    windows.emplace(clock);
    platform = &windows->platform;
    form = &windows->feedingTimer;
    alarms.clear();
    platform->wavePlayer.onPlay = [this](const QString&) { alarms << elapsed(); };
    markStart();
    // Created hidden, the one-cycle alarm its default button.
    QVERIFY(!form->isVisible());
    QVERIFY(button(2)->isDefault());
    form->show();
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form));
}

void TestFeedingTimerWindow::startsAsDesigned() {
    QCOMPARE(waitList()->currentIndex(), 3);
    QCOMPARE(form->windowTitle(), QStringLiteral(u"マグえさタイマー"));
    QCOMPARE(form->windowType(), Qt::Tool);
    QVERIFY(!form->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(!form->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    QCOMPARE(form->size(), QSize(248, 153));
    QCOMPARE(form->minimumSize(), form->maximumSize());
    QCOMPARE(form->font().family(), ProportionalGothicFamily());

    const std::pair<const char*, QRect> controls[] = {
        {"ProgressBar1", {8, 24, 233, 25}}, {"ComboBox1", {144, 56, 97, 20}},
        {"BitBtn1", {8, 88, 113, 25}},      {"BitBtn2", {128, 88, 113, 25}},
        {"BitBtn3", {8, 120, 113, 25}},     {"BitBtn4", {128, 120, 113, 25}}};
    for (const auto& [name, geometry] : controls)
        QCOMPARE(child<QWidget>(name)->geometry(), geometry);
    // The labels are as wide as their texts.
    for (const auto& [name, at] : {std::pair{"Label1", QPoint(8, 64)}, std::pair{"Label2", QPoint(8, 8)}}) {
        auto* label = child<QLabel>(name);
        QCOMPARE(label->pos(), at);
        QCOMPARE(label->width(), label->sizeHint().width());
    }
    QVERIFY(child<QLabel>("Label2")->font().bold());
    QCOMPARE(child<QLabel>("Label1")->text(), QStringLiteral(u"毎周期エサやり待ち時間"));

    const QStringList texts{u"毎周期アラーム"_s, u"一周期アラーム"_s, u"アラーム中止"_s, u"閉じる"_s};
    for (int n = 1; n <= 4; ++n)
        QCOMPARE(button(n)->text(), texts[n - 1]);
    for (int n = 1; n <= 3; ++n) {
        const QIcon icon = button(n)->icon();
        QVERIFY2(!icon.isNull(), "a clock glyph is missing");
        const QImage glyph = icon.pixmap(16, 16).toImage();
        QCOMPARE(glyph.size(), QSize(16, 16));
        // White is the transparent colour: the corners between the bells show the button.
        QCOMPARE(qAlpha(glyph.pixel(0, 13)), 0);
        QCOMPARE(qAlpha(glyph.pixel(7, 7)), 255);
    }
    const QIcon door = button(4)->icon();
    const QImage normal = door.pixmap(18, 18, QIcon::Normal).toImage();
    const QImage disabled = door.pixmap(18, 18, QIcon::Disabled).toImage();
    QCOMPARE(normal.size(), QSize(18, 18));
    QCOMPARE(qAlpha(normal.pixel(0, 0)), 0);
    QVERIFY(normal != disabled);

    const QStringList waits{
        u"０秒"_s, u"１０秒"_s,     u"２０秒"_s,     u"３０秒"_s,     u"４０秒"_s,     u"５０秒"_s,
        u"１分"_s, u"１分１０秒"_s, u"１分２０秒"_s, u"１分３０秒"_s, u"１分４０秒"_s, u"１分５０秒"_s,
        u"２分"_s, u"２分１０秒"_s, u"２分２０秒"_s, u"２分３０秒"_s, u"２分４０秒"_s, u"２分５０秒"_s};
    QStringList items;
    for (int i = 0; i < waitList()->count(); ++i)
        items << waitList()->itemText(i);
    QCOMPARE(items, waits);
    QVERIFY(!waitList()->isEditable());
    QCOMPARE(waitList()->view()->sizeHintForRow(0), 12);

    auto* progress = child<QProgressBar>("ProgressBar1");
    QCOMPARE(progress->minimum(), 0);
    QCOMPARE(progress->maximum(), 210);
    QCOMPARE(progress->focusPolicy(), Qt::NoFocus);
    QCOMPARE(bar(), 0);
    QCOMPARE(status(), Stopped);
    QCOMPARE(statusColor(), Black);
    QVERIFY(!ticking());

    // Focus on BitBtn1 at the first showing; Tab goes through the buttons, then the wait list.
    QCOMPARE(QApplication::focusWidget(), button(1));
    QCOMPARE(testing::TabOrder(5), QStringLiteral("BitBtn2 BitBtn3 BitBtn4 ComboBox1 BitBtn1"));
}

void TestFeedingTimerWindow::everyCycleAlarmRhythm_data() {
    QTest::addColumn<int>("waitIndex");
    QTest::addColumn<QList<double>>("expected");
    QTest::newRow("default 30 s") << 3 << QList<double>{210, 450, 690};
    QTest::newRow("no wait") << 0 << QList<double>{210, 420, 630};
    QTest::newRow("2 min 50 s") << 17 << QList<double>{210, 590, 970};
}

void TestFeedingTimerWindow::everyCycleAlarmRhythm() {
    QFETCH(int, waitIndex);
    QFETCH(QList<double>, expected);
    if (waitIndex != 3)
        pickWait(waitIndex);
    const int wait = waitIndex * 10;
    click(1);
    QCOMPARE(status(), EveryCycleRunning);
    QCOMPARE(statusColor(), Red);

    // Second by second, a little after each tick: the bar reads the seconds of the current cycle.
    QList<int> readings;
    for (int second = 1; second <= 1000; ++second) {
        runUntil(second + 0.5);
        readings << bar();
        QCOMPARE(status(), EveryCycleRunning);
        QCOMPARE(statusColor(), Red);
    }
    QCOMPARE(alarms.mid(0, 3), expected);
    QCOMPARE(*std::max_element(readings.begin(), readings.end()), 209);
    for (double alarm : alarms) {
        const int at = static_cast<int>(alarm);
        if (at + wait + 1 > 1000)
            break;
        for (int second = at; second <= at + wait; ++second)
            QCOMPARE(readings[second - 1], 0);
        QCOMPARE(readings[at + wait], 1);
        QCOMPARE(readings[at - 2], 209);
    }
    QCOMPARE(readings[99], 100);
    QVERIFY(platform->wavePlayer.played.contains(QStringLiteral("test.WAV")));
    QCOMPARE(platform->beeper.count, 0);
}

void TestFeedingTimerWindow::oneCycleAlarmSoundsOnceAndStops_data() {
    QTest::addColumn<int>("waitIndex");
    QTest::addColumn<bool>("chosenAgainFromTheMenu");
    QTest::newRow("default wait") << 3 << false;
    QTest::newRow("no wait") << 0 << false;
    QTest::newRow("longest wait") << 17 << false;
    QTest::newRow("menu entry chosen again while counting") << 3 << true;
}

void TestFeedingTimerWindow::oneCycleAlarmSoundsOnceAndStops() {
    QFETCH(int, waitIndex);
    QFETCH(bool, chosenAgainFromTheMenu);
    pickWait(waitIndex);
    click(2);
    QCOMPARE(status(), OneCycleRunning);
    QCOMPARE(statusColor(), Blue);
    if (chosenAgainFromTheMenu) {
        runUntil(100.5);
        windows->child<QAction>("N1")->trigger();
        // What Qt 6.8 sends when an open dialog is shown again.
        QShowEvent again;
        QCoreApplication::sendEvent(form, &again);
        QCOMPARE(bar(), 100);
        QCOMPARE(status(), OneCycleRunning);
    }
    runUntil(209.5);
    QCOMPARE(bar(), 209);
    QVERIFY(alarms.isEmpty());
    runUntil(210);
    QCOMPARE(alarms, QList<double>{210});
    QCOMPARE(bar(), 0);
    QCOMPARE(status(), OneCycleFinished);
    QCOMPARE(statusColor(), Blue);
    QVERIFY(!ticking());
    QCOMPARE(clock.pendingAlarms(), 0); // nothing can sound again
}

void TestFeedingTimerWindow::barOnScreenGrowsAtEveryTick() {
    auto* progress = child<QProgressBar>("ProgressBar1");
    // What the screen shows of the bar once the window has repainted what it meant to.
    const auto onScreen = [&] {
        QCoreApplication::sendPostedEvents();
        return form->screen()
            ->grabWindow(form->winId())
            .toImage()
            .copy(progress->geometry())
            .convertToFormat(QImage::Format_RGB32);
    };
    const QImage empty = onScreen();
    const int row = empty.height() / 2;
    click(2);
    int filled = 0;
    for (int n = 1; n < TForm2::kFeedingTicks; ++n) {
        runUntil(n);
        QCOMPARE(bar(), n);
        // The bar on screen is the bar drawn for its value, and its fill has grown.
        QTRY_COMPARE_WITH_TIMEOUT(onScreen(),
                                  progress->grab().toImage().convertToFormat(QImage::Format_RGB32), 1000);
        const QImage shown = onScreen();
        int columns = 0;
        for (int x = 0; x < shown.width(); ++x)
            columns += shown.pixel(x, row) != empty.pixel(x, row);
        QVERIFY2(columns > filled, qPrintable(QStringLiteral("%1 s: %2 columns filled").arg(n).arg(columns)));
        filled = columns;
    }
    QVERIFY(filled > progress->width() * 9 / 10);
}

void TestFeedingTimerWindow::startButtonsKeepARunningRhythmAndRestartAWait() {
    click(1);
    runUntil(100.4);
    QCOMPARE(bar(), 100);
    // Into the one-cycle alarm while the one-second rhythm runs: the rhythm goes on.
    click(2);
    QCOMPARE(bar(), 0);
    QCOMPARE(status(), OneCycleRunning);
    QCOMPARE(statusColor(), Blue);
    barCountsOneBetween(100.9, 101);
    // And back into the every-cycle alarm, again from an empty bar on the same rhythm.
    runUntil(150.7);
    click(1);
    QCOMPARE(bar(), 0);
    QCOMPARE(status(), EveryCycleRunning);
    runUntil(151);
    QCOMPARE(bar(), 1);
    // The 210th tick of the rhythm, 209.3 s after the press.
    runUntil(359.9);
    QVERIFY(alarms.isEmpty());
    runUntil(360);
    QCOMPARE(alarms, QList<double>{360});

    // During the wait that follows (30 s): a press restarts the timing, the bar counts 1 a second later.
    runUntil(375.3);
    QCOMPARE(bar(), 0);
    click(1);
    barCountsOneBetween(376.2, 376.3);
    runUntil(585.3);
    QCOMPARE(alarms, (QList<double>{360, 585.3}));

    // The one-cycle alarm pressed during a wait restarts as well.
    runUntil(600.6);
    click(2);
    runUntil(601.6);
    QCOMPARE(bar(), 1);
    runUntil(900);
    QCOMPARE(alarms, (QList<double>{360, 585.3, 810.6}));
    QCOMPARE(status(), OneCycleFinished);
}

void TestFeedingTimerWindow::stopButtonEscapeAndClosingEndTheAlarm_data() {
    QTest::addColumn<int>("startButton");
    QTest::addColumn<double>("at"); // seconds after the start
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("open");
    QTest::addColumn<QString>("status");
    QTest::addColumn<int>("bar");
    // Stopped: the window stays open, the bar empty and the label back to "stopped".
    QTest::newRow("stop button while counting") << 1 << 50.5 << u"BitBtn3"_s << true << Stopped << 0;
    QTest::newRow("Escape on the wait list during a wait")
        << 1 << 220.0 << u"ComboBox1"_s << true << Stopped << 0;
    QTest::newRow("Escape on a button, one-cycle alarm")
        << 2 << 100.0 << u"BitBtn1"_s << true << Stopped << 0;
    // Closed: hidden, the bar and the label as they were.
    QTest::newRow("close button while counting")
        << 1 << 50.5 << u"BitBtn4"_s << false << EveryCycleRunning << 50;
    QTest::newRow("close box during a wait")
        << 1 << 215.0 << u"close box"_s << false << EveryCycleRunning << 0;
}

void TestFeedingTimerWindow::stopButtonEscapeAndClosingEndTheAlarm() {
    QFETCH(int, startButton);
    QFETCH(double, at);
    QFETCH(QString, how);
    click(startButton);
    runUntil(at);
    const qsizetype sounded = alarms.size();
    if (how == u"close box") {
        QVERIFY(form->close());
    } else if (how == u"BitBtn3" || how == u"BitBtn4") {
        QTest::mouseClick(child<QWidget>(qPrintable(how)), Qt::LeftButton);
    } else {
        auto* target = child<QWidget>(qPrintable(how));
        target->setFocus(Qt::TabFocusReason);
        QTest::keyClick(target, Qt::Key_Escape);
    }
    for (double later : {at, at + 3000}) {
        runUntil(later);
        QTEST(form->isVisible(), "open");
        QTEST(status(), "status");
        QTEST(bar(), "bar");
        QVERIFY(!ticking());
        QCOMPARE(alarms.size(), sounded);
    }
    if (status() == Stopped)
        QCOMPARE(statusColor(), Black);
}

void TestFeedingTimerWindow::menuEntryShowsAtTheLastPlaceAndOnlyRaisesAnOpenWindow() {
    form->close();
    windows->mainWindow.show();
    auto* entry = windows->child<QAction>("N1");
    entry->trigger();
    QVERIFY(QTest::qWaitForWindowExposed(form));
    QVERIFY(form->isVisible());
    pickWait(17);
    click(1);
    runUntil(42.5);

    // Chosen again while open: in front, nothing reset.
    form->lower();
    entry->trigger();
    QCOMPARE(bar(), 42);
    QCOMPARE(status(), EveryCycleRunning);
    QVERIFY(ticking());
    runUntil(210);
    QCOMPARE(alarms, QList<double>{210});

    // Moved, closed, chosen again: where it was, reset, the wait kept.
    form->move(40, 50);
    QTRY_COMPARE(form->pos(), QPoint(40, 50));
    form->close();
    entry->trigger();
    QVERIFY(QTest::qWaitForWindowExposed(form));
    QCOMPARE(form->pos(), QPoint(40, 50));
    QCOMPARE(status(), Stopped);
    QCOMPARE(statusColor(), Black);
    QCOMPARE(bar(), 0);
    QVERIFY(!ticking());
    QCOMPARE(waitList()->currentIndex(), 17);
}

void TestFeedingTimerWindow::keyboardPressesTheButtons() {
    // Enter on the closed wait list presses the default button: the one-cycle alarm.
    waitList()->setFocus(Qt::TabFocusReason);
    QTest::keyClick(waitList(), Qt::Key_Return);
    QCOMPARE(status(), OneCycleRunning);
    QVERIFY(ticking());
    QVERIFY(!waitList()->view()->isVisible());
    QCOMPARE(waitList()->currentIndex(), 3);

    // Enter, or Space, on a button with the focus presses that button.
    const auto press = [&](int n, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        button(n)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(button(n), key, modifiers);
    };
    press(1, Qt::Key_Return);
    QCOMPARE(status(), EveryCycleRunning);
    press(3, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(status(), Stopped);
    press(1, Qt::Key_Space);
    QCOMPARE(status(), EveryCycleRunning);
    press(4, Qt::Key_Return);
    QVERIFY(!form->isVisible());
    QVERIFY(!ticking());
}

void TestFeedingTimerWindow::waitChangeTakesEffectAtTheNextAlarm() {
    click(1);
    runUntil(100);
    pickWait(17);
    runUntil(300);
    QCOMPARE(alarms, QList<double>{210});
    // A wait that has begun keeps its length; the new choice counts from the next alarm.
    pickWait(0);
    barCountsOneBetween(379.5, 381);
    runUntil(1010);
    QCOMPARE(alarms, (QList<double>{210, 590, 800, 1010}));
}

void TestFeedingTimerWindow::lateTicksDoNotAddUpOverTenCycles() {
    click(1);
    // The event loop hands every tick over 40 ms after it is due.
    while (alarms.size() < 10) {
        const std::optional<ClockTime> due = clock.nextDeadline();
        QVERIFY(due);
        clock.jump(*due + 40ms - clock.now());
        clock.deliverDue();
    }
    QList<double> expected;
    for (int k = 0; k < 10; ++k)
        expected << (210'000 + k * 240'000 + 40) / 1000.0;
    QCOMPARE(alarms, expected);
}

void TestFeedingTimerWindow::failedSoundBeepsInsteadAtTheSameTimes() {
    platform->wavePlayer.starts = false;
    click(1);
    QList<int> beepsAt;
    for (double at : {209.9, 210.0, 449.9, 450.0, 690.0}) {
        runUntil(at);
        beepsAt << platform->beeper.count;
    }
    QCOMPARE(beepsAt, (QList<int>{0, 1, 1, 2, 3}));
    QCOMPARE(platform->wavePlayer.played, QStringList(3, QStringLiteral("test.WAV")));
    QCOMPARE(status(), EveryCycleRunning);
    QVERIFY(ticking());

    click(2);
    runUntil(900);
    QCOMPARE(platform->beeper.count, 4);
    QCOMPARE(status(), OneCycleFinished);
}

int main(int argc, char** argv) {
    return testing::WindowTestMain<TestFeedingTimerWindow>(argc, argv);
}

#include "tst_feeding_timer_window.moc"
