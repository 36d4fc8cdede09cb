#include "ClassicFont.h"

#include <QFont>
#include <QFontDatabase>
#include <QWidget>

namespace {
constexpr double kPointSize = 8.25;
constexpr int kLayoutPointSize = 8; // how the layout files write it
} // namespace

void installFontSubstitutes() {
    const QStringList families = QFontDatabase::families();
    // Metric-compatible faces first: Liberation Sans has Arial's widths.
    const QStringList sansSerif{QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                                QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")};
    for (const QString& face : {QStringLiteral("MS Sans Serif"), QStringLiteral("Arial")})
        if (!families.contains(face)) QFont::insertSubstitutions(face, sansSerif);
}

void applyClassicFontSizes(QWidget* window) {
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets.prepend(window);
    for (QWidget* widget : widgets) {
        const bool ownSize = widget->font().resolveMask() & QFont::SizeResolved;
        if (!ownSize || widget->font().pointSize() != kLayoutPointSize) continue;
        QFont font = widget->font();
        font.setPointSizeF(kPointSize);
        widget->setFont(font);
    }
}
