#pragma once
// A word-wrapped label that shows only the first line of its text. The status
// line is a little taller than one line of its font: without this, the top of
// a long message's second line shows along its bottom edge, over the first
// bar's top border. The label keeps its rectangle; below the first line the
// window's face shows through.

class QLabel;

// Keeps the label clipped to its first line, also when its font or size
// changes (a new screen density).
void showFirstLineOnly(QLabel& label);
