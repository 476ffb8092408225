#include "tests/support/WindowFixture.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>

namespace rotenu::testing {

WindowFixture::WindowFixture(MonotonicClock& clock)
    : mainWindow(platform.services), feedingTimer(platform.services, clock),
      versionDialog(platform.services) {
    mainWindow.attachWindows(&feedingTimer, &versionDialog);
}

bool WindowFixture::showMainWindow() {
    mainWindow.show();
    mainWindow.activateWindow();
    return QTest::qWaitForWindowExposed(&mainWindow) && QTest::qWaitForWindowActive(&mainWindow);
}

void NamedRows(const char* column, std::initializer_list<const char*> names) {
    QTest::addColumn<QString>(column);
    for (const char* name : names)
        QTest::newRow(name) << QString::fromLatin1(name);
}

void SendKey(QWidget& target, Qt::Key key, Qt::KeyboardModifiers modifiers, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(&target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(&target, &release);
}

QString TabOrder(int presses) {
    QStringList names;
    for (int i = 0; i < presses; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        names << QApplication::focusWidget()->objectName();
    }
    return names.join(QLatin1Char(' '));
}

void Paste(QLineEdit& field, const QString& text) {
    QApplication::clipboard()->setText(text);
    field.paste();
}

bool InspectModal(const std::function<void()>& open, const std::function<void(QWidget& modal)>& inspect) {
    bool seen = false;
    // Polled, and stopped with this function, so that it never fires into a later test.
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || seen)
            return;
        seen = true;
        poll.stop();
        const auto closeAfterwards = qScopeGuard([modal] { modal->close(); });
        inspect(*modal);
    });
    poll.start();
    open();
    return seen;
}

} // namespace rotenu::testing
