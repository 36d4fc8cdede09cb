#include "RegistryGroup.h"

#ifndef _WIN32
#include "RegistryStore.h"
#endif

#include <utility>

#ifdef _WIN32

RegistryGroup::RegistryGroup(HKEY root, std::string subkey)
    : root_(root), subkey_(std::move(subkey)) {
    RegistryTree::OpenKey key;
    for (std::size_t end = 0; end != std::string::npos;) {
        end = subkey_.find('\\', end + 1);
        const std::string path = subkey_.substr(0, end);
        const LONG opened = RegOpenKeyExA(root_, path.c_str(), 0, KEY_READ, key.out());
        if (opened == ERROR_FILE_NOT_FOUND) {
            firstMissing_ = path;
            open_ = true;
            return;
        }
        if (opened != ERROR_SUCCESS) {
            begun_ = opened;
            return;
        }
    }
    begun_ = RegistryTree::read(key.get(), before_);
    open_ = begun_ == ERROR_SUCCESS;
}

LONG RegistryGroup::keep() {
    open_ = false;
    return ERROR_SUCCESS;
}

LONG RegistryGroup::undo() {
    if (!open_) return ERROR_SUCCESS;
    open_ = false;
    if (!firstMissing_.empty()) return RegistryTree::erase(root_, firstMissing_);
    if (const LONG erased = RegistryTree::erase(root_, subkey_); erased != ERROR_SUCCESS)
        return erased;
    return RegistryTree::write(root_, subkey_, before_);
}

#else

RegistryGroup::RegistryGroup(HKEY root, std::string subkey)
    : root_(root), subkey_(std::move(subkey)) {
    begun_ = RegistryStore::beginGroup();
    open_ = begun_ == ERROR_SUCCESS;
}

LONG RegistryGroup::keep() {
    if (!open_) return ERROR_SUCCESS;
    open_ = false;
    return RegistryStore::endGroup(true);
}

LONG RegistryGroup::undo() {
    if (!open_) return ERROR_SUCCESS;
    open_ = false;
    return RegistryStore::endGroup(false);
}

#endif

RegistryGroup::~RegistryGroup() {
    undo();
}
