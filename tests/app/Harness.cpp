#include "Harness.h"

#include "CRegistry.h"
#include "SettingsStore.h"
#include "TextConversion.h"
#ifndef _WIN32
#include "RegistryStore.h"
#endif

#include <atomic>
#include <chrono>
#include <fstream>

namespace {
std::filesystem::path makeFolder() {
    static std::atomic<int> count = 0;
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    std::filesystem::path folder =
        std::filesystem::temp_directory_path() /
        ("tarrowin-behaviour-" + std::to_string(stamp) + "-" + std::to_string(count++));
    std::filesystem::create_directories(folder);
    return folder;
}
} // namespace

Form1Controls MemoryForm1::controls() {
    return {Me, ProcessName, {&PB[0], &PB[1]}, Picture1, Command1, Timer1};
}

Form2Controls MemoryForm2::controls() {
    return form2ControlsOf(*this);
}

Harness::Harness(Store store) : folder_(makeFolder()) {
#ifndef _WIN32
    RegistryStore::usePath(storePath().string());
#endif
    CRegistry().DeleteKey(SettingsStore::kKeyPath); // what an earlier test left, on Windows
    if (store == Store::KeyWithoutValues) CRegistry().CreateKey(SettingsStore::kKeyPath);
    services.showMessage = [this](std::u16string_view text, MessageIcon icon) {
        messages.push_back({std::u16string(text), icon});
        if (whileMessageOpen) whileMessageOpen(messages.back());
    };
    services.showOpenFileDialog = [this](std::u16string_view filter, std::u16string_view extension,
                                         const std::optional<std::u16string>& directory, int flags,
                                         Window* owner) {
        fileDialogs.push_back(
            {std::u16string(filter), std::u16string(extension), directory, flags, owner});
        if (fileDialogAnswers.empty()) return std::u16string();
        std::u16string answer = fileDialogAnswers.front();
        fileDialogAnswers.pop_front();
        return answer;
    };
    services.setScreenSaverActive = [this](bool active) {
        screenSaverCalls.push_back(active);
        return screenSaverResult;
    };
    services.openWebPage = [this](std::u16string_view address) {
        openedPages.emplace_back(address);
    };
    // The attribute query as the platform makes it.
    services.fileExists = [](std::u16string_view path) {
        const std::string bytes = TextConversion::narrow(path);
        std::error_code ignored;
        return std::filesystem::exists(std::u8string(bytes.begin(), bytes.end()), ignored);
    };
    services.prepareControls = [] { return true; };
    services.endProgram = [this] { ++endCalls; };
}

Harness::~Harness() {
    form1.reset();
    CRegistry().DeleteKey(SettingsStore::kKeyPath);
#ifndef _WIN32
    RegistryStore::usePath({});
#endif
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

std::u16string Harness::makeFile(const std::string& name) {
    const std::filesystem::path path = folder_ / name;
    std::ofstream(path).put('x');
    return TextConversion::widen(path.string());
}

void Harness::storeText(std::u16string_view name, std::u16string_view text) {
    CRegistry registry;
    if (!registry.OpenKey(SettingsStore::kKeyPath)) registry.CreateKey(SettingsStore::kKeyPath);
    registry.OpenKey(SettingsStore::kKeyPath);
    registry.WriteString(text, name);
}

std::optional<std::u16string> Harness::storedText(std::u16string_view name) {
    CRegistry registry;
    if (!registry.OpenKey(SettingsStore::kKeyPath) || !registry.ValueExists(name))
        return std::nullopt;
    return registry.ReadString(name);
}

Form1& Harness::start() {
    window1 = std::make_unique<MemoryForm1>();
    window2 = std::make_unique<MemoryForm2>();
    form1 = std::make_unique<::Form1>(window1->controls(), window2->controls(), program, services);
    if (run) form1->runWith(*run);
    form1->Form_Load();
    if (!form1->hasEnded()) window1->Me.show();
    return *form1;
}

Form1& Harness::restart() {
    form1->Me.close();
    form1.reset();
    return start();
}
