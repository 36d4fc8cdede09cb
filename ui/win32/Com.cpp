#include "Com.h"

#include <ole2.h>

namespace {
bool started = false;
}

void ensureOle() {
    if (!started) started = SUCCEEDED(OleInitialize(nullptr));
}

OleScope::~OleScope() {
    if (started) OleUninitialize();
    started = false;
}
