#include "NativeServices.h"

#include "Com.h"
#include "FormWindow.h"
#include "NativePreciseTimer.h"
#include "OpenFileAPI.h"
#include "SystemActions.h"
#include "TextConversion.h"
#include "WideText.h"

PlatformServices nativeServices(NativePreciseTimer& timer) {
    PlatformServices services;
    services.showMessage = [&timer](std::u16string_view text, MessageIcon icon) {
        const NativePreciseTimer::ModalScope ticking(timer);
        const UINT kind =
            icon == MessageIcon::Information ? MB_ICONINFORMATION : MB_ICONEXCLAMATION;
        MessageBoxW(GetActiveWindow(), toWide(text).c_str(), kMessageCaption, MB_OK | kind);
    };
    services.showOpenFileDialog =
        [&timer](std::u16string_view filter, std::u16string_view defaultExtension,
                 const std::optional<std::u16string>& initialDirectory, int flags, Window* owner) {
            const NativePreciseTimer::ModalScope ticking(timer);
            ensureOle();
            const auto* form = dynamic_cast<FormWindow*>(owner);
            const std::string directory =
                initialDirectory ? TextConversion::narrow(*initialDirectory) : std::string();
            return TextConversion::widen(OpenFileAPI::ShowOpenFileDialog(
                TextConversion::narrow(filter), TextConversion::narrow(defaultExtension),
                initialDirectory ? directory.c_str() : nullptr, DWORD(flags),
                form ? form->hwnd() : nullptr));
        };
    services.setScreenSaverActive = [](bool active) { return SetSystemScreenSaverActive(active); };
    services.openWebPage = [](std::u16string_view address) {
        ensureOle(); // the shell's handlers may be COM objects
        OpenWithDefaultHandler(TextConversion::narrow(address));
    };
    services.fileExists = [](std::u16string_view path) {
        return FileAttributesExist(TextConversion::narrow(path));
    };
    services.prepareControls = InitializeCommonControls;
    services.endProgram = [] { PostQuitMessage(0); };
    return services;
}
