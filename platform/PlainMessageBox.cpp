#include "platform/PlainMessageBox.h"

#include "platform/ApplicationTitle.h"
#include "platform/WindowPlacement.h"

#include <QMessageBox>

namespace rotenu {

void PlainMessageBox::showPlain(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, ApplicationTitle(), QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")),
                    QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.ensurePolished();
    box.adjustSize();
    CenterOnScreen(box);
    box.exec();
}

} // namespace rotenu
