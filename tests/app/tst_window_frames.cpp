// Under a real window manager (tests/support/with-window-manager) every window stands centred on
// the screen by its frame, and is never moved once it is up.

#include "about/Lib_VarsionForm.h"
#include "app/Main.h"
#include "feedtimer/Timer.h"
#include "platform/FontSubstitutions.h"
#include "platform/PlainMessageBox.h"
#include "support/FakePlatform.h"

#include <QAction>
#include <QApplication>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWindow>

using namespace rotenu;

namespace {

// The windows that moved away from where they were first exposed.
class MoveAfterExposeRecorder final : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (auto* window = qobject_cast<QWindow*>(watched)) {
            if (event->type() == QEvent::Expose && !exposedAt.contains(window))
                exposedAt.insert(window, window->position());
            else if (event->type() == QEvent::Move && exposedAt.contains(window) &&
                     exposedAt.value(window) != window->position())
                moved.insert(window);
        }
        return false;
    }
    QHash<QObject*, QPoint> exposedAt;
    QSet<QObject*> moved;
};

struct Placement {
    bool framed = false;
    bool moved = false;
    QRect frame;
    QRect desktop;
};

enum class Window { Main, FeedingTimer, VersionDialog, MessageBox };

} // namespace

Q_DECLARE_METATYPE(Window)

class TestWindowFrames : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void centredByTheirFrame_data();
    void centredByTheirFrame();

private:
    Placement placementOf(QWidget& window) {
        Placement placement;
        placement.framed = QTest::qWaitFor(
            [&] { return window.windowHandle() && !window.windowHandle()->frameMargins().isNull(); });
        QTest::qWait(100); // a window manager that moves the window does so now
        placement.moved = recorder.moved.contains(window.windowHandle());
        placement.frame = window.frameGeometry();
        placement.desktop = window.screen()->availableGeometry();
        return placement;
    }
    // Opens a modal window and finds its place from inside its event loop.
    Placement placementOfModal(const std::function<void()>& open) {
        Placement placement;
        QTimer look;
        look.setInterval(10);
        connect(&look, &QTimer::timeout, this, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal)
                return;
            look.stop();
            placement = placementOf(*modal);
            modal->close();
        });
        look.start();
        open();
        return placement;
    }

    MoveAfterExposeRecorder recorder;
};

void TestWindowFrames::initTestCase() {
    QVERIFY2(QGuiApplication::platformName() == QStringLiteral("xcb"), "run under with-window-manager");
    qApp->installEventFilter(&recorder);
}

void TestWindowFrames::centredByTheirFrame_data() {
    QTest::addColumn<Window>("window");
    QTest::newRow("main window") << Window::Main;
    QTest::newRow("feeding timer") << Window::FeedingTimer;
    QTest::newRow("version dialog") << Window::VersionDialog;
    QTest::newRow("help message") << Window::MessageBox;
}

void TestWindowFrames::centredByTheirFrame() {
    QFETCH(Window, window);
    recorder.exposedAt.clear();
    recorder.moved.clear();
    testing::FakePlatform platform;
    TForm1 form(platform.services);
    TForm2 timer(platform.services);
    TVarDigForm dialog(platform.services);
    form.attachWindows(&timer, &dialog);
    Placement placement;
    switch (window) {
    case Window::Main:
        form.show();
        placement = placementOf(form);
        break;
    case Window::FeedingTimer:
        form.findChild<QAction*>(QStringLiteral("N1"))->trigger();
        placement = placementOf(timer);
        break;
    case Window::VersionDialog:
        placement = placementOfModal([&] { form.findChild<QAction*>(QStringLiteral("V1"))->trigger(); });
        break;
    case Window::MessageBox:
        placement = placementOfModal([] { PlainMessageBox().showPlain(QStringLiteral("line 1\r\nline 2")); });
        break;
    }
    QVERIFY2(placement.framed, "the window manager framed no window");
    QVERIFY2(!placement.moved, "the window moved after it was shown");
    // Twice the centres, so that an odd size may stand half a pixel off.
    const QPoint offCentre =
        (placement.frame.topLeft() * 2 + QPoint(placement.frame.width(), placement.frame.height())) -
        (placement.desktop.topLeft() * 2 + QPoint(placement.desktop.width(), placement.desktop.height()));
    QVERIFY2(std::abs(offCentre.x()) <= 1 && std::abs(offCentre.y()) <= 1,
             qPrintable(QStringLiteral("frame %1,%2 %3x%4 on a desktop of %5x%6")
                            .arg(placement.frame.x())
                            .arg(placement.frame.y())
                            .arg(placement.frame.width())
                            .arg(placement.frame.height())
                            .arg(placement.desktop.width())
                            .arg(placement.desktop.height())));
}

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    InstallFontSubstitutions();
    TestWindowFrames test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_window_frames.moc"
