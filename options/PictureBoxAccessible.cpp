#include "PictureBoxAccessible.h"

#include "PictureBox.h"

#include <QAccessibleWidget>

namespace {

class PictureBoxAccessible final : public QAccessibleWidget {
public:
    explicit PictureBoxAccessible(PictureBox* box) : QAccessibleWidget(box, QAccessible::Button) {}

    QStringList actionNames() const override {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& actionName) override {
        if (actionName == pressAction())
            emit static_cast<PictureBox*>(widget())->clicked();
        else
            QAccessibleWidget::doAction(actionName);
    }
};

QAccessibleInterface* pictureBoxInterface(const QString& className, QObject* object) {
    if (className == QLatin1String("PictureBox") && object && object->isWidgetType())
        return new PictureBoxAccessible(static_cast<PictureBox*>(object));
    return nullptr;
}

} // namespace

void installPictureBoxAccessibility() {
    static const bool installed = (QAccessible::installFactory(pictureBoxInterface), true);
    Q_UNUSED(installed);
}
