#include "AccessibilityEvents.h"

#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/qpa/qplatformaccessibility.h>
#include <QtGui/qpa/qplatformintegration.h>

std::vector<AccessibleEventRecord>* AccessibilityEvents::events_ = nullptr;

namespace {
// Qt sends events only while the platform's accessibility is on, which a
// screen reader's connection does; the test platform has no reader.
void setAccessibilityActive(bool active) {
    if (QPlatformAccessibility* accessibility =
            QGuiApplicationPrivate::platformIntegration()->accessibility())
        accessibility->setActive(active);
}
} // namespace

AccessibilityEvents::AccessibilityEvents() {
    events_ = &recorded_;
    QAccessible::installUpdateHandler(record);
    setAccessibilityActive(true);
}

AccessibilityEvents::~AccessibilityEvents() {
    setAccessibilityActive(false);
    QAccessible::installUpdateHandler(nullptr);
    events_ = nullptr;
}

void AccessibilityEvents::record(QAccessibleEvent* event) {
    if (!events_) return;
    QAccessibleInterface* iface = event->accessibleInterface();
    QVariant value;
    QString before;
    if (event->type() == QAccessible::ValueChanged)
        value = static_cast<QAccessibleValueChangeEvent*>(event)->value();
    if (event->type() == QAccessible::TextUpdated) {
        const auto* update = static_cast<QAccessibleTextUpdateEvent*>(event);
        before = update->textRemoved();
        value = update->textInserted();
    }
    events_->push_back({event->object(), event->type(),
                        iface ? iface->text(QAccessible::Name) : QString(), value, before});
}

std::vector<QString> AccessibilityEvents::names(QObject* object, QAccessible::Event type) const {
    std::vector<QString> found;
    for (const AccessibleEventRecord& e : recorded_)
        if (e.object == object && e.type == type) found.push_back(e.name);
    return found;
}

std::vector<int> AccessibilityEvents::values(QObject* object) const {
    std::vector<int> found;
    for (const AccessibleEventRecord& e : recorded_)
        if (e.object == object && e.type == QAccessible::ValueChanged)
            found.push_back(e.value.toInt());
    return found;
}

std::vector<std::pair<QString, QString>> AccessibilityEvents::textUpdates(QObject* object) const {
    std::vector<std::pair<QString, QString>> found;
    for (const AccessibleEventRecord& e : recorded_)
        if (e.object == object && e.type == QAccessible::TextUpdated)
            found.emplace_back(e.before, e.value.toString());
    return found;
}
