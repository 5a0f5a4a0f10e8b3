// The background thread the library's X11 driver runs its input handler on, resting until each 10 ms is due.
#include "platform/background.h"

#include "platform/platform.h"

#include <xalleg.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <ctime>
#include <pthread.h>

namespace {

const long PERIOD_NS = 10 * 1000 * 1000;
const int MAX_FUNCS = 16;

// The functions and the count of disable_interrupts() not yet enabled again,
// under one lock, which the thread also holds while the functions run.
pthread_mutex_t lock = PTHREAD_MUTEX_INITIALIZER;
pthread_cond_t enabled = PTHREAD_COND_INITIALIZER;
bg_func funcs[MAX_FUNCS];
int disabled = 0;
bool running = false;

pthread_t thread;
bool started = false;

void add_ns(timespec &t, long ns)
{
    t.tv_nsec += ns;
    while (t.tv_nsec >= 1000000000L) {
        t.tv_nsec -= 1000000000L;
        t.tv_sec++;
    }
}

bool before(const timespec &a, const timespec &b)
{
    return a.tv_sec < b.tv_sec || (a.tv_sec == b.tv_sec && a.tv_nsec < b.tv_nsec);
}

void *run(void *)
{
    timespec next;
    clock_gettime(CLOCK_MONOTONIC, &next);
    for (;;) {
        add_ns(next, PERIOD_NS);
        timespec now;
        clock_gettime(CLOCK_MONOTONIC, &now);
        timespec late = next;
        add_ns(late, PERIOD_NS);
        if (before(late, now))
            next = now;   // held off for more than a round: no burst to catch up
        while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &next, nullptr) == EINTR) {
        }
        pthread_mutex_lock(&lock);
        while (disabled > 0 && running)
            pthread_cond_wait(&enabled, &lock);
        if (!running) {
            pthread_mutex_unlock(&lock);
            return nullptr;
        }
        for (bg_func f : funcs)
            if (f)
                f(1);
        pthread_mutex_unlock(&lock);
    }
}

int start()
{
    pthread_mutex_lock(&lock);
    running = true;
    pthread_mutex_unlock(&lock);
    // Made with every signal blocked, which it keeps: no signal meant for the
    // game is ever handled in the middle of the library's input handling.
    sigset_t all, old;
    sigfillset(&all);
    pthread_sigmask(SIG_BLOCK, &all, &old);
    started = pthread_create(&thread, nullptr, run, nullptr) == 0;
    pthread_sigmask(SIG_SETMASK, &old, nullptr);
    if (!started) {
        pthread_mutex_lock(&lock);
        running = false;
        pthread_mutex_unlock(&lock);
        return -1;
    }
    return 0;
}

void stop()
{
    if (!started)
        return;
    // From one of the functions themselves: the thread ends after them.
    bool own = pthread_equal(pthread_self(), thread);
    if (!own)
        pthread_mutex_lock(&lock);
    running = false;
    pthread_cond_broadcast(&enabled);
    if (own)
        return;
    pthread_mutex_unlock(&lock);
    pthread_join(thread, nullptr);
    started = false;
}

int add_func(bg_func f)
{
    pthread_mutex_lock(&lock);
    int result = -1;
    for (bg_func &slot : funcs)
        if (!slot) {
            slot = f;
            result = 0;
            break;
        }
    pthread_mutex_unlock(&lock);
    return result;
}

int remove_func(bg_func f)
{
    pthread_mutex_lock(&lock);
    int result = -1;
    for (bg_func &slot : funcs)
        if (slot == f) {
            slot = nullptr;
            result = 0;
            break;
        }
    pthread_mutex_unlock(&lock);
    return result;
}

void enable()
{
    pthread_mutex_lock(&lock);
    if (disabled > 0 && --disabled == 0)
        pthread_cond_broadcast(&enabled);
    pthread_mutex_unlock(&lock);
}

void disable()
{
    pthread_mutex_lock(&lock);
    disabled++;
    pthread_mutex_unlock(&lock);
}

int is_disabled()
{
    pthread_mutex_lock(&lock);
    int n = disabled;
    pthread_mutex_unlock(&lock);
    return n;
}

} // namespace

bg_manager own_background = {1, start, stop, add_func, remove_func, enable, disable, is_disabled};

void use_own_background()
{
    _bg_man_pthreads = own_background;
}

namespace {

// Whether a frame went to the X server since the input handler last ran.
std::atomic<bool> frame_waiting{false};
timespec last_run{0, 0};
const long QUIET_RUN_NS = 100L * 1000 * 1000;

// The library's input handler, each round, under its X lock: it begins with
// a round trip to the server (XSync), which wakes the thread a second time
// for the reply. Run only when there is something to read or to send, and
// in any case ten times a second.
void handle_x_input()
{
    Display *d = _xwin.display;
    if (!d)
        return;
    if (!frame_waiting.exchange(false) && !x_input_waiting(d) && ns_since(last_run) < QUIET_RUN_NS)
        return;
    clock_gettime(CLOCK_MONOTONIC, &last_run);
    _xwin_private_handle_input();
}

} // namespace

void watch_x_input()
{
    _xwin_input_handler = handle_x_input;
}

void frame_sent()
{
    frame_waiting = true;
}
