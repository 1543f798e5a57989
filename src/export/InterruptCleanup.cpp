#include "export/InterruptCleanup.h"

#include <array>
#include <atomic>
#include <climits>
#include <csignal>
#include <cstring>
#include <mutex>
#include <unistd.h>

namespace exporter {

namespace {

enum SlotState : int { kFree, kReserved, kArmed };

struct Slot {
    std::atomic<int> state { kFree };
    char path[PATH_MAX] {};
};

// Few files are ever written at once; a fixed table is what a signal
// handler can walk without allocating or locking.
std::array<Slot, 8> g_slots;
std::once_flag g_installed;

extern "C" void removeOnInterrupt(int signal)
{
    for (Slot& slot : g_slots)
        if (slot.state.load(std::memory_order_acquire) == kArmed)
            ::unlink(slot.path);
    // Then end as the signal would have ended us.
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

void installHandlers()
{
    for (const int signal : { SIGINT, SIGTERM }) {
        struct sigaction current { };
        if (::sigaction(signal, nullptr, &current) != 0 || current.sa_handler != SIG_DFL)
            continue;
        struct sigaction action { };
        action.sa_handler = removeOnInterrupt;
        sigemptyset(&action.sa_mask);
        ::sigaction(signal, &action, nullptr);
    }
}

} // namespace

int InterruptCleanup::reserve()
{
    std::call_once(g_installed, installHandlers);
    for (std::size_t i = 0; i < g_slots.size(); ++i) {
        int expected = kFree;
        if (g_slots[i].state.compare_exchange_strong(expected, kReserved))
            return static_cast<int>(i);
    }
    return -1;
}

void InterruptCleanup::set(int slot, const std::string& path)
{
    if (slot < 0 || path.size() >= PATH_MAX)
        return;
    Slot& s = g_slots[static_cast<std::size_t>(slot)];
    std::memcpy(s.path, path.c_str(), path.size() + 1);
    s.state.store(kArmed, std::memory_order_release);
}

void InterruptCleanup::release(int slot)
{
    if (slot >= 0)
        g_slots[static_cast<std::size_t>(slot)].state.store(kFree, std::memory_order_release);
}

InterruptCleanup& interruptCleanup()
{
    static InterruptCleanup cleanup;
    return cleanup;
}

} // namespace exporter
