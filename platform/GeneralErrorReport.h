#pragma once

#include <QApplication>

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

private:
    void report(const QString& text) noexcept;
    MessageBoxPresenter* m_report = nullptr;
};

} // namespace rotenu
