#include "widgets/AccessibleControls.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>

namespace rotenu {
namespace {

const char* const EnterActionLabelProperty = "accessibleEnterActionLabel";
const char* const StatusLineProperty = "accessibleStatusLine";

// Qt's own interface of an object, built by the factories after ours. The cache then maps the
// object to the interface that wraps this one, which deletes it in turn.
QAccessibleInterface* QtOwnInterface(QObject* object) {
    static bool building = false;
    if (building)
        return nullptr;
    building = true;
    QAccessibleInterface* own = QAccessible::queryAccessibleInterface(object);
    building = false;
    return own;
}

// Everything as Qt's own interface has it, for a wrapper to change one part of.
class ForwardingInterface : public QAccessibleInterface {
public:
    explicit ForwardingInterface(QAccessibleInterface* own)
        : m_own(own), m_ownId(QAccessible::uniqueId(own)) {}
    ~ForwardingInterface() override {
        if (QAccessible::accessibleInterface(m_ownId))
            QAccessible::deleteAccessibleInterface(m_ownId);
    }

    bool isValid() const override { return m_own->isValid(); }
    QObject* object() const override { return m_own->object(); }
    QWindow* window() const override { return m_own->window(); }
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>>
    relations(QAccessible::Relation match) const override {
        return m_own->relations(match);
    }
    QAccessibleInterface* focusChild() const override { return m_own->focusChild(); }
    QAccessibleInterface* childAt(int x, int y) const override { return m_own->childAt(x, y); }
    QAccessibleInterface* parent() const override { return m_own->parent(); }
    QAccessibleInterface* child(int index) const override { return m_own->child(index); }
    int childCount() const override { return m_own->childCount(); }
    int indexOfChild(const QAccessibleInterface* child) const override { return m_own->indexOfChild(child); }
    QString text(QAccessible::Text t) const override { return m_own->text(t); }
    void setText(QAccessible::Text t, const QString& text) override { m_own->setText(t, text); }
    QRect rect() const override { return m_own->rect(); }
    QAccessible::Role role() const override { return m_own->role(); }
    QAccessible::State state() const override { return m_own->state(); }
    QColor foregroundColor() const override { return m_own->foregroundColor(); }
    QColor backgroundColor() const override { return m_own->backgroundColor(); }
    void* interface_cast(QAccessible::InterfaceType type) override { return m_own->interface_cast(type); }

private:
    QAccessibleInterface* m_own;
    QAccessible::Id m_ownId;
};

// The suggestion list: Qt's list with a default action that presses Enter, and its label.
class EnterActionList final : public ForwardingInterface, public QAccessibleActionInterface {
public:
    EnterActionList(QAccessibleInterface* own, QWidget* list) : ForwardingInterface(own), m_list(list) {}

    QList<QPair<QAccessibleInterface*, QAccessible::Relation>>
    relations(QAccessible::Relation match) const override {
        auto related = ForwardingInterface::relations(match);
        auto* label = m_list ? m_list->property(EnterActionLabelProperty).value<QWidget*>() : nullptr;
        if (label && (match & QAccessible::Label))
            related.append({QAccessible::queryAccessibleInterface(label), QAccessible::Label});
        return related;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                    : ForwardingInterface::interface_cast(type);
    }
    QStringList actionNames() const override { return {pressAction(), setFocusAction()}; }
    QString localizedActionDescription(const QString& name) const override {
        return name == pressAction() ? QCoreApplication::translate("rotenu", "選んだ候補を名前に付ける")
                                     : QAccessibleActionInterface::localizedActionDescription(name);
    }
    void doAction(const QString& name) override {
        if (!m_list)
            return;
        if (name == setFocusAction()) {
            m_list->setFocus(Qt::OtherFocusReason);
        } else if (name == pressAction()) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
            QCoreApplication::sendEvent(m_list, &press);
        }
    }
    QStringList keyBindingsForAction(const QString& name) const override {
        return name == pressAction() ? QStringList{QStringLiteral("Return")} : QStringList{};
    }

private:
    QPointer<QWidget> m_list;
};

// A drop-down list whose text is its selected item, the way screen readers read a value of one.
class ComboBoxWithValue final : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit ComboBoxWithValue(QComboBox* combo) : QAccessibleWidget(combo, QAccessible::ComboBox) {}

