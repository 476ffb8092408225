// Every window stands centred on the screen by its frame, and stays where it was when it first
// came up: under real window managers (tests/support/private-desktop --wm) and, with no frame at
// all, offscreen.

#include "tests/support/WindowFixture.h"
#include "widgets/PlainMessageBox.h"

#include <QAction>
#include <QApplication>
#include <QScreen>
#include <QTest>
#include <QWindow>

using namespace rotenu;

class TestWindowFrames : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { qApp->installEventFilter(this); }
    void centredByTheirFrame_data();
    void centredByTheirFrame();

protected:
    // Where each window stood when it was first painted: what the user first sees of it.
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (auto* widget = qobject_cast<QWidget*>(watched); widget && event->type() == QEvent::Paint)
            if (QWindow* window = widget->window()->windowHandle())
                firstExposedAt.insert(window, window->position()); // keeps the first
        return false;
    }

private:
    // What is wrong with the window's place once the window manager has framed it; empty if nothing.
    QString misplacement(QWidget& widget) {
        QWindow& window = *widget.windowHandle();
        if (framed && !QTest::qWaitFor([&] { return !window.frameMargins().isNull(); }))
            return QStringLiteral("the window manager framed no window");
        if (!QTest::qWaitFor([&] { return firstExposedAt.contains(&window); }))
            return QStringLiteral("never painted");
        QTest::qWait(100); // a window manager that moves the window does so now
        if (const QPoint first = firstExposedAt.value(&window); first != window.position())
            return QString::asprintf("moved after it came up: from %d,%d to %d,%d", first.x(), first.y(),
                                     window.position().x(), window.position().y());
        const QRect frame = window.frameGeometry();
        const QRect desktop = window.screen()->availableGeometry();
        // Twice the centres: within a pixel.
        const QPoint off = frame.topLeft() * 2 + QPoint(frame.width(), frame.height()) -
                           (desktop.topLeft() * 2 + QPoint(desktop.width(), desktop.height()));
        qInfo("frame %d,%d %dx%d, its centre %.1f,%.1f px from the desktop's", frame.x(), frame.y(),
              frame.width(), frame.height(), off.x() / 2.0, off.y() / 2.0);
        if (std::abs(off.x()) > 2 || std::abs(off.y()) > 2)
            return QString::asprintf("frame %d,%d %dx%d on a desktop of %dx%d", frame.x(), frame.y(),
                                     frame.width(), frame.height(), desktop.width(), desktop.height());
        return {};
    }

    QHash<QWindow*, QPoint> firstExposedAt;
    const bool framed = QGuiApplication::platformName() != QStringLiteral("offscreen");
};

void TestWindowFrames::centredByTheirFrame_data() {
    testing::NamedRows("window", {"main window", "feeding timer", "version dialog", "help message"});
}

void TestWindowFrames::centredByTheirFrame() {
    QFETCH(QString, window);
    QVERIFY2(!framed || QGuiApplication::platformName() == QStringLiteral("xcb"),
             "run under private-desktop --wm");
    firstExposedAt.clear();
    testing::WindowFixture windows;
    // The other windows open from the main window's menu: it is up.
    windows.mainWindow.show();
    QString problem = misplacement(windows.mainWindow);
    if (window == QStringLiteral("main window") || !problem.isEmpty()) {
    } else if (window == QStringLiteral("feeding timer")) {
        windows.child<QAction>("N1")->trigger();
        problem = misplacement(windows.feedingTimer);
    } else {
        const bool shown = testing::InspectModal(
            [&] {
                if (window == QStringLiteral("version dialog"))
                    windows.child<QAction>("V1")->trigger();
                else
                    PlainMessageBox().showPlain(QStringLiteral("line 1\r\nline 2"));
            },
            [&](QWidget& modal) { problem = misplacement(modal); });
        QVERIFY2(shown, "not shown");
    }
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
}

int main(int argc, char** argv) {
    return testing::WindowTestMain<TestWindowFrames>(argc, argv);
}

#include "tst_window_frames.moc"
