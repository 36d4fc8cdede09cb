// Times the real progress window's ticks on the display the environment names
// (run it against an X server: QT_QPA_PLATFORM=xcb).
//
//   bench_timing period <interval ms> <seconds> [X server pid]
//       every speed set to the interval; after a second of warm-up, the ticks of
//       the given number of seconds: mean period, rate, lateness, CPU
//   bench_timing cycle [X server pid]
//       the default settings from the start through one whole message cycle
//   bench_timing timer <interval ms> <seconds> [X server pid]
//       the window's timer with no window at all: the event loop's own share
//   bench_timing sleep <interval ms> <seconds>
//       a plain loop sleeping to absolute deadlines, no Qt: how late this
//       machine wakes a thread whatever the program does
//
// Prints one line of name=value figures. Lateness is the time a tick is handled
// minus the time the timer had it due; CPU is user + system time as a share of
// one core over the measured ticks, of this process and of the X server, where
// the painting of each tick lands too.

#include "ClassicFont.h"
#include "Form2.h"
#include "PlatformServices.h"
#include "ProcessCpu.h"
#include "ProgramState.h"
#include "QtPlatformServices.h"
#include "QtProgram.h"
#include "QtText.h"
#include "TickRun.h"
#include "TickStats.h"

#include <QApplication>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <optional>
#include <string>

namespace {
using Clock = QtPreciseTimer::Clock;

// The default message cycle: 41 ticks each at 50, 200 and 400 ms.
constexpr double kDefaultCycleMs = 41.0 * (50 + 200 + 400);
// A cycle run that has not come round after this long has gone wrong.
constexpr double kCycleGiveUpMs = 2 * kDefaultCycleMs;
// Ticks before this are left out of a period run: the window's first paints.
constexpr double kWarmUpMs = 1000;

enum class Mode { Period, Cycle, Timer, Sleep };

struct Options {
    Mode mode = Mode::Period;
    int intervalMs = 0;
    double seconds = 0;
    std::optional<pid_t> xserver;
};

[[noreturn]] void usage() {
    std::fputs("usage: bench_timing period|timer <interval ms> <seconds> [X server pid]\n"
               "       bench_timing cycle [X server pid]\n"
               "       bench_timing sleep <interval ms> <seconds>\n",
               stderr);
    std::exit(2);
}

Options parse(int argc, char** argv) {
    Options options;
    const std::string mode = argc > 1 ? argv[1] : "";
    int next = 2;
    if ((mode == "period" || mode == "timer" || mode == "sleep") && argc >= 4) {
        options.mode = mode == "period"  ? Mode::Period
                       : mode == "timer" ? Mode::Timer
                                         : Mode::Sleep;
        options.intervalMs = std::atoi(argv[2]);
        options.seconds = std::atof(argv[3]);
        if (options.intervalMs < 1 || options.seconds <= 0) usage();
        next = 4;
    } else if (mode == "cycle") {
        options.mode = Mode::Cycle;
    } else {
        usage();
    }
    if (argc > next) options.xserver = static_cast<pid_t>(std::atol(argv[next]));
    return options;
}

// The desktop as the benchmark wants it: no modal box waits for a user.
PlatformServices quietServices() {
    PlatformServices services;
    services.showMessage = [](std::u16string_view text, MessageIcon) {
        std::fprintf(stderr, "bench_timing: message box: %s\n", qPrintable(fromU16(text)));
    };
    services.showOpenFileDialog = [](std::u16string_view, std::u16string_view,
                                     const std::optional<std::u16string>&, int,
                                     Window*) { return std::u16string(); };
    services.setScreenSaverActive = [](bool) { return true; };
    services.openWebPage = [](std::u16string_view) {};
    services.fileExists = qtPlatformServices().fileExists;
    services.prepareControls = [] { return true; };
    services.endProgram = [] { QCoreApplication::quit(); };
    return services;
}

struct CpuMark {
    double own = 0;
    std::optional<double> xserver;
    static CpuMark now(std::optional<pid_t> xserver) {
        return {ownCpuSeconds(), xserver ? processCpuSeconds(*xserver) : std::nullopt};
    }
};

TickRun planFor(const Options& options) {
    if (options.mode == Mode::Cycle) return TickRun(TickRun::Cycle{kCycleGiveUpMs});
    return TickRun(TickRun::Period{kWarmUpMs, options.seconds * 1000});
}

// Keeps the ticks that count, with the CPU used over them.
class Recorder {
public:
    explicit Recorder(const Options& options)
        : options_(options), origin_(Clock::now()), run_(planFor(options)) {
        // Enough room that recording never allocates while it times.
        const double expected = options.mode == Mode::Cycle
                                    ? 200
                                    : options.seconds * 1000 / options.intervalMs * 2 + 100;
        run_.reserve(static_cast<std::size_t>(expected));
    }

    double ms(Clock::time_point t) const {
        return std::chrono::duration<double, std::milli>(t - origin_).count();
    }

    // Files one tick; true when the run is complete.
    bool record(const Tick& tick) {
        const bool first = run_.ticks().empty();
        const bool complete = run_.add(tick);
        if (first && !run_.ticks().empty()) start_ = CpuMark::now(options_.xserver);
        if (complete) end_ = CpuMark::now(options_.xserver);
        return complete;
    }

    // Records every tick of the timer around the handler: the tick's time is
    // taken before the handler runs, and after it, when the tick has done its
    // work (the window's bars repaint within it). Ends the event loop when the
    // run is complete.
    void follow(QtPreciseTimer& timer, std::function<int()> msgIndex) {
        // The timer's own handler, if any, runs between the two marks.
        timer.Timer = [this, &timer, msgIndex, handler = timer.Timer] {
            pending_ = {ms(Clock::now()), ms(timer.deadline()), 0, 0};
            raiseEvent(handler);
            pending_.done = ms(Clock::now());
            pending_.msgIndex = msgIndex();
            if (!record(pending_)) return;
            timer.setEnabled(false);
            // Not quit(): that closes the windows, and the window's close stores
            // the settings, work that is no part of the run.
            QCoreApplication::exit(0);
        };
    }

