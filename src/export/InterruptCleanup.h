#pragma once

// Temporary files to remove when the program is interrupted (SIGINT,
// SIGTERM) while it writes them, so that a tool stopped with Ctrl+C leaves
// no half-written file behind. The handler is installed the first time a
// slot is reserved, and only where the signal's handling is still the
// default: a program that handles the signal itself keeps its own handler.

#include <string>

namespace exporter {

class InterruptCleanup {
public:
    // A slot, or -1 when all are taken (the file then goes without this
    // safety net).
    int reserve();
    // The file that the slot removes on an interrupt.
    void set(int slot, const std::string& path);
    void release(int slot);
};

InterruptCleanup& interruptCleanup();

} // namespace exporter
