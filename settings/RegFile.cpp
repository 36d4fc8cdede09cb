#include "RegFile.h"

#include "RegFileText.h"
#include "RegistryGroup.h"
#include "RegistryTree.h"
#include "SettingsStore.h"
#include "TextConversion.h"
#include "WholeFile.h"

#include <utility>
#include <vector>

namespace RegFile {
namespace {

using RegFileText::Step;
using RegistryTree::OpenKey;

// "Software\Quillmoor\Tarrowin": the settings key below HKEY_CURRENT_USER.
std::string settingsSubkey() {
    const std::u16string_view path = SettingsStore::kKeyPath;
    return TextConversion::narrow(path.substr(path.find(u'\\') + 1));
}

std::u16string number(std::size_t value) {
    return TextConversion::widen(std::to_string(value));
}

// The registry's answers in the program's words, the same on both systems.
std::u16string registryError(LONG code) {
    std::u16string words;
    switch (code) {
    case ERROR_FILE_NOT_FOUND:
        words = u"a key is not there";
        break;
    case ERROR_ACCESS_DENIED:
        words = u"access denied";
        break;
    case ERROR_OUTOFMEMORY:
        words = u"out of memory";
        break;
    case ERROR_DISK_FULL:
        words = u"the disk is full";
        break;
    case ERROR_BUSY:
        words = u"another program is writing the settings";
        break;
    case ERROR_KEY_DELETED:
        words = u"a key was deleted meanwhile";
        break;
    case ERROR_REGISTRY_CORRUPT:
        words = u"the registry store is damaged";
        break;
    case ERROR_REGISTRY_IO_FAILED:
        words = u"the registry store cannot be read or written";
        break;
    case ERROR_NOT_REGISTRY_FILE:
        words = u"the registry store is not a file";
        break;
    default:
        words = u"the registry answered error " + number(static_cast<std::size_t>(code));
    }
    return words;
}

std::u16string shownName(const std::u16string& file) {
    return file == WholeFile::kStandardStream ? u"standard input" : file;
}

// Carries out the steps of a file, one registry write after the other.
class Importer {
public:
    explicit Importer(const std::function<void(std::size_t)>& beforeWrite)
        : beforeWrite_(beforeWrite), subkey_(settingsSubkey()) {}

    LONG apply(const Step& step) {
        switch (step.kind) {
        case Step::SetKey:
            return setKey(step.path);
        case Step::DeleteKey:
            return deleteKey(step.path);
        case Step::SetValue:
            write();
            return RegSetValueExA(current_.get(), step.value.name.c_str(), 0, step.value.type,
                                  reinterpret_cast<const BYTE*>(step.value.data.data()),
                                  static_cast<DWORD>(step.value.data.size()));
        case Step::DeleteValue: {
            write();
            const LONG deleted = RegDeleteValueA(current_.get(), step.value.name.c_str());
            return deleted == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : deleted;
        }
        }
        return ERROR_INVALID_PARAMETER;
    }

    // Every handle closed, before the group ends.
    void close() {
        current_.reset();
        settings_.reset();
    }

private:
    void write() {
        if (beforeWrite_) beforeWrite_(writes_);
        ++writes_;
    }

    LONG setKey(const std::vector<std::string>& path) {
        current_.reset();
        if (!settings_.get()) {
            write();
            if (const LONG made =
                    RegistryTree::create(HKEY_CURRENT_USER, {subkey_}, *settings_.out());
                made != ERROR_SUCCESS)
                return made;
        }
        write();
        return RegistryTree::create(settings_.get(), path, *current_.out());
    }

