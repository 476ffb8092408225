#pragma once

class QString;

namespace rotenu {

// The program's one kind of message: a modal box with the text, no icon and one "OK" button,
// captioned with the application's title. Lines of the text are separated by CR LF.
class MessageBoxPresenter {
public:
    virtual ~MessageBoxPresenter() = default;
    virtual void showPlain(const QString& text) = 0;
};

} // namespace rotenu
