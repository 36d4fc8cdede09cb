#include "QtPictureBoxAccessible.h"

#include "QtPictureBox.h"

#include <QAccessibleWidget>

namespace {

class QtPictureBoxAccessible final : public QAccessibleWidget {
public:
    explicit QtPictureBoxAccessible(QtPictureBox* box)
        : QAccessibleWidget(box, QAccessible::Button) {}

    QStringList actionNames() const override {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& actionName) override {
        if (actionName == pressAction())
            emit static_cast<QtPictureBox*>(widget())->clicked();
        else
            QAccessibleWidget::doAction(actionName);
    }
};

QAccessibleInterface* pictureBoxInterface(const QString& className, QObject* object) {
    if (className == QLatin1String("QtPictureBox") && object && object->isWidgetType())
        return new QtPictureBoxAccessible(static_cast<QtPictureBox*>(object));
    return nullptr;
}

} // namespace

void installPictureBoxAccessibility() {
    static const bool installed = (QAccessible::installFactory(pictureBoxInterface), true);
    Q_UNUSED(installed);
}
