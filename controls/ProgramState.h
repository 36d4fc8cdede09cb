#pragma once
#include <cstdint>

// The state that exists once for the whole program. main owns it and hands it to
// the windows by reference.
struct ProgramState {
    // Index 0 to 4 of the status message now shown; the animation advances it and
    // the options dialog's Apply reads it.
    std::int32_t MsgIndex = 0;
    // Cleared by the startup before it loads the settings, set by Form1's GetReg
    // when the store had to create the settings key (a first start), read once
    // at the end of the startup.
    bool FirstRun = false;
};
