#pragma once
// How far two colours stand apart for a reader, as the accessibility
// guidelines of the web measure it, and the colour choices made from it, so
// that what the program draws in colours of its own stays readable in light,
// dark and high-contrast palettes.

#include <QColor>

#include <initializer_list>

// From 1 (the same light) to 21 (black on white).
double contrastRatio(const QColor& a, const QColor& b);

// The candidate that stands out most from the background; the first of equals.
QColor mostContrasting(const QColor& background, std::initializer_list<QColor> candidates);

// Text: the preferred colour where it reaches the ratio that text needs on the
// background; else the fallback, moved toward `strong` just as far as reaching
// it takes (`strong` itself when even that does not).
QColor readableText(const QColor& preferred, const QColor& fallback, const QColor& strong,
                    const QColor& background);
