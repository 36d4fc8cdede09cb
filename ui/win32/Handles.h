#pragma once
// Owners of the system's handles: each lets go of its handle the way its kind
// is let go of, once, when it goes. Windows and controls that only show a
// handle borrow it (the raw handle from get()); whoever made it owns it.

#include <windows.h>

#include <memory>
#include <type_traits>

namespace Handles {
struct DestroyIconOf {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
// HCURSOR is HICON: a pointer is let go of as a pointer.
struct DestroyPointerOf {
    void operator()(HCURSOR pointer) const { DestroyCursor(pointer); }
};
struct DeleteGdiObject {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
} // namespace Handles

using OwnedIcon = std::unique_ptr<std::remove_pointer_t<HICON>, Handles::DestroyIconOf>;
using OwnedPointer = std::unique_ptr<std::remove_pointer_t<HCURSOR>, Handles::DestroyPointerOf>;
using OwnedBitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, Handles::DeleteGdiObject>;
using OwnedBrush = std::unique_ptr<std::remove_pointer_t<HBRUSH>, Handles::DeleteGdiObject>;
using OwnedFont = std::unique_ptr<std::remove_pointer_t<HFONT>, Handles::DeleteGdiObject>;
