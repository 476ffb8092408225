#include "app/SuggestionList.h"

#include <QEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>

namespace rotenu {

SuggestionList::SuggestionList(QWidget* parent) : QListWidget(parent) {
    connect(this, &QListWidget::currentItemChanged, this, qOverload<>(&QWidget::update));
}

bool SuggestionList::event(QEvent* event) {
    const bool handled = QListWidget::event(event);
    switch (event->type()) {
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        update();
        break;
    case QEvent::Paint:
        if (hasFocus() && !currentItem()) {
            QPainter painter(this);
            QStyleOptionFocusRect focus;
            focus.initFrom(this);
            focus.backgroundColor = palette().color(QPalette::Base);
            style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
        }
        break;
    default:
        break;
    }
    return handled;
}

} // namespace rotenu