    // A key that is not there is no failure, as the editor has it.
    LONG deleteKey(const std::vector<std::string>& path) {
        current_.reset();
        if (path.empty()) {
            settings_.reset();
            write();
            return RegistryTree::erase(HKEY_CURRENT_USER, subkey_);
        }
        OpenKey settings;
        OpenKey parent;
        LONG opened = RegistryTree::open(HKEY_CURRENT_USER, {subkey_}, *settings.out());
        if (opened == ERROR_SUCCESS)
            opened =
                RegistryTree::open(settings.get(), {path.begin(), path.end() - 1}, *parent.out());
        if (opened == ERROR_FILE_NOT_FOUND) return ERROR_SUCCESS;
        if (opened != ERROR_SUCCESS) return opened;
        write();
        return RegistryTree::erase(parent.get(), path.back());
    }

    const std::function<void(std::size_t)>& beforeWrite_;
    std::size_t writes_ = 0;
    std::string subkey_;
    OpenKey settings_;
    OpenKey current_;
};

} // namespace

Outcome exportBytes(std::string& bytes) {
    OpenKey key;
    const LONG opened =
        RegOpenKeyExA(HKEY_CURRENT_USER, settingsSubkey().c_str(), 0, KEY_READ, key.out());
    if (opened == ERROR_FILE_NOT_FOUND)
        return {Status::CannotReadOrWrite, u"there are no settings to export: " +
                                               std::u16string(SettingsStore::kKeyPath) +
                                               u" is not there, Tarrowin has stored none yet"};
    std::vector<RegistryTree::Key> tree;
    const LONG read = opened == ERROR_SUCCESS ? RegistryTree::read(key.get(), tree) : opened;
    if (read != ERROR_SUCCESS)
        return {Status::CannotReadOrWrite, u"the settings cannot be read: " + registryError(read)};
    bytes = RegFileText::write(SettingsStore::kKeyPath, tree);
    return {};
}

Outcome exportSettings(const std::u16string& file) {
    std::string bytes;
    Outcome outcome = exportBytes(bytes);
    if (outcome.status != Status::Done) return outcome;
    std::u16string reason;
    if (!WholeFile::replace(file, bytes, reason))
        return {Status::CannotReadOrWrite,
                u"cannot write " +
                    (file == WholeFile::kStandardStream ? u"standard output" : file) + u": " +
                    reason};
    return {};
}

Outcome importSettings(const std::u16string& file) {
    std::string bytes;
    std::u16string reason;
    if (!WholeFile::read(file, RegFileText::kMaxFileBytes, bytes, reason))
        return {Status::CannotReadOrWrite, u"cannot read " + shownName(file) + u": " + reason};
    return importBytes(bytes, shownName(file));
}

Outcome importBytes(std::string_view bytes, std::u16string_view fileName,
                    const std::function<void(std::size_t)>& beforeWrite) {
    const RegFileText::Parsed parsed = RegFileText::parse(bytes, SettingsStore::kKeyPath);
    if (parsed.refusal)
        return {Status::NotSettings, std::u16string(fileName) + u": line " +
                                         number(parsed.refusal->line) + u": " +
                                         parsed.refusal->reason};
    RegistryGroup group(HKEY_CURRENT_USER, settingsSubkey());
    if (group.begun() != ERROR_SUCCESS)
        return {Status::CannotReadOrWrite,
                u"the settings cannot be written: " + registryError(group.begun())};
    Importer importer(beforeWrite);
    for (const Step& step : parsed.steps) {
        const LONG result = importer.apply(step);
        if (result == ERROR_SUCCESS) continue;
        importer.close();
        std::u16string message = std::u16string(fileName) + u": line " + number(step.line) +
                                 u": the settings cannot be written: " + registryError(result);
        const LONG undone = group.undo();
        message += undone == ERROR_SUCCESS
                       ? u"; nothing of the file was imported"
                       : u"; what was written could not all be undone: " + registryError(undone);
        return {Status::CannotReadOrWrite, std::move(message)};
    }
    importer.close();
    if (const LONG kept = group.keep(); kept != ERROR_SUCCESS)
        return {Status::CannotReadOrWrite, u"the settings cannot be written: " +
                                               registryError(kept) +
                                               u"; nothing of the file was imported"};
    return {};
}

} // namespace RegFile
