#include "Harness.h"

Harness::Harness() {
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

Harness::~Harness() = default;

Form1& Harness::start() {
    form1 = std::make_unique<::Form1>(program, services);
    form1->Form_Load();
    return *form1;
}

void tick(::Form1& form, int n) {
    for (int i = 0; i < n; ++i) form.Timer1_Timer();
}
