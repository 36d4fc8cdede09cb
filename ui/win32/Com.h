#pragma once
// COM (OLE) for the few things that need it: the picture loader for GIFs and
// the like, the shell's URL handlers, the file dialog. Started on first need
// rather than at start, where loading OLE would cost the start-up dearly.

// Initialises OLE on this (the user-interface) thread, once.
void ensureOle();

// Ends OLE at the end of the program if it was started.
class OleScope {
public:
    OleScope() = default;
    ~OleScope();
    OleScope(const OleScope&) = delete;
    OleScope& operator=(const OleScope&) = delete;
};
