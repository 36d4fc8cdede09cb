#pragma once
// What assistive technology learns of the windows and the bars beyond Qt's
// defaults: a window is a frame (the progress window) or a dialog (the options
// dialog), named by its caption; a bar is a progress bar whose value can be
// read and not set, since only the program moves it.

// Makes every window and bar answer as such; safe to call more than once.
void installWidgetAccessibility();
