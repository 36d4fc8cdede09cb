#pragma once
// Listens to what the widgets tell assistive technology, as a screen reader
// does: while a recorder lives, accessibility is switched on and every event
// is kept.

#include <QAccessible>
#include <QString>
#include <QVariant>

#include <utility>
#include <vector>

struct AccessibleEventRecord {
    QObject* object;
    QAccessible::Event type;
    QString name;   // the object's accessible name when the event came
    QVariant value; // the new value, for a value change
    QString before; // the text replaced, for a text update (the new text is in value)
};

class AccessibilityEvents {
public:
    AccessibilityEvents();
    ~AccessibilityEvents();
    AccessibilityEvents(const AccessibilityEvents&) = delete;
    AccessibilityEvents& operator=(const AccessibilityEvents&) = delete;

    // The accessible names that came with events of this type from this object.
    std::vector<QString> names(QObject* object, QAccessible::Event type) const;
    // The values that came with value changes from this object.
    std::vector<int> values(QObject* object) const;
    // The texts replaced and their replacements, of this object's text updates.
    std::vector<std::pair<QString, QString>> textUpdates(QObject* object) const;

private:
    static void record(QAccessibleEvent* event);
    static std::vector<AccessibleEventRecord>* events_;
    std::vector<AccessibleEventRecord> recorded_;
};
