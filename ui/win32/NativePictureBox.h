#pragma once
// The picture box: a window of its own class that paints its picture at its
// natural size from its top-left corner over its background colour, never
// scaled, shows its pointer and tooltip, and runs Click on a click. A box in
// the keyboard order takes the focus by Tab only (a click leaves the focus
// where it is), shows a focus frame, and is pressed by Space or Enter as a
// push button is.

#include "NativeControls.h"
#include "Picture.h"
#include "PictureBox.h"

#include <string>

class NativePictureBox : public PictureBox, public NativeControl {
public:
    static constexpr wchar_t kClassName[] = L"TarrowinPictureBox";
    static void registerClass();

    explicit NativePictureBox(std::wstring toolTip = {});
    ~NativePictureBox() override;

    // From 200 % up, the built-in icons come at twice their size.
    void showBuiltinIcon(int index) override;
    static int builtinIconResource(int index, UINT dpi);
    bool loadPicture(std::u16string_view path) override;

    void showPicture(Picture picture);
    const Picture& picture() const { return picture_; }
    void setBackground(COLORREF colour);
    void setPointer(HCURSOR pointer);

protected:
    void showState() override;

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void paint();
    void createToolTip(const MSG& firstMove);

    Picture picture_;
    HBRUSH background_ = nullptr;
    HCURSOR pointer_ = nullptr;
    std::wstring toolTipText_;
    HWND toolTip_ = nullptr;
    bool pressed_ = false;
    bool spaceDown_ = false;
};