    QComboBox* combo() const { return static_cast<QComboBox*>(widget()); }

    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override {
        return index == 0 ? QAccessible::queryAccessibleInterface(combo()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child && child->object() == combo()->view() ? 0 : -1;
    }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value || (t == QAccessible::Name && widget()->accessibleName().isEmpty()))
            return combo()->currentText();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.expandable = true;
        s.expanded = combo()->view()->isVisible();
        s.collapsed = !s.expanded;
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::TextInterface ? static_cast<QAccessibleTextInterface*>(this)
                                                  : QAccessibleWidget::interface_cast(type);
    }
    QStringList actionNames() const override { return {showMenuAction(), pressAction(), setFocusAction()}; }
    void doAction(const QString& name) override {
        if (name == showMenuAction() || name == pressAction())
            combo()->showPopup();
        else
            QAccessibleWidget::doAction(name);
    }

    // The text: the selected item, read only.
    QString value() const { return combo()->currentText(); }
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int start, int end) const override { return value().mid(start, end - start); }
    int characterCount() const override { return static_cast<int>(value().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* start, int* end) const override {
        *start = 0;
        *end = characterCount();
        return {};
    }
};

// A status line: spoken as a notification each time it is announced.
class StatusLine final : public QAccessibleWidget {
public:
    explicit StatusLine(QLabel* label) : QAccessibleWidget(label, QAccessible::Notification) {}
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return static_cast<QLabel*>(widget())->text();
        return QAccessibleWidget::text(t);
    }
};

class EmptyFieldFocus final : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* field = qobject_cast<QLineEdit*>(watched);
        if (!field || event->type() != QEvent::FocusIn || !field->text().isEmpty())
            return false;
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::TabFocusReason && reason != Qt::BacktabFocusReason)
            return false;
        QFocusEvent withoutSelecting(QEvent::FocusIn, Qt::OtherFocusReason);
        QCoreApplication::sendEvent(field, &withoutSelecting);
        return true;
    }
};

QAccessibleInterface* ControlsFactory(const QString& className, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget)
        return nullptr;
    if (className == QLatin1String("QComboBox"))
        return new ComboBoxWithValue(static_cast<QComboBox*>(widget));
    if (className == QLatin1String("QLabel") && widget->property(StatusLineProperty).toBool())
        return new StatusLine(static_cast<QLabel*>(widget));
    if (className == QLatin1String("QListWidget") && widget->property(EnterActionLabelProperty).isValid()) {
        if (QAccessibleInterface* own = QtOwnInterface(object))
            return new EnterActionList(own, widget);
    }
    return nullptr;
}

void InstallControlsFactory() {
    static const bool installed = (QAccessible::installFactory(&ControlsFactory), true);
    (void)installed;
}

// Where screen readers are already listening, an interface that Qt made for the control before
// it was marked gives way to ours.
void RebuildInterface(QObject& object) {
    InstallControlsFactory();
    if (QAccessible::Id id = QAccessible::uniqueId(QAccessible::queryAccessibleInterface(&object)))
        QAccessible::deleteAccessibleInterface(id);
}

} // namespace

void GiveListEnterActionAndLabel(QAbstractItemView& list, QWidget& label) {
    list.setProperty(EnterActionLabelProperty, QVariant::fromValue(&label));
    RebuildInterface(list);
}

void ReadComboBoxValue(QComboBox& combo, const QString& popupName) {
    RebuildInterface(combo);
    combo.view()->setAccessibleName(popupName);
#if QT_VERSION < QT_VERSION_CHECK(6, 5, 0)
    QObject::connect(&combo, &QComboBox::currentIndexChanged, &combo, [&combo](int index) {
        if (!QAccessible::isActive() || !combo.hasFocus() || combo.view()->isVisible() || index < 0)
            return;
        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(combo.view());
        QAccessibleTableInterface* table = list ? list->tableInterface() : nullptr;
        if (QAccessibleInterface* item = table ? table->cellAt(index, 0) : nullptr) {
            QAccessibleEvent focus(item, QAccessible::Focus);
            QAccessible::updateAccessibility(&focus);
        }
    });
#endif
}

void ReadEmptyFieldOnFocus(QLineEdit& field) {
    field.installEventFilter(new EmptyFieldFocus(&field));
}

void MakeStatusLine(QLabel& label) {
    label.setProperty(StatusLineProperty, true);
    RebuildInterface(label);
}

void Announce(QLabel& label) {
    if (!QAccessible::isActive())
        return;
    // A notification coming up is what screen readers speak of it.
    QAccessibleEvent shown(&label, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

void AnnounceText(QWidget& source, const QString& message) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    if (!QAccessible::isActive())
        return;
    QAccessibleAnnouncementEvent announcement(&source, message);
    QAccessible::updateAccessibility(&announcement);
#else
    (void)source;
    (void)message;
#endif
}

} // namespace rotenu
