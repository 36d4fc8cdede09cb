#pragma once
// All or nothing for a group of writes at and below one key, over the Reg*
// functions.
//
// On the registry store the group is one transaction of the store: kept, all
// of its writes are stored at once; not kept, or cut short by the end of the
// process, none. The Windows registry offers the 8-bit calls no transaction:
// there the group reads the key with everything below it when it begins and,
// when it is not kept, deletes what is there then and writes back what it
// read (a key that was not there is deleted from the first name on the path
// that was missing). Written back are names, types, data and the order of
// the values; not the times of change or the keys' security.

#include "RegistryTree.h"

#include <string>
#include <vector>

class RegistryGroup {
public:
    // subkey: a path below root, names separated by backslashes.
    RegistryGroup(HKEY root, std::string subkey);
    ~RegistryGroup(); // undo() unless kept
    RegistryGroup(const RegistryGroup&) = delete;
    RegistryGroup& operator=(const RegistryGroup&) = delete;

    // ERROR_SUCCESS when the group could begin; otherwise nothing may be written.
    LONG begun() const { return begun_; }
    // Every write of the group stays.
    LONG keep();
    // None does: the key is as it was when the group began.
    LONG undo();

private:
    HKEY root_;
    std::string subkey_;
    LONG begun_ = ERROR_SUCCESS;
    bool open_ = false;
#ifdef _WIN32
    std::string firstMissing_; // the path up to the first name that was not there
    std::vector<RegistryTree::Key> before_;
#endif
};
