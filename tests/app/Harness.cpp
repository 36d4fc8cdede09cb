#include "Harness.h"

#include "CRegistry.h"
#include "QtText.h"
#include "RegistryStore.h"
#include "SettingsStore.h"

Harness::Harness(Store store) {
    RegistryStore::usePath(storePath().toStdString());
    if (store == Store::KeyWithoutValues) CRegistry().CreateKey(SettingsStore::kKeyPath);
    services.showMessage = [this](const QString& text, MessageIcon icon) {
        messages.push_back({text, icon});
        if (whileMessageOpen) whileMessageOpen(messages.back());
    };
    services.showOpenFileDialog = [this](const QString& filter, const QString& extension,
                                         const QString& directory, int flags, QWidget* owner) {
        fileDialogs.push_back({filter, extension, directory, flags, owner});
        if (fileDialogAnswers.empty()) return QString();
        QString answer = fileDialogAnswers.front();
        fileDialogAnswers.pop_front();
        return answer;
    };
    services.setScreenSaverActive = [this](bool active) {
        screenSaverCalls.push_back(active);
        return screenSaverResult;
    };
    services.openWebPage = [this](const QString& address) { openedPages.push_back(address); };
    services.endProgram = [this] { ++endCalls; };
}

Harness::~Harness() {
    form1.reset();
    RegistryStore::usePath({});
}

QString Harness::storePath() const { return storeFolder.filePath(QStringLiteral("registry.db")); }

void Harness::storeText(const QString& name, const QString& text) {
    CRegistry registry;
    if (!registry.OpenKey(SettingsStore::kKeyPath)) registry.CreateKey(SettingsStore::kKeyPath);
    registry.OpenKey(SettingsStore::kKeyPath);
    registry.WriteString(view(text), view(name));
}

QString Harness::storedText(const QString& name) {
    CRegistry registry;
    if (!registry.OpenKey(SettingsStore::kKeyPath) || !registry.ValueExists(view(name))) return {};
    const QString text = fromU16(registry.ReadString(view(name)));
    return text.isNull() ? QStringLiteral("") : text;
}

Form1& Harness::start() {
    form1 = std::make_unique<::Form1>(program, services);
    form1->Form_Load();
    return *form1;
}

Form1& Harness::restart() {
    form1->close();
    return start();
}

void tick(::Form1& form, int n) {
    for (int i = 0; i < n; ++i) form.Timer1_Timer();
}
