#pragma once

#include <QApplication>

#include <utility>

namespace rotenu {

class MessageBoxPresenter;

// The application object. An exception that escapes an event handler is shown in the plain
// message box, and the program goes on with the next event.
class Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);
    void setErrorReport(MessageBoxPresenter* report) { m_report = report; }
    bool notify(QObject* receiver, QEvent* event) override;
    // Shows the exception being handled in the general error report; rethrows it where the
    // application object is not this program's own.
    static void reportCurrentException();

private:
    void report(const QString& text) noexcept;
    MessageBoxPresenter* m_report = nullptr;
};

// A handler for `connect` that runs `handler` and shows an exception escaping it in the general
// error report right there. notify() catches one that travels through Qt's event handling too,
// but Qt's own code on the way, built without exceptions, skips its clean-up and leaks: handlers
// that can throw are connected through this.
template <typename Handler> auto ReportingErrors(Handler handler) {
    return [handler = std::move(handler)] {
        try {
            handler();
        } catch (...) {
            Application::reportCurrentException();
        }
    };
}

} // namespace rotenu
