#include "look/ThemeIcon.h"

#include <QApplication>
#include <QEvent>
#include <QIcon>
#include <QTimer>
#include <QWidget>

namespace rotenu {
namespace {

class ThemeIconAfterFirstPaint final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // After the paint has reached the screen.
            QTimer::singleShot(0, this, [this] {
                QApplication::setWindowIcon(
                    QIcon::fromTheme(QStringLiteral("rotenu"), QApplication::windowIcon()));
                deleteLater();
            });
        }
        return false;
    }
};

} // namespace

void TakeThemeIconAfterFirstPaint(QWidget& window) {
    window.installEventFilter(new ThemeIconAfterFirstPaint(&window));
}

} // namespace rotenu
