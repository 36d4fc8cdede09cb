#pragma once
// A progress window with its dialog, wired to recording services instead of the
// desktop: message boxes, the file dialog, the screen saver and the web page are
// recorded and answered by the test, and the end of the program is counted.

#include "Form1.h"
#include "Form2.h"
#include "PlatformServices.h"
#include "ProgramState.h"

#include <QPixmap>
#include <QString>
#include <QTemporaryDir>

#include <deque>
#include <functional>
#include <memory>
#include <ostream>
#include <vector>

struct Message {
    QString text;
    MessageIcon icon;
};

struct FileDialogCall {
    QString filter, defaultExtension, initialDirectory;
    int flags;
    QWidget* owner;
};

class Harness {
public:
    // Every harness has a registry store of its own in a temporary folder. By
    // default the settings key exists without values: no welcome, every control
    // at its default. A first start has no key at all.
    enum class Store { KeyWithoutValues, FirstStart };
    explicit Harness(Store store = Store::KeyWithoutValues);
    ~Harness();

    QTemporaryDir storeFolder;
    QString storePath() const;
    // Writes one text value into the settings key, as the program would.
    void storeText(const QString& name, const QString& text);
    // The stored text of a value of the settings key, or a null text when the
    // value or the key is missing.
    QString storedText(const QString& name);

    ProgramState program;
    PlatformServices services;

    std::vector<Message> messages;
    std::function<void(const Message&)> whileMessageOpen; // runs "inside" the modal box
    std::vector<FileDialogCall> fileDialogs;
    std::deque<QString> fileDialogAnswers; // empty: the user cancels
    std::vector<bool> screenSaverCalls;
    bool screenSaverResult = true;
    std::vector<QString> openedPages;
    int endCalls = 0;

    std::unique_ptr<::Form1> form1;

    ::Form1& Form1() { return *form1; }
    ::Form2& Form2() { return form1->Form2(); }

    // Creates the window and runs its startup, as the program does.
    ::Form1& start();
    // Ends the running window through its close box, then starts a new one on
    // the same store: the next run of the program.
    ::Form1& restart();
};

// Two pictures with the same pixels; a null picture matches nothing.
inline bool samePicture(const QPixmap& a, const QPixmap& b) {
    return !a.isNull() && a.toImage() == b.toImage();
}

// So that failures show texts as texts.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

// Ticks the animation n times by hand.
void tick(::Form1& form, int n = 1);
