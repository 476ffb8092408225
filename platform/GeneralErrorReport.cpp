#include "platform/GeneralErrorReport.h"

#include "platform/MessageBoxPresenter.h"

#include <exception>

namespace rotenu {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        report(QString::fromUtf8(error.what()));
    } catch (...) {
        report(QStringLiteral("Unknown error"));
    }
    return false;
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
