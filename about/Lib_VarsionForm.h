#pragma once
// The version dialog.

#include "platform/PlatformServices.h"

#include <QDialog>

#include <string>

namespace rotenu {

class TVarDigForm final : public QDialog {
    Q_OBJECT
public:
    explicit TVarDigForm(const PlatformServices& services, QWidget* parent = nullptr);

    // Texts are Shift_JIS byte strings, lines joined by CR LF. Shows the dialog modally.
    void ShowVarDig(const std::string& about, const std::string& credits, const std::string& pages);

private:
    PlatformServices m_services;
};

} // namespace rotenu
