// The game's own background manager keeps the library's contract: every 10 ms on one thread, signals blocked, held off while interrupts are disabled; and it sleeps in between.
#include "support/harness.h"

#include "platform/background.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <fstream>
#include <string>
#include <sys/syscall.h>
#include <thread>
#include <unistd.h>

namespace {

std::atomic<int> calls{0};
std::atomic<int> bad_calls{0};   // on a thread that could take a signal, or told it is not one
std::atomic<long> tid{0};

void count(int threaded)
{
    sigset_t mask;
    pthread_sigmask(SIG_BLOCK, nullptr, &mask);
    if (!threaded || !sigismember(&mask, SIGTERM) || !sigismember(&mask, SIGINT) ||
        !sigismember(&mask, SIGALRM) || !sigismember(&mask, SIGUSR1))
        bad_calls++;
    tid = syscall(SYS_gettid);
    calls++;
}

void nap(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// Times the thread went to sleep or was put off the processor.
long switches(long thread)
{
    std::ifstream in("/proc/self/task/" + std::to_string(thread) + "/status");
    std::string key;
    long sum = 0, n;
    while (in >> key)
        if (key.find("voluntary_ctxt_switches:") != std::string::npos && in >> n)
            sum += n;
    return sum;
}

} // namespace

TEST(Background, RunsItsFunctionsEvery10MsWithSignalsBlockedHeldOffWhileDisabledAndSleepsBetween)
{
    bg_manager &m = own_background;
    calls = bad_calls = 0;
    ASSERT_EQ(m.init(), 0);
    ASSERT_EQ(m.register_func(count), 0);
    nap(100);
    // A second of rounds: about a hundred, each waking the thread about once.
    long thread = tid, s0 = switches(thread);
    int c0 = calls;
    nap(1000);
    int rounds = calls - c0;
    long wakes = switches(thread) - s0;
    EXPECT_GE(rounds, 50) << "rounds in a second";
    EXPECT_LE(rounds, 102) << "rounds in a second";
    EXPECT_LE(wakes, rounds + 20) << "the thread wakes between rounds";
    EXPECT_EQ(bad_calls, 0);
    EXPECT_EQ(tid, thread) << "not always the same thread";
    EXPECT_NE(tid, syscall(SYS_gettid));

    // Disabled twice, enabled once: still held off; enabled again: it runs on.
    m.disable_interrupts();
    m.disable_interrupts();
    int held = calls;
    nap(60);
    EXPECT_EQ(calls, held) << "ran while interrupts were disabled";
    EXPECT_TRUE(m.interrupts_disabled());
    m.enable_interrupts();
    nap(60);
    EXPECT_EQ(calls, held);
    m.enable_interrupts();
    EXPECT_FALSE(m.interrupts_disabled());
    nap(60);
    EXPECT_GT(calls, held) << "did not run again once enabled";

    // Taken off, it runs no more; and the manager starts again after it ended.
    EXPECT_EQ(m.unregister_func(count), 0);
    nap(20);
    int after = calls;
    nap(60);
    EXPECT_EQ(calls, after);
    m.exit();
    ASSERT_EQ(m.init(), 0);
    ASSERT_EQ(m.register_func(count), 0);
    nap(60);
    EXPECT_GT(calls, after);
    m.unregister_func(count);
    m.exit();
}
