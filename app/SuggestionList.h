#pragma once

#include <QListWidget>

namespace rotenu {

// The list of suggestions for the name. While it has the focus but no current item (it is empty,
// or the keyboard has not moved in it yet), the style draws no focus on any row: the focus then
// shows as a rectangle round the list.
class SuggestionList final : public QListWidget {
    Q_OBJECT
public:
    explicit SuggestionList(QWidget* parent = nullptr);

protected:
    bool event(QEvent* event) override;
};

} // namespace rotenu
