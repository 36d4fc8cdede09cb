#pragma once
// What assistive technology learns of the windows and the bars beyond Qt's
// defaults: a window is a frame (the progress window) or a dialog (the options
// dialog), named by its caption; a bar is a progress bar whose value can be
// read and not set, since only the program moves it. A drop-down list is
// named by its label and has its choice as value; a frame is a grouping named
// by its caption that labels none of the controls inside.

#include <QString>

class QComboBox;
class QLabel;

// Makes the label a line whose every new text readers announce: its text
// readable as text, each change told as the old text taken out and the new
// put in (once a change: setting the same text again tells nothing).
void makeLiveRegion(QLabel& label);
// Once the list's popup has closed, none of its items counts as focused.
void leaveNoItemFocused(QComboBox& list);
// Shows a new text on a label, and tells readers when it is a live region.
void setLiveText(QLabel& label, const QString& text);

// Makes every window and bar answer as such; safe to call more than once.
void installWidgetAccessibility();
