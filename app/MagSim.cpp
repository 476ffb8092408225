#include "app/MagSim.h"

#include "ui_MagSim.h"

namespace rotenu {

TForm3::TForm3(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm3>()) {
    ui->setupUi(this);
}

TForm3::~TForm3() = default;

} // namespace rotenu
