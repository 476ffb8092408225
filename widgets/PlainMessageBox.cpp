#include "widgets/PlainMessageBox.h"

#include "widgets/ApplicationTitle.h"
#include "widgets/WindowPlacement.h"

#include <QApplication>
#include <QMessageBox>

namespace rotenu {
namespace {

// The box settles its size only as it is shown; it is centred then, before it comes up.
class CenteredMessageBox final : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent* event) override {
        QMessageBox::showEvent(event);
        CenterOnScreen(*this);
    }
};

} // namespace

void PlainMessageBox::showPlain(const QString& text) {
    CenteredMessageBox box(QMessageBox::NoIcon, ApplicationTitle(),
                           QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")),
                           QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    SetTransientParent(box, QApplication::activeWindow());
    box.exec();
}

} // namespace rotenu
