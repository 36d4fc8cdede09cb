#include "PlatformServices.h"

#include "OpenFileAPI.h"
#include "SystemActions.h"
#ifdef _WIN32
#include "OpenFileAPI_win.h"
#include <QWidget>
#endif

#include <QCoreApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>

namespace {

const QString kCaption = QStringLiteral("Tarrowin");

void showMessageBox(const QString& text, MessageIcon icon) {
    QMessageBox box(icon == MessageIcon::Information ? QMessageBox::Information
                                                      : QMessageBox::Warning,
                    kCaption, text, QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    box.setEscapeButton(QMessageBox::Ok);
    box.exec(); // a nested event loop: the animation keeps ticking
}

void openWithDesktop(const QString& address) {
#ifdef _WIN32
    OpenWithDefaultHandler(address.toLocal8Bit().toStdString());
#else
    // Hands the address to the desktop's handler (xdg-open) as one argument, in a
    // process of its own: no shell, no waiting, and failures are ignored.
    QDesktopServices::openUrl(QUrl(address));
#endif
}

#ifdef _WIN32
// The platform's own dialog, GetOpenFileNameA, in the active code page.
QString showWindowsOpenFileDialog(const QString& filter, const QString& defaultExtension,
                                  const QString& initialDirectory, int flags, QWidget* owner) {
    const std::string directory = initialDirectory.toLocal8Bit().toStdString();
    const std::string path = OpenFileAPI::ShowOpenFileDialog(
        filter.toLocal8Bit().toStdString(), defaultExtension.toLocal8Bit().toStdString(),
        initialDirectory.isNull() ? nullptr : directory.c_str(), static_cast<DWORD>(flags),
        owner ? reinterpret_cast<HWND>(owner->winId()) : nullptr);
    return QString::fromLocal8Bit(path);
}
#endif

} // namespace

PlatformServices PlatformServices::system() {
    return {
        .showMessage = showMessageBox,
#ifdef _WIN32
        .showOpenFileDialog = showWindowsOpenFileDialog,
#else
        .showOpenFileDialog = ShowOpenFileDialog,
#endif
        .setScreenSaverActive = SetSystemScreenSaverActive,
        .openWebPage = openWithDesktop,
        .endProgram = [] { QCoreApplication::exit(0); },
    };
}
