#pragma once
// The settings store: the program's settings kept from one run to the next in
// one registry key of the current user. GetReg loads the stored values into the
// options dialog's controls at startup, SetReg stores them from there at the
// end. The controls are the one live copy; this keeps none. Each call works
// through a CRegistry object of its own, so no key stays open between calls.
//
// Plain C++: the controls are reached through the Controls interface, which the
// windows implement, so that the store also runs against the Windows registry.

#include <cstdint>
#include <string>
#include <string_view>

namespace SettingsStore {

inline constexpr std::u16string_view kKeyPath = u"HKEY_CURRENT_USER\\Software\\Quillmoor\\Tarrowin";

// What the store has to tell the user: the greeting of a first start (there
// was no key, and it has been created), or that the key could be neither
// opened nor created. How it is worded and shown is the dialog's side.
enum class Notice { Welcome, CannotCreateKey };

// The text boxes that hold settings, and the check boxes. Status and Speed
// come as many as the dialog keeps messages, indexed from 0.
enum class TextSetting { Title, Status, Speed, CustomIconPath, ButtonText };
enum class CheckSetting { Dual, Saver };

class Controls {
public:
    virtual ~Controls() = default;

    // The status messages the dialog keeps, each with its speed: one value
    // StatusN and one SpeedN is stored for each, N counting from 0.
    virtual int messageCount() const = 0;

    virtual std::u16string text(TextSetting box, int index = 0) const = 0;
    // Sets the text as an edit would, running the box's change handling. A text
    // box keeps its text only up to the first NUL.
    virtual void setText(TextSetting box, int index, std::u16string_view text) = 0;

    // 0 unchecked, 1 checked, 2 grayed.
    virtual std::int32_t value(CheckSetting box) const = 0;
    // Runs the box's change handling; false, and no change, for a number that is
    // not a check-box value.
    virtual bool setValue(CheckSetting box, std::int32_t value) = 0;

    // The selected entry of the icon list, -1 for none.
    virtual std::int32_t iconIndex() const = 0;
    // Runs the list's change handling; false, and no change, for an index the
    // list does not have.
    virtual bool setIconIndex(std::int32_t index) = 0;

    // Tells the user, in a modal box that waits until it is closed.
    virtual void showNotice(Notice notice) = 0;
};

// Loads the stored settings into the controls. When there was no key it creates
// it, greets the user and returns true: this is the first run. When the key can
// be neither opened nor created it says so and returns false, leaving every
// control as it was. An exception from a control's change handling ends the
// loading there and goes on to the caller: the values after it stay unloaded.
bool GetReg(Controls& controls);

// Stores every setting from the controls, provided the key can be opened; it
// never creates the key and reports nothing.
void SetReg(const Controls& controls);

} // namespace SettingsStore
