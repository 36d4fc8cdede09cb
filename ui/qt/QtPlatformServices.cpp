#include "QtPlatformServices.h"

#include "FocusReturn.h"
#include "OpenFileDialog.h"
#include "QtText.h"
#include "QtWindow.h"
#include "TextConversion.h"
#include "X11ScreenSaver.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>

namespace {

const QString kCaption = QStringLiteral("Tarrowin");

void showMessageBox(std::u16string_view text, MessageIcon icon) {
    QMessageBox box(icon == MessageIcon::Information ? QMessageBox::Information
                                                     : QMessageBox::Warning,
                    kCaption, fromU16(text), QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    box.setEscapeButton(QMessageBox::Ok);
    const FocusReturn back;
    box.exec(); // a nested event loop: the animation keeps ticking
}

std::u16string showOpenFileDialog(std::u16string_view filter, std::u16string_view defaultExtension,
                                  const std::optional<std::u16string>& initialDirectory, int flags,
                                  Window* owner) {
    auto* window = dynamic_cast<QtWindow*>(owner);
    const FocusReturn back;
    return openFileDialog(fromU16(filter), fromU16(defaultExtension),
                          initialDirectory ? fromU16(*initialDirectory) : QString(), flags,
                          window ? window->widget() : nullptr)
        .toStdU16String();
}

// Hands the address to the desktop's handler (xdg-open) as one argument, in a
// process of its own: no shell, no waiting, and failures are ignored.
void openWithDesktop(std::u16string_view address) {
    QDesktopServices::openUrl(QUrl(fromU16(address)));
}

// The attribute query takes the path in the 8-bit encoding, UTF-8 here.
bool fileExists(std::u16string_view path) {
    return fileAttributesExist(TextConversion::narrow(path));
}

} // namespace

PlatformServices qtPlatformServices() {
    return {
        .showMessage = showMessageBox,
        .showOpenFileDialog = showOpenFileDialog,
        .setScreenSaverActive = [](bool active) { return SwitchX11ScreenSaver(active).server; },
        .openWebPage = openWithDesktop,
        .fileExists = fileExists,
        .prepareControls = [] { return true; }, // Qt's widgets need no preparing
        .endProgram = [] { QCoreApplication::exit(0); },
    };
}
