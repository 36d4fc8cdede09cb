#pragma once
// What assistive technology learns of a picture box: it takes clicks, so it is
// a button, named by its accessible name, that can be pressed.

// Makes every PictureBox answer as such a button; safe to call more than once.
void installPictureBoxAccessibility();
