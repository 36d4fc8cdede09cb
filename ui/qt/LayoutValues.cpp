#include "LayoutValues.h"

#include <QFile>
#include <QStringList>
#include <QXmlStreamReader>

LayoutValues LayoutValues::read(const QString& path) {
    LayoutValues values;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return values;
    QXmlStreamReader xml(&file);
    QStringList widgets; // the names of the widgets the reader is inside, innermost last
    QString property;    // the property being read, empty outside one
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement:
            if (xml.name() == u"widget") {
                widgets.append(xml.attributes().value(QLatin1String("name")).toString());
            } else if (xml.name() == u"property") {
                property = xml.attributes().value(QLatin1String("name")).toString();
            } else if (!widgets.isEmpty() && property == u"text" && xml.name() == u"string") {
                values.texts.insert(widgets.last(), xml.readElementText());
            } else if (!widgets.isEmpty() && property == u"checked" && xml.name() == u"bool") {
                values.checked.insert(widgets.last(), xml.readElementText() == u"true");
            }
            break;
        case QXmlStreamReader::EndElement:
            if (xml.name() == u"widget" && !widgets.isEmpty()) widgets.removeLast();
            if (xml.name() == u"property") property.clear();
            break;
        default:
            break;
        }
    }
    return values;
}
