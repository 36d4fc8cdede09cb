#pragma once
#include <QString>

class QWidget;

// The open-file dialog, modal to owner. The filter is "display|patterns" pairs
// joined by vertical bars, patterns separated by semicolons; the first pair is
// selected. A typed name without extension gets defaultExtension; a name that
// does not exist is accepted. Returns the full path, or an empty text on cancel.
// The flags are the platform dialog's; 0 keeps its defaults.
QString ShowOpenFileDialog(const QString& filter, const QString& defaultExtension,
                           const QString& initialDirectory, int flags, QWidget* owner);
