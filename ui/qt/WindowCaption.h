#pragma once
// A window's caption that is exactly the user's text. Qt reads "[*]" in a
// title as the place of its modified marker and drops it, and the X11 platform
// shows the application's name for an empty title; the title setting wants
// neither.

class QString;
class QWidget;

void showCaption(QWidget& window, const QString& text);
