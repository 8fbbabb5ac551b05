#include "core/platform/TempNames.h"

#include <limits.h>
#include <signal.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <mutex>
#include <random>

namespace rs {

namespace {

// The names in use, in fixed slots: the clean-up runs in a signal handler, which may only read
// memory that is never freed. A slot is free (0), being filled (1) or holds a name (2).
struct Slot {
    std::atomic<int> state{0};
    pid_t owner = 0;
    char path[PATH_MAX] = {};
};
constexpr int kSlots = 64;
Slot g_slots[kSlots];

// Threads inside make(), and whether the clean-up has begun: from then on no name is made, and
// the clean-up first waits a while for the names being made, so that none is made after it looked.
std::atomic<int> g_making{0};
std::atomic<bool> g_ending{false};

constexpr int kEndSignals[] = {SIGTERM, SIGINT, SIGHUP};
struct sigaction g_oldActions[std::size(kEndSignals)];

// How long the clean-up waits for names being made: a stalled file system may never answer a
// create, and the program must still end.
constexpr long kMakingWaitMs = 1500;

long MillisecondsSince(const struct timespec& start) {
    struct timespec now {};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return (now.tv_sec - start.tv_sec) * 1000 + (now.tv_nsec - start.tv_nsec) / 1000000;
}

void RemoveAll() {
    g_ending.store(true);
    struct timespec start {};
    ::clock_gettime(CLOCK_MONOTONIC, &start);
    // A name is registered before its file is made, so one still being made is removed below
    // where the file is there by then.
    while (g_making.load() > 0 && MillisecondsSince(start) < kMakingWaitMs) {
        struct timespec pause {
            0, 1000000
        };
        ::nanosleep(&pause, nullptr);
    }
    // A child made by fork() has a copy of the slots; the names are its parent's.
    const pid_t self = ::getpid();
    for (Slot& slot : g_slots)
        if (slot.state.load() == 2 && slot.owner == self) ::unlink(slot.path);
}

extern "C" void RemoveTempNamesAndEnd(int sig) {
    const int savedErrno = errno;
    RemoveAll();
    // What the signal did before does the rest: as a rule, end the program.
    for (std::size_t i = 0; i < std::size(kEndSignals); ++i)
        if (kEndSignals[i] == sig) ::sigaction(sig, &g_oldActions[i], nullptr);
    ::raise(sig);
    errno = savedErrno;
}

extern "C" void RemoveTempNamesAtExit() { RemoveAll(); }

void InstallCleanUp() {
    static std::once_flag once;
    std::call_once(once, [] {
        for (std::size_t i = 0; i < std::size(kEndSignals); ++i) {
            struct sigaction old {};
            ::sigaction(kEndSignals[i], nullptr, &old);
            // A signal the program was started to ignore (nohup) stays ignored.
            if (!(old.sa_flags & SA_SIGINFO) && old.sa_handler == SIG_IGN) continue;
            g_oldActions[i] = old;
            struct sigaction sa {};
            sa.sa_handler = RemoveTempNamesAndEnd;
            sigemptyset(&sa.sa_mask);
            sa.sa_flags = SA_RESTART;
            ::sigaction(kEndSignals[i], &sa, nullptr);
        }
        std::atexit(RemoveTempNamesAtExit);
    });
}

// Holds off the ending signals on this thread: were the handler to run here while a name is
// made, it would wait for this very thread.
class EndSignalsHeld {
public:
    EndSignalsHeld() {
        sigset_t set;
        sigemptyset(&set);
        for (int sig : kEndSignals) sigaddset(&set, sig);
        ::pthread_sigmask(SIG_BLOCK, &set, &old_);
    }
    ~EndSignalsHeld() { ::pthread_sigmask(SIG_SETMASK, &old_, nullptr); }
    EndSignalsHeld(const EndSignalsHeld&) = delete;
    EndSignalsHeld& operator=(const EndSignalsHeld&) = delete;

private:
    sigset_t old_;
};

class Making {
public:
    Making() { g_making.fetch_add(1); }
    ~Making() { g_making.fetch_sub(1); }
    Making(const Making&) = delete;
    Making& operator=(const Making&) = delete;
};

// A slot holding path, or -1 when every slot is taken (the name then goes unregistered, as
// no run writes that many files at once).
int Claim(const std::string& path) {
    for (int i = 0; i < kSlots; ++i) {
        int expected = 0;
        if (!g_slots[i].state.compare_exchange_strong(expected, 1)) continue;
        g_slots[i].owner = ::getpid();
        std::memcpy(g_slots[i].path, path.c_str(), path.size() + 1);
        g_slots[i].state.store(2);
        return i;
    }
    return -1;
}

void Release(int slot) {
    if (slot >= 0) g_slots[slot].state.store(0);
}

// Registers name, then has create make it, inside the part the clean-up waits for.
int MakeRegistered(const std::string& name, const std::function<int(const char*)>& create, int& slot) {
    EndSignalsHeld held;
    Making making;
    if (g_ending.load()) return EINTR;  // the program is ending
    slot = Claim(name);
    const int err = create(name.c_str());
    if (err != 0) {
        Release(slot);
        slot = -1;
    }
    return err;
}

}  // namespace

int TempName::make(const std::string& folder, const std::function<int(const char*)>& create) {
    forget();
    InstallCleanUp();
    std::random_device rd;
    const std::string base = folder + ".rowsmith-" + std::to_string(::getpid()) + "-";
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = base + std::to_string(rd()) + ".tmp";
        if (name.size() >= PATH_MAX) return ENAMETOOLONG;
        int slot = -1;
        const int err = MakeRegistered(name, create, slot);
        if (err == 0) {
            path_ = std::move(name);
            slot_ = slot;
            return 0;
        }
        if (err != EEXIST) return err;
    }
    return EEXIST;
}

void TempName::remove() {
    if (!path_.empty()) ::unlink(path_.c_str());
    forget();
}

void TempName::forget() {
    Release(slot_);
    slot_ = -1;
    path_.clear();
}

}  // namespace rs
