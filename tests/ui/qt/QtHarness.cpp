#include "QtHarness.h"

#include "CRegistry.h"
#include "QtPlatformServices.h"
#include "QtText.h"
#include "QtWindow.h"
#include "RegistryStore.h"
#include "SettingsStore.h"

QtHarness::QtHarness() {
    RegistryStore::usePath(storeFolder.filePath(QStringLiteral("registry.db")).toStdString());
    CRegistry().CreateKey(SettingsStore::kKeyPath);
    services.showMessage = [this](std::u16string_view text, MessageIcon) {
        messages.push_back(fromU16(text));
    };
    services.showOpenFileDialog = [this](std::u16string_view, std::u16string_view,
                                         const std::optional<std::u16string>&, int, Window* owner) {
        auto* window = dynamic_cast<QtWindow*>(owner);
        fileDialogOwners.push_back(window ? window->widget() : nullptr);
        if (fileDialogAnswers.empty()) return std::u16string();
        const QString answer = fileDialogAnswers.front();
        fileDialogAnswers.pop_front();
        return answer.toStdU16String();
    };
    services.setScreenSaverActive = [this](bool active) {
        screenSaverCalls.push_back(active);
        return true;
    };
    services.openWebPage = [this](std::u16string_view address) {
        openedPages.push_back(fromU16(address));
    };
    services.fileExists = qtPlatformServices().fileExists;
    services.prepareControls = [] { return true; };
    services.endProgram = [this] { ++endCalls; };
}

QtHarness::~QtHarness() {
    tarrowin.reset();
    RegistryStore::usePath({});
}

void QtHarness::start() {
    tarrowin = std::make_unique<QtProgram>(program, services);
    tarrowin->form1.Form_Load();
    if (!tarrowin->form1.hasEnded()) tarrowin->form1.Me.show();
}

void QtHarness::storeText(const QString& name, const QString& text) {
    CRegistry registry;
    registry.OpenKey(SettingsStore::kKeyPath);
    registry.WriteString(text.toStdU16String(), name.toStdU16String());
}

void QtHarness::tick(int n) {
    for (int i = 0; i < n; ++i)
        tarrowin->form1.Timer1_Timer();
}

void QtHarness::stepFramesByHand() {
    qt1().frames().pace().setClock([this] { return frameClock; });
}

void QtHarness::frame() {
    frameClock += FramePace::kFrame;
    qt1().frames().pace().runFrame();
}
