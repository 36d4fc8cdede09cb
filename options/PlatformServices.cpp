#include "PlatformServices.h"

#include "OpenFileAPI.h"
#include "SystemActions.h"

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

} // namespace

PlatformServices PlatformServices::system() {
    return {
        .showMessage = showMessageBox,
        .showOpenFileDialog = ShowOpenFileDialog,
        .setScreenSaverActive = SetSystemScreenSaverActive,
        .openWebPage = openWithDesktop,
        .endProgram = [] { QCoreApplication::exit(0); },
    };
}
