#include "WidgetAccessibility.h"

#include "QtWindow.h"

#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <QProgressBar>

namespace {

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

QAccessibleInterface* widgetInterface(const QString& className, QObject* object) {
    if (!object || !object->isWidgetType()) return nullptr;
    if (className == QLatin1String("QProgressBar"))
        return new BarAccessible(static_cast<QProgressBar*>(object));
    // A form has no meta-object of its own: it is asked for as a QWidget.
    if (className == QLatin1String("QWidget"))
        if (auto* form = dynamic_cast<FormWidget*>(object)) return new FormAccessible(form);
    return nullptr;
}

} // namespace

void installWidgetAccessibility() {
    static const bool installed = (QAccessible::installFactory(widgetInterface), true);
    Q_UNUSED(installed);
}
