#include "about/Lib_VarsionForm.h"

namespace rotenu {

TVarDigForm::TVarDigForm(const PlatformServices& services, QWidget* parent)
    : QDialog(parent, Qt::Tool), m_services(services) {
    setObjectName(QStringLiteral("VarDigForm"));
    setWindowTitle(QStringLiteral(u"バージョン情報"));
}

void TVarDigForm::ShowVarDig(const std::string&, const std::string&, const std::string&) { exec(); }

} // namespace rotenu
