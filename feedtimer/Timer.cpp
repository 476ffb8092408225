#include "feedtimer/Timer.h"

namespace rotenu {

TForm2::TForm2(const PlatformServices& services, QWidget* parent)
    : QWidget(parent, Qt::Tool), m_services(services) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral(u"マグえさタイマー"));
}

} // namespace rotenu
