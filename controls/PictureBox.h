#pragma once
// A box that shows a picture at its natural size from its top-left corner,
// never scaled. The front end runs Click when the user clicks the box.

#include "ControlEvent.h"

#include <string_view>

class PictureBox {
public:
    virtual ~PictureBox() = default;

    // The number of built-in icons, held by the progress window's icos(0) to icos(6).
    static constexpr int kBuiltinIcons = 7;

    // Shows the built-in icon icos(index), 0 to kBuiltinIcons - 1.
    virtual void showBuiltinIcon(int index) = 0;

    // Loads the picture file and shows it. A path that names no readable
    // picture (no plain file, an unknown or broken format, one too large to
    // decode safely) keeps the picture as it was and gives false.
    virtual bool loadPicture(std::u16string_view path) = 0;

    ControlEvent Click;
};
