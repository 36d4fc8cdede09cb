#include "OpenDisplay.h"

#include "CommandLine.h"
#include "Diagnostics.h"

#include <QString>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

namespace {

// While Qt starts, standard error goes to a file in memory (the display
// libraries write there without Qt too), so that a failed start prints only
// the program's own line.
int realError = -1;
int startMessages = -1;
QtMessageHandler previousHandler = nullptr;

std::string readStartMessages() {
    std::string text;
    if (startMessages < 0 || ::lseek(startMessages, 0, SEEK_SET) != 0) return text;
    char buffer[4096];
    for (ssize_t got; (got = ::read(startMessages, buffer, sizeof buffer)) > 0;)
        text.append(buffer, std::size_t(got));
    return text;
}

void writeAll(int fd, const std::string& text) {
    for (std::size_t done = 0; done < text.size();) {
        const ssize_t wrote = ::write(fd, text.data() + done, text.size() - done);
        if (wrote <= 0) return;
        done += std::size_t(wrote);
    }
}

// Which of Qt's platforms were tried, from Qt's messages: 'platform plugin "xcb"'.
std::string platformsTried(const std::string& messages) {
    constexpr std::string_view kMark = "platform plugin \"";
    std::string names;
    int count = 0;
    for (std::size_t at = messages.find(kMark); at != std::string::npos;
         at = messages.find(kMark, at)) {
        at += kMark.size();
        const std::string name = messages.substr(at, messages.find('"', at) - at);
        if (name.empty() || names.find(name) != std::string::npos) continue;
        names += (names.empty() ? "" : " and ") + name;
        ++count;
    }
    if (count == 0) return "Qt's platforms";
    return "Qt's " + names + (count == 1 ? " platform" : " platforms");
}

std::string environmentSaid() {
    std::string said;
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (!value && std::string_view(name) == "QT_QPA_PLATFORM") continue;
        said += (said.empty() ? "" : ", ") + std::string(name) +
                (value ? "=" + std::string(value) : " not set");
    }
    return said;
}

[[noreturn]] void cannotOpenDisplay() {
    const std::string messages = readStartMessages();
    ::dup2(realError, STDERR_FILENO);
    writeAll(STDERR_FILENO, "tarrowin: cannot open a display: tried " + platformsTried(messages) +
                                " (" + environmentSaid() + ")\n");
    if (Diagnostics::enabled()) writeAll(STDERR_FILENO, messages);
    std::_Exit(ExitStatus::kCouldNotRun);
}

void passOn(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (previousHandler) return previousHandler(type, context, message);
    const QByteArray line = qFormatLogMessage(type, context, message).toLocal8Bit() + '\n';
    std::fwrite(line.constData(), 1, std::size_t(line.size()), stderr);
}

void whileStarting(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtFatalMsg && message.contains(QLatin1String("platform plugin")))
        cannotOpenDisplay();
    passOn(type, context, message);
}

} // namespace

std::unique_ptr<QApplication> openDisplay(int& argc, char** argv) {
    realError = ::dup(STDERR_FILENO);
    startMessages = ::memfd_create("tarrowin-start", MFD_CLOEXEC);
    const bool capturing = realError >= 0 && startMessages >= 0 &&
                           ::dup2(startMessages, STDERR_FILENO) == STDERR_FILENO;
    previousHandler = qInstallMessageHandler(whileStarting);
    auto application = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(previousHandler);
    if (capturing) {
        std::fflush(stderr);
        ::dup2(realError, STDERR_FILENO);
        writeAll(STDERR_FILENO, readStartMessages());
    }
    for (int* fd : {&realError, &startMessages}) {
        if (*fd >= 0) ::close(*fd);
        *fd = -1;
    }
    return application;
}
