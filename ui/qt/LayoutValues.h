#pragma once
// The values a layout file gives its controls (texts, check marks), read
// straight from the file without building a widget: what a window's controls
// hold before its widgets exist.

#include <QHash>
#include <QString>

struct LayoutValues {
    QHash<QString, QString> texts; // control name -> its "text" property
    QHash<QString, bool> checked;  // control name -> its "checked" property

    // Reads a layout file (a Qt Designer .ui), such as one compiled in as a
    // resource. An unreadable file gives no values.
    static LayoutValues read(const QString& path);
};
