// Tick rate and period of the progress window's precise timer in its real
// window and message loop, next to a plain SetTimer window doing the same
// work, in the same run.
//
//   bench_win32_ticks [SECONDS-AT-1MS SECONDS-AT-50MS]
//
// Prints one line of name=value figures: for each timer (precise, settimer) and
// interval (1, 50 ms) the ticks per second and the mean period in ms.
#include "MessageLoop.h"
#include "NativeForms.h"

#include <commctrl.h>
#include <ole2.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cwchar>

namespace {
using Clock = std::chrono::steady_clock;
constexpr int kBarSteps = 41;

Clock::time_point after(double seconds) {
    return Clock::now() +
           std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
}

struct Figures {
    int ticks = 0;
    Clock::time_point first, last;
    void tick() {
        last = Clock::now();
        if (ticks++ == 0) first = last;
    }
    void print(const char* timer, int interval) const {
        const double span = std::chrono::duration<double>(last - first).count();
        const double perSecond = span > 0 ? (ticks - 1) / span : 0;
        const double meanMs = ticks > 1 ? span * 1000 / (ticks - 1) : 0;
        std::printf("%s%d.ticks_per_s=%.1f %s%d.mean_period_ms=%.3f ", timer, interval, perSecond,
                    timer, interval, meanMs);
    }
};

// The program's own window and timer: the real progress window, its bar
// moving on every tick, the waitable timer in the program's message loop.
Figures preciseRun(NativeForms& forms, int interval, double seconds) {
    Figures figures;
    auto& bar = forms.form1.control<NativeProgressBar>("PB_0");
    const auto end = after(seconds);
    forms.timer1.Timer = [&] {
        figures.tick();
        bar.setValue((bar.value() + 1) % kBarSteps);
        if (Clock::now() >= end) {
            forms.timer1.setEnabled(false);
            PostQuitMessage(0);
        }
    };
    forms.timer1.setInterval(interval);
    forms.timer1.setEnabled(true);
    runMessageLoop(forms.timer1.precise(), forms.frames);
    return figures;
}

struct PlainRun {
    Figures figures;
    HWND bar;
    Clock::time_point end;
};
PlainRun* plain = nullptr;

void CALLBACK plainTick(HWND window, UINT, UINT_PTR id, DWORD) {
    plain->figures.tick();
    const auto value = SendMessageW(plain->bar, PBM_GETPOS, 0, 0);
    SendMessageW(plain->bar, PBM_SETPOS, WPARAM((value + 1) % kBarSteps), 0);
    if (Clock::now() >= plain->end) {
        KillTimer(window, id);
        PostQuitMessage(0);
    }
}

// A plain SetTimer on the same window's bar, in a plain GetMessage loop.
Figures setTimerRun(NativeForms& forms, int interval, double seconds) {
    PlainRun run{{}, forms.form1.child("PB_0"), after(seconds)};
    plain = &run;
    SetTimer(forms.form1.hwnd(), 1, UINT(interval), plainTick);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0)
        DispatchMessageW(&msg);
    plain = nullptr;
    return run.figures;
}
} // namespace

int wmain(int argc, wchar_t** argv) {
    const double fastSeconds = argc > 2 ? std::wcstod(argv[1], nullptr) : 3;
    const double slowSeconds = argc > 2 ? std::wcstod(argv[2], nullptr) : 5;
    OleInitialize(nullptr);
    NativeForms forms;
    forms.form1.show();
    std::printf("high_resolution=%d ", forms.timer1.precise().isHighResolution() ? 1 : 0);
    for (const auto& [interval, seconds] :
         {std::pair{1, fastSeconds}, std::pair{50, slowSeconds}}) {
        preciseRun(forms, interval, seconds).print("precise", interval);
        setTimerRun(forms, interval, seconds).print("settimer", interval);
    }
    std::printf("\n");
    std::fflush(stdout);
    return 0;
}
