#include "WidgetAccessibility.h"

#include "QtWindow.h"

#include <QAbstractItemView>
#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QProgressBar>

namespace {

// Marks the labels whose every new text a reader announces.
constexpr char kLiveRegion[] = "tarrowinLiveRegion";

class FormAccessible final : public QAccessibleWidget {
public:
    explicit FormAccessible(FormWidget* window)
        : QAccessibleWidget(window, window->accessibleRole()) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return widget()->windowTitle();
        return QAccessibleWidget::text(t);
    }
};

class BarAccessible final : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit BarAccessible(QProgressBar* bar) : QAccessibleWidget(bar, QAccessible::ProgressBar) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        return state;
    }

    // What a reader says for the value: how full the bar is.
    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Value) return QAccessibleWidget::text(t);
        const QProgressBar* b = bar();
        const int span = b->maximum() - b->minimum();
        const int percent = span > 0 ? (b->value() - b->minimum()) * kPercent / span : 0;
        return QStringLiteral("%1%").arg(percent);
    }

    QVariant currentValue() const override { return bar()->value(); }
    void setCurrentValue(const QVariant&) override {} // the program alone moves it
    QVariant maximumValue() const override { return bar()->maximum(); }
    QVariant minimumValue() const override { return bar()->minimum(); }
    QVariant minimumStepSize() const override { return 0; }

private:
    static constexpr int kPercent = 100;
    QProgressBar* bar() const { return static_cast<QProgressBar*>(widget()); }
};

// A line of text that readers announce when it changes: its text can be read
// as text, so that a change comes as text taken out and put in.
class LiveTextAccessible final : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit LiveTextAccessible(QLabel* label)
        : QAccessibleWidget(label, QAccessible::StaticText) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) return label()->text();
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        return state;
    }

    QString text(int startOffset, int endOffset) const override {
        return label()->text().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(label()->text().size()); }
    // Nothing to select and no cursor: the line only shows.
    void selection(int, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = 0;
    }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* startOffset, int* endOffset) const override {
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }

private:
    QLabel* label() const { return static_cast<QLabel*>(widget()); }
};

// A drop-down list named by its label, its choice as its value: Qt names a
// list that cannot be typed into by its choice, so that a reader says "Gear"
// where it should say "Icon".
class ListAccessible final : public QAccessibleWidget {
public:
    explicit ListAccessible(QComboBox* list) : QAccessibleWidget(list, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) return list()->currentText();
        return QAccessibleWidget::text(t);
    }

    // The items, in the popup's list.
    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override {
        return index == 0 ? QAccessible::queryAccessibleInterface(list()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child && child->object() == list()->view() ? 0 : -1;
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.hasPopup = true;
        state.expanded = list()->view()->isVisible();
        state.collapsed = !state.expanded;
        return state;
    }

    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
    void doAction(const QString& actionName) override {
        if (actionName != showMenuAction() && actionName != pressAction()) return;
        if (list()->view()->isVisible())
            list()->hidePopup();
        else
            list()->showPopup();
    }

private:
    QComboBox* list() const { return static_cast<QComboBox*>(widget()); }
};

// A frame is a grouping named by its caption. It labels nothing (Qt's own
// makes it the label of every control inside): each has a label of its own.
class FrameAccessible final : public QAccessibleWidget {
public:
    explicit FrameAccessible(QGroupBox* frame) : QAccessibleWidget(frame, QAccessible::Grouping) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return static_cast<QGroupBox*>(widget())->title();
        return QAccessibleWidget::text(t);
    }
};

// Qt marks the popup's current item focused for as long as it is current:
// once the popup has closed, no item is current. The list makes its choice
// current again when it opens.
class PopupFocusReset final : public QObject {
public:
    explicit PopupFocusReset(QAbstractItemView& view) : QObject(&view), view_(view) {
        view.window()->installEventFilter(this);
    }

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Hide && view_.selectionModel())
            view_.selectionModel()->clearCurrentIndex();
        return false;
    }

private:
    QAbstractItemView& view_;
};

QAccessibleInterface* widgetInterface(const QString& className, QObject* object) {
    if (!object || !object->isWidgetType()) return nullptr;
    if (className == QLatin1String("QProgressBar"))
        return new BarAccessible(static_cast<QProgressBar*>(object));
    if (className == QLatin1String("QComboBox"))
        return new ListAccessible(static_cast<QComboBox*>(object));
    if (className == QLatin1String("QGroupBox"))
        return new FrameAccessible(static_cast<QGroupBox*>(object));
    if (className == QLatin1String("QLabel") && object->property(kLiveRegion).toBool())
        return new LiveTextAccessible(static_cast<QLabel*>(object));
    // A form has no meta-object of its own: it is asked for as a QWidget.
    if (className == QLatin1String("QWidget"))
        if (auto* form = dynamic_cast<FormWidget*>(object)) return new FormAccessible(form);
    return nullptr;
}

} // namespace

void makeLiveRegion(QLabel& label) {
    label.setProperty(kLiveRegion, true);
    // Its first text may already have made the label's interface, as a plain
    // label's: the next query makes it anew.
    if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(&label))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

void leaveNoItemFocused(QComboBox& list) {
    new PopupFocusReset(*list.view()); // owned by the view
}

void setLiveText(QLabel& label, const QString& text) {
    const QString before = label.text();
    if (text == before) return;
    label.setText(text);
    if (!QAccessible::isActive() || !label.property(kLiveRegion).toBool()) return;
    QAccessibleTextUpdateEvent changed(&label, 0, before, text);
    QAccessible::updateAccessibility(&changed);
}

void installWidgetAccessibility() {
    static const bool installed = (QAccessible::installFactory(widgetInterface), true);
    Q_UNUSED(installed);
}
