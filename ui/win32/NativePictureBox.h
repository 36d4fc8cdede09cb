#pragma once
// The picture box: a window of its own class that paints its picture from its
// top-left corner over its background colour, at the picture's logical size
// times the window's dpi/96 (at 96 dpi pixel for pixel), shows its pointer and
// tooltip, and runs Click on a click. What it shows is loaded again when the
// window's dpi changes. A box in the keyboard order takes the focus by Tab only
// (a click leaves the focus where it is), shows a focus frame around itself,
// and is pressed by Space or Enter as a push button is.

#include "Handles.h"
#include "NativeControls.h"
#include "Picture.h"
#include "PictureBox.h"
#include "WindowObject.h"

#include <functional>
#include <string>

class NativePictureBox : public PictureBox, public NativeControl {
public:
    // Its windows are made with the box as their object (WindowObject.h).
    static constexpr wchar_t kClassName[] = L"TarrowinPictureBox";
    static void registerClass();

    explicit NativePictureBox(std::wstring toolTip = {});
    ~NativePictureBox() override;

    // From 125 % (PictureScale.h) on, the built-in icons are drawn from their
    // renderings at twice the size, from 225 % on from those at three times.
    void showBuiltinIcon(int index) override;
    bool loadPicture(std::u16string_view path) override;

    // A carried picture and its rendering at twice the size (Picture::fromResources).
    void showCarried(int id, int doubleId);
    const Picture& picture() const { return picture_; }
    void setBackground(COLORREF colour);
    // The pointer over the box, which the box keeps.
    void setPointer(OwnedPointer pointer);
    HCURSOR pointer() const { return pointer_.get(); }
    // The window moved to a screen of another dpi (WM_DPICHANGED): the picture
    // is loaded again for it.
    void dpiChanged(UINT dpi) override;
    UINT dpi() const;
    void* windowObject() override { return this; }

    // The focus frame lies outside the box, a gap away from it, so that it
    // never covers the picture, which fills the box from its corner: a dotted
    // band as wide as Windows' focus border (a pixel at 96 dpi) times dpi/96.
    // The window the box is in draws it, over its own background, since a
    // window cannot draw outside itself. The frame's rectangle in the parent's
    // client coordinates:
    RECT focusFrame() const;
    // Draws it in the parent's paint, while the box has the focus.
    void drawFocusFrame(HDC parentDc) const;

protected:
    void showState() override;

private:
    friend LRESULT CALLBACK WindowObject::procedure<NativePictureBox>(HWND, UINT, WPARAM, LPARAM);
    void windowCreated(HWND window) { window_ = window; }
    void windowDestroyed() { window_ = nullptr; }
    LRESULT handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void paint();
    void createToolTip(const MSG& firstMove);
    void show(std::function<Picture(UINT dpi)> source);
    void reload();
    int focusBorder() const;

    // What the box shows, as a loader for any dpi.
    std::function<Picture(UINT dpi)> source_;
    Picture picture_;
    UINT dpi_ = 0; // 0: the window's, or the system's before there is a window
    UINT loadedDpi_ = 0;
    OwnedBrush background_;
    OwnedPointer pointer_;
    std::wstring toolTipText_;
    HWND toolTip_ = nullptr;
    bool pressed_ = false;
    bool spaceDown_ = false;
};
