#include "FirstLineOnly.h"

#include <QEvent>
#include <QLabel>
#include <QRegion>

#include <algorithm>

namespace {

void clipToFirstLine(QLabel& label) {
    // A wrapped plain text steps by the font's height from the top of the
    // contents; the second line starts there.
    const QRect contents = label.contentsRect();
    const int firstLineBottom = contents.top() + label.margin() + label.fontMetrics().height();
    const int height = std::clamp(firstLineBottom, 0, label.height());
    label.setMask(QRegion(0, 0, label.width(), height));
}

class FirstLineWatch final : public QObject {
public:
    explicit FirstLineWatch(QLabel& label) : QObject(&label), label_(label) {
        label.installEventFilter(this);
        clipToFirstLine(label);
    }

    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
        case QEvent::Resize:
        case QEvent::FontChange:
        case QEvent::StyleChange:
        case QEvent::ScreenChangeInternal:
            clipToFirstLine(label_);
            break;
        default:
            break;
        }
        return false;
    }

private:
    QLabel& label_;
};

} // namespace

void showFirstLineOnly(QLabel& label) {
    new FirstLineWatch(label); // owned by the label
}