    const std::vector<Tick>& ticks() const { return run_.ticks(); }
    bool finished() const { return run_.complete(); }
    double wallMs() const {
        return ticks().size() < 2 ? 0 : ticks().back().at - ticks().front().at;
    }
    double cpuPercent() const { return 100 * (end_.own - start_.own) / (wallMs() / 1000); }
    std::optional<double> xserverCpuPercent() const {
        if (!start_.xserver || !end_.xserver) return std::nullopt;
        return 100 * (*end_.xserver - *start_.xserver) / (wallMs() / 1000);
    }

private:
    const Options& options_;
    const Clock::time_point origin_;
    TickRun run_;
    CpuMark start_, end_;
    Tick pending_;
};

// The real window with the settings of a run, ticking until the run is complete.
void runWindow(Recorder& recorder, const Options& options, int argc, char** argv) {
    // Every run starts from the default settings in a store of its own: never
    // the user's, and never what an earlier run left.
    QTemporaryDir storeDir;
    qputenv("TARROWIN_REGISTRY", storeDir.filePath(QStringLiteral("registry.db")).toLocal8Bit());

    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    installFontSubstitutes();

    ProgramState program;
    PlatformServices services = quietServices();
    QtProgram tarrowin(program, services);
    Form1& window = tarrowin.form1;
    window.Form_Load();
    // A first start opens the dialog too; only the progress window is timed.
    window.dialog().Me.hide();
    if (options.mode == Mode::Period) {
        const std::u16string speed = QString::number(options.intervalMs).toStdU16String();
        for (TextBox* box : window.dialog().Speedbox)
            box->setText(speed);
        window.dialog().Command2_Click(); // Apply: the window takes the speed at once
    }
    recorder.follow(tarrowin.window1.timer(), [&program] { return program.MsgIndex; });
    window.Me.show();
    app.exec();
}

void runBareTimer(Recorder& recorder, const Options& options, int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QtPreciseTimer timer;
    timer.setInterval(options.intervalMs);
    timer.setEnabled(true);
    recorder.follow(timer, [] { return 0; });
    app.exec();
}

void runSleepLoop(Recorder& recorder, const Options& options) {
    timespec deadline{};
    clock_gettime(CLOCK_MONOTONIC, &deadline);
    const Clock::time_point start = Clock::now(); // the same clock, read just after
    for (long long n = 1;; ++n) {
        const long long ns =
            static_cast<long long>(deadline.tv_nsec) + options.intervalMs * 1'000'000LL;
        deadline.tv_sec += static_cast<time_t>(ns / 1'000'000'000);
        deadline.tv_nsec = static_cast<long>(ns % 1'000'000'000);
        while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &deadline, nullptr) != 0) {
        }
        const auto due = start + std::chrono::milliseconds(options.intervalMs * n);
        const double now = recorder.ms(Clock::now());
        if (recorder.record({now, recorder.ms(due), 0, now})) return;
    }
}

void print(const char* name, std::optional<double> value) {
    if (value)
        std::printf(" %s=%.4f", name, *value);
    else
        std::printf(" %s=nan", name);
}

const char* modeName(Mode mode) {
    switch (mode) {
    case Mode::Period:
        return "period";
    case Mode::Cycle:
        return "cycle";
    case Mode::Timer:
        return "timer";
    case Mode::Sleep:
        break;
    }
    return "sleep";
}

} // namespace

int main(int argc, char** argv) {
    const Options options = parse(argc, argv);
    Recorder recorder(options);
    switch (options.mode) {
    case Mode::Period:
    case Mode::Cycle:
        runWindow(recorder, options, argc, argv);
        break;
    case Mode::Timer:
        runBareTimer(recorder, options, argc, argv);
        break;
    case Mode::Sleep:
        runSleepLoop(recorder, options);
        break;
    }
    if (!recorder.finished()) {
        std::fputs("bench_timing: the run ended before its ticks were recorded\n", stderr);
        return 1;
    }

    const auto& ticks = recorder.ticks();
    std::printf("mode=%s", modeName(options.mode));
    if (options.mode == Mode::Cycle) {
        const auto span = firstCycleSpan(ticks);
        if (!span) {
            std::fputs("\nbench_timing: the message cycle did not come round\n", stderr);
            return 1;
        }
        print("cycle_ms", span);
        print("cycle_error_pct", 100 * (*span - kDefaultCycleMs) / kDefaultCycleMs);
    } else {
        std::printf(" interval_ms=%d", options.intervalMs);
        print("mean_period_ms", meanPeriod(ticks));
        print("period_error_pct",
              100 * (*meanPeriod(ticks) - options.intervalMs) / options.intervalMs);
        print("ticks_per_s", ticksPerSecond(ticks));
        std::printf(" restarts=%d", scheduleRestarts(ticks, options.intervalMs));
    }
    std::printf(" ticks=%zu", ticks.size());
    const auto late = latenesses(ticks);
    print("late_p50_ms", percentile(late, 50));
    print("late_p99_ms", percentile(late, 99));
    print("late_max_ms", percentile(late, 100));
    const auto handling = handlingTimes(ticks);
    print("handling_p50_ms", percentile(handling, 50));
    print("handling_p99_ms", percentile(handling, 99));
    print("cpu_pct", recorder.cpuPercent());
    print("xserver_cpu_pct", recorder.xserverCpuPercent());
    std::printf("\n");
    return 0;
}
