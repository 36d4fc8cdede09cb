#pragma once
#include <QString>

#include <string>

class QWidget;

// The open-file dialog, modal to owner. The filter is "display|patterns" pairs
// joined by vertical bars, patterns separated by semicolons; the first pair is
// selected. A typed name without extension gets defaultExtension; a name that
// does not exist is accepted. Returns the full path, or an empty text on cancel.
// The flags are the platform dialog's; 0 keeps its defaults.
QString openFileDialog(const QString& filter, const QString& defaultExtension,
                       const QString& initialDirectory, int flags, QWidget* owner);

// The platform's attribute query of a path in the 8-bit encoding: true when a
// file or a folder is there, false for an empty path and every failure.
bool fileAttributesExist(const std::string& path);
