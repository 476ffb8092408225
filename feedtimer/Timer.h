#pragma once
// The Mag feeding timer window.

#include "platform/PlatformServices.h"

#include <QWidget>

namespace rotenu {

class TForm2 final : public QWidget {
    Q_OBJECT
public:
    explicit TForm2(const PlatformServices& services, QWidget* parent = nullptr);

private:
    PlatformServices m_services;
};

} // namespace rotenu
