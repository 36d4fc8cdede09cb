#include "QtCommandLine.h"

#include "RegistryStore.h"

#include <QDir>
#include <QFileInfo>
#include <QString>

#include <array>
#include <cerrno>
#include <csignal>
#include <cstdio>

namespace {

constexpr std::array<ToolkitOption, 19> kQtOptions{{
    {u"platform", true},        {u"platformpluginpath", true},
    {u"platformtheme", true},   {u"plugin", true},
    {u"qwindowgeometry", true}, {u"qwindowicon", true},
    {u"qwindowtitle", true},    {u"session", true},
    {u"style", true},           {u"stylesheet", true},
    {u"qmljsdebugger", true},   {u"reverse", false},
    {u"widgetcount", false},    {u"display", true},
    {u"geometry", true},        {u"name", true},
    {u"nograb", false},         {u"dograb", false},
    {u"sync", false},
}};

void print(std::FILE* stream, std::u16string_view text) {
    const QByteArray bytes = QString::fromStdU16String(std::u16string(text)).toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream);
    std::fflush(stream);
}

} // namespace

std::vector<std::u16string> argumentsOf(int argc, char* argv[]) {
    std::vector<std::u16string> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.push_back(QString::fromUtf8(argv[i]).toStdU16String());
    return arguments;
}

std::span<const ToolkitOption> qtOptions() {
    return kQtOptions;
}

bool processExists(std::uint32_t pid) {
    return ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
}

std::optional<std::u16string> fullPathOfFile(const std::u16string& path) {
    const QFileInfo file(QString::fromStdU16String(path));
    if (!file.exists()) return std::nullopt;
    return QDir::cleanPath(file.absoluteFilePath()).toStdU16String();
}

std::u16string settingsPlace() {
    return QString::fromStdString(RegistryStore::defaultPath()).toStdU16String() +
           u" (TARROWIN_REGISTRY names another)";
}

void printOut(std::u16string_view text) {
    print(stdout, text);
}

void printError(std::u16string_view text) {
    print(stderr, text);
}
