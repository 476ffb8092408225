#include "widgets/AccessibleMenuItem.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAction>
#include <QMenu>
#include <QPointer>

namespace rotenu {
namespace {

const char* const kAccessibleNameProperty = "accessibleName";

// A menu item as screen readers see it: its name from the action's property, the rest as any
// other item of a menu (place, state, pressing it).
class NamedMenuItem final : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    NamedMenuItem(QAction* action, QWidget* menu) : m_action(action), m_menu(menu) {}

    bool isValid() const override { return m_action && m_menu; }
    QObject* object() const override { return m_action; }
    QWindow* window() const override { return m_menu ? m_menu->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(m_menu); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessible::Role role() const override { return QAccessible::MenuItem; }
    void setText(QAccessible::Text, const QString&) override {}

    QString text(QAccessible::Text type) const override {
        return type == QAccessible::Name && m_action ? m_action->property(kAccessibleNameProperty).toString()
                                                     : QString();
    }

    QRect rect() const override {
        if (auto* menu = qobject_cast<QMenu*>(m_menu.data()); menu && m_action)
            return menu->actionGeometry(m_action).translated(menu->mapToGlobal(QPoint(0, 0)));
        return {};
    }

    QAccessible::State state() const override {
        QAccessible::State state;
        if (!isValid())
            return state;
        state.invisible = !m_menu->isVisible() || !m_action->isVisible();
        if (auto* menu = qobject_cast<QMenu*>(m_menu.data()))
            state.focused = menu->activeAction() == m_action;
        state.disabled = !m_action->isEnabled();
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                    : nullptr;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override {
        if (name == pressAction() && m_action && m_action->isEnabled())
            m_action->trigger();
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QPointer<QAction> m_action;
    QPointer<QWidget> m_menu;
};

QAccessibleInterface* NamedMenuItemFactory(const QString& className, QObject* object) {
    auto* action = qobject_cast<QAction*>(object);
    if (className != QLatin1String("QAction") || !action ||
        action->property(kAccessibleNameProperty).toString().isEmpty())
        return nullptr;
    for (QObject* owner : action->associatedObjects())
        if (auto* menu = qobject_cast<QMenu*>(owner))
            return new NamedMenuItem(action, menu);
    return nullptr;
}

} // namespace

void InstallAccessibleMenuItemNames() {
    static const bool installed = (QAccessible::installFactory(&NamedMenuItemFactory), true);
    (void)installed;
}

} // namespace rotenu
