#pragma once
// The program's windows as it makes them at start-up, over one fake platform, and what every
// window test does to them.

#include "about/Lib_VarsionForm.h"
#include "app/Main.h"
#include "feedtimer/MonotonicClock.h"
#include "feedtimer/Timer.h"
#include "look/FontSubstitutions.h"
#include "tests/support/FakePlatform.h"
#include "widgets/Application.h"

#include <QLineEdit>
#include <QString>
#include <QTest>

#include <functional>
#include <initializer_list>

namespace rotenu::testing {

// A window's control by its object name; a test cannot go on without it.
template <typename T> T* ChildNamed(const QObject& window, const char* name) {
    T* child = window.findChild<T*>(QString::fromLatin1(name));
    if (!child)
        qFatal("no child %s", name);
    return child;
}

// The main window, the feeding timer and the version dialog, created hidden in the program's
// order and attached to the main window.
struct WindowFixture {
    // The feeding timer on the given clock; the program's is the system's.
    explicit WindowFixture(MonotonicClock& clock = SystemMonotonicClock());

    // Shows the main window; whether it came up and took the focus.
    [[nodiscard]] bool showMainWindow();
    // The main window's control of that name.
    template <typename T> T* child(const char* name) const { return ChildNamed<T>(mainWindow, name); }

    FakePlatform platform;
    TForm1 mainWindow;
    TForm2 feedingTimer;
    TVarDigForm versionDialog;
};

// A test's rows, one a name, each with its name in the one column `column`.
void NamedRows(const char* column, std::initializer_list<const char*> names);
// A key pressed and released that types `text`, as a keyboard or an input method sends it.
void SendKey(QWidget& target, Qt::Key key, Qt::KeyboardModifiers modifiers, const QString& text);
// The names of the controls that Tab brings the focus to, one a press, from where it is.
QString TabOrder(int presses);
// The text put on the clipboard and pasted into the field.
void Paste(QLineEdit& field, const QString& text);
// Runs `open`, and `inspect` on the modal window it brings up from inside that window's event
// loop; the window is closed however `inspect` ends. Returns whether a modal window came up.
bool InspectModal(const std::function<void()>& open, const std::function<void(QWidget& modal)>& inspect);

// A window test's `main`: runs the test with the program's application object and fonts.
template <typename Test> int WindowTestMain(int argc, char** argv) {
    Application application(argc, argv);
    InstallFontSubstitutions();
    Test test;
    return QTest::qExec(&test, argc, argv);
}

} // namespace rotenu::testing
