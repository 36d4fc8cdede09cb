#pragma once
// How a window of one of our own classes reaches the object behind it, the
// same way for every such class: CreateWindowEx carries the object's address
// (its last argument), and the window keeps it from WM_NCCREATE on, the first
// message a window gets (but for the WM_GETMINMAXINFO a top-level frame is
// asked first, which the system answers), so that nothing the object handles
// passes it by. The object lets go at WM_NCDESTROY, the last one.
//
// Object::handle(window, message, wParam, lParam) answers every message,
// calling DefWindowProc for what it leaves to the system. No exception
// crosses the system's code that called the procedure: one that would is
// written to the diagnostics, and the message gets the system's default
// handling, as though the object had left it alone.

#include "Diagnostics.h"

#include <windows.h>

#include <optional>

namespace WindowObject {

template <class Object> Object* of(HWND window) {
    return reinterpret_cast<Object*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// For the destructor of an object that goes before its window.
inline void detach(HWND window) {
    if (window) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
}

// The window procedure of a class whose windows are made with the address of
// an Object. Object::windowCreated(window) runs at WM_NCCREATE,
// Object::windowDestroyed() at WM_NCDESTROY.
template <class Object>
LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* created =
            static_cast<Object*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, LONG_PTR(created));
        if (created) created->windowCreated(window);
    }
    Object* object = of<Object>(window);
    std::optional<LRESULT> result;
    if (object)
        Diagnostics::guarded("a window procedure",
                             [&] { result = object->handle(window, message, wParam, lParam); });
    if (message == WM_NCDESTROY && object) {
        detach(window);
        object->windowDestroyed();
    }
    return result ? *result : DefWindowProcW(window, message, wParam, lParam);
}

} // namespace WindowObject
