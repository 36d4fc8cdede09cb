#include "FocusRing.h"

#include "Contrast.h"

#include <QApplication>
#include <QPainter>
#include <QPalette>
#include <QProxyStyle>
#include <QPushButton>
#include <QStyleOption>

namespace {

class RingedButtons final : public QProxyStyle {
public:
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        QProxyStyle::drawControl(element, option, painter, widget);
        if (element != CE_PushButton || !(option->state & State_HasFocus) ||
            !(option->state & State_KeyboardFocusChange))
            return;
        const QColor face = option->palette.color(QPalette::Button);
        drawFocusRing(*painter, option->rect, focusRingColour(face, option->palette));
    }
};

} // namespace

QColor focusRingColour(const QColor& face, const QPalette& palette) {
    return mostContrasting(face,
                           {palette.color(QPalette::Highlight), palette.color(QPalette::ButtonText),
                            palette.color(QPalette::WindowText), palette.color(QPalette::Window)});
}

void drawFocusRing(QPainter& painter, const QRect& edge, const QColor& colour) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(colour, kFocusRingWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
    constexpr double half = kFocusRingWidth / 2.0;
    painter.drawRect(QRectF(edge).adjusted(half, half, -half, -half));
    painter.restore();
}

void ringFocusedButtons(QWidget& window) {
    static QStyle* const style = [] {
        auto* ringed = new RingedButtons; // over the application's style
        ringed->setParent(qApp);          // lives as long as the application
        return ringed;
    }();
    for (QPushButton* button : window.findChildren<QPushButton*>())
        button->setStyle(style);
}
