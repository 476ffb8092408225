#include "widgets/Application.h"

#include "platform/MessageBoxPresenter.h"

#include <exception>

namespace rotenu {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        reportCurrentException();
    }
    return false;
}

void Application::reportCurrentException() {
    auto* application = qobject_cast<Application*>(QCoreApplication::instance());
    if (!application)
        throw;
    try {
        throw;
    } catch (const std::exception& error) {
        application->report(QString::fromUtf8(error.what()));
    } catch (...) {
        application->report(QStringLiteral("Unknown error"));
    }
}

void Application::report(const QString& text) noexcept {
    if (!m_report)
        return;
    try {
        m_report->showPlain(text);
    } catch (...) {
        // A failing report must not take the program down with it.
    }
}

} // namespace rotenu
