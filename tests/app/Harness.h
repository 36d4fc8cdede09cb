#pragma once
// Both forms over controls in memory, wired to recording services instead of
// the desktop: message boxes, the file dialog, the screen saver and the web
// page are recorded and answered by the test, and the end of the program is
// counted. No toolkit: these run natively and under Wine alike.

#include "Form1.h"
#include "Form2.h"
#include "Form2Defaults.h"
#include "MemoryControls.h"
#include "PlatformServices.h"
#include "ProgramState.h"

#include <array>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct Message {
    std::u16string text;
    MessageIcon icon;
};

struct FileDialogCall {
    std::u16string filter, defaultExtension;
    std::optional<std::u16string> initialDirectory;
    int flags;
    Window* owner;
};

// The progress window's controls.
struct MemoryForm1 {
    MemoryWindow Me;
    MemoryLabel ProcessName;
    std::array<MemoryProgressBar, 2> PB;
    MemoryPictureBox Picture1;
    MemoryCommandButton Command1{u"Cancel"};
    MemoryTimer Timer1;
    Form1Controls controls();
};

// The dialog's controls, holding what its layout gives them.
struct MemoryForm2 {
    MemoryWindow Me;
    MemoryTextBox Pmess{text(Form2Defaults::Pmess)};
    std::array<MemoryTextBox, 5> Status{fromLayout(Form2Defaults::Status)};
    std::array<MemoryTextBox, 5> Speedbox{fromLayout(Form2Defaults::Speedbox)};
    MemoryTextBox CustIconFileTxt{text(Form2Defaults::CustIconFileTxt)};
    MemoryTextBox ButText{text(Form2Defaults::ButText)};
    MemoryCheckBox DualChk{Form2Defaults::DualChk ? CheckBox::Checked : CheckBox::Unchecked};
    MemoryCheckBox Ssav{Form2Defaults::Ssav ? CheckBox::Checked : CheckBox::Unchecked};
    MemoryDropDownList IconList;
    MemoryPictureBox Picture1;
    MemoryCommandButton Command1{text(Form2Defaults::Command1)},
        Command2{text(Form2Defaults::Command2)}, Command3{text(Form2Defaults::Command3)},
        Command4{text(Form2Defaults::Command4)};
    Form2Controls controls();

private:
    static std::u16string text(std::u16string_view layout) { return std::u16string(layout); }
    static std::array<MemoryTextBox, 5>
    fromLayout(const std::array<std::u16string_view, 5>& texts) {
        return {MemoryTextBox(text(texts[0])), MemoryTextBox(text(texts[1])),
                MemoryTextBox(text(texts[2])), MemoryTextBox(text(texts[3])),
                MemoryTextBox(text(texts[4]))};
    }
};

class Harness {
public:
    // Every harness has a settings store of its own: natively a store file in
    // a temporary folder; on Windows the settings key of the current user,
    // removed before and after. By default the settings key exists without
    // values: no welcome, every control at its default. A first start has no
    // key at all.
    enum class Store { KeyWithoutValues, FirstStart };
    explicit Harness(Store store = Store::KeyWithoutValues);
    ~Harness();

    // A folder of the harness's own, removed with it; natively the store's file
    // is registry.db in it.
    const std::filesystem::path& folder() const { return folder_; }
    std::filesystem::path storePath() const { return folder_ / "registry.db"; }
    // Creates an empty file in the folder; its path as the program's text.
    std::u16string makeFile(const std::string& name);
    // Writes one text value into the settings key, as the program would.
    void storeText(std::u16string_view name, std::u16string_view text);
    // The stored text of a value of the settings key; nothing when the value or
    // the key is missing.
    std::optional<std::u16string> storedText(std::u16string_view name);

    ProgramState program;
    PlatformServices services;

    std::vector<Message> messages;
    std::function<void(const Message&)> whileMessageOpen; // runs "inside" the modal box
    std::vector<FileDialogCall> fileDialogs;
    std::deque<std::u16string> fileDialogAnswers; // empty: the user cancels
    std::vector<bool> screenSaverCalls;
    bool screenSaverResult = true;
    std::vector<std::u16string> openedPages;
    int endCalls = 0;

    // Options of the run's own from the command line, handed to the next start.
    std::optional<RunSettings> run;

    // The controls of one run of the program; a restart gets fresh ones.
    std::unique_ptr<MemoryForm1> window1;
    std::unique_ptr<MemoryForm2> window2;
    std::unique_ptr<::Form1> form1;

    ::Form1& Form1() { return *form1; }
    Form2& dialog() { return form1->dialog(); }
    MemoryForm1& w1() { return *window1; }
    MemoryForm2& w2() { return *window2; }

    // Creates the window and runs its startup, as the program does, and shows
    // the window unless the startup ended the program.
    ::Form1& start();
    // Ends the running window through its close box, then starts a new one on
    // the same store: the next run of the program.
    ::Form1& restart();

private:
    std::filesystem::path folder_;
};
