#pragma once

#include "platform/MessageBoxPresenter.h"

namespace rotenu {

class PlainMessageBox final : public MessageBoxPresenter {
public:
    void showPlain(const QString& text) override;
};

} // namespace rotenu
