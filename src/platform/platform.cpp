// X11/Linux versions of the host services the game relies on.
#include "platform/platform.h"

#include <allegro.h>

#include <X11/Xlib.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <ctime>
#include <linux/futex.h>
#include <poll.h>
#include <sched.h>
#include <string>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

std::atomic<bool> close_wanted{false};
// The first ending signal's number; 0 until one comes.
std::atomic<int> end_signal{0};
static_assert(std::atomic<int>::is_always_lock_free, "a signal handler may only touch lock-free atomics");
// The futex below waits on the counter's own word.
static_assert(sizeof(std::atomic<int>) == sizeof(int), "std::atomic<int> must be a plain int");

const int END_SIGNALS[] = {SIGTERM, SIGINT, SIGHUP};
// Which of them the game was started ignoring (nohup, a background job).
bool ignored_at_start[3];

// The font is the one file the game cannot start without; every other file
// it can do without, and names when it is missing. So a folder holding the
// font is one the game can run from, and one without it never is, however
// many empty bmp/, wav/ and xm/ folders a removed install left behind. One
// stat, nothing read.
bool holds_data(const std::string &dir)
{
    struct stat st;
    return stat((dir + "/bmp/font.pcx").c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// The folder a player starts the game in is their own choice, taken as it
// is: a copy of the data being reworked may lack the font for a while, and
// the game should say so rather than quietly play the installed pictures.
bool has_data_folders(const std::string &dir)
{
    struct stat st;
    for (const char *sub : {"/bmp", "/wav", "/xm"})
        if (stat((dir + sub).c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
            return false;
    return true;
}

std::string executable_dir()
{
    char path[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        return "";
    path[n] = '\0';
    std::string s(path);
    return s.substr(0, s.rfind('/'));
}

// Runs on Allegro's input thread: only record the wish.
void on_close_button()
{
    close_wanted = true;
}

// Only records the signal: Allegro's own handler shut the library down from
// here, and deadlocked or aborted when the signal had interrupted a frame's
// copy, which holds the X lock. The game thread acts on the flag between frames.
void on_end_signal(int sig)
{
    int none = 0;
    if (!end_signal.compare_exchange_strong(none, sig))
        _exit(128 + sig);   // asked twice: the player wants it gone now
}

// Xlib's default handler calls exit() on whichever thread noticed, often
// Allegro's input thread; the exit handlers then wait for a lock that thread
// holds, and the process hangs after its session has gone. Nothing the game
// holds needs saving, so leave at once. write() and _exit() take no locks.
// The game thread has a connection of its own beside Allegro's: both may
// notice at once. The player is told once, and either thread may then end
// the process, but not before the line is out.
std::atomic<int> connection_lost_said{0};   // 1 while being said, 2 once said

int on_x_connection_lost(Display *)
{
    static const char msg[] = "nannyday: lost the connection to the X display\n";
    int none = 0;
    if (connection_lost_said.compare_exchange_strong(none, 1)) {
        ssize_t n = write(STDERR_FILENO, msg, sizeof msg - 1);
        (void)n;
        connection_lost_said = 2;
    }
    while (connection_lost_said != 2)
        sched_yield();
    _exit(1);
}

sigset_t end_signal_set()
{
    sigset_t set;
    sigemptyset(&set);
    for (int sig : END_SIGNALS)
        sigaddset(&set, sig);
    return set;
}

long futex(std::atomic<int> &word, int op, int val, const timespec *timeout)
{
    return syscall(SYS_futex, reinterpret_cast<int *>(&word), op, val, timeout, nullptr, 0);
}

} // namespace

bool enter_data_folder()
{
    return enter_data_folder(executable_dir());
}

bool enter_data_folder(const std::string &exe)
{
    if (has_data_folders("."))
        return true;
    if (exe.empty())
        return false;
    // The data of the binary's own layout first: an install of the other
    // layout into the same prefix (a `cmake --install --prefix /usr` beside
    // the package) may have left an older copy in the other place.
    bool games = exe.size() >= 6 && exe.compare(exe.size() - 6, 6, "/games") == 0;
    const char *own = games ? "/../share/games/nannyday" : "/../share/nannyday";
    const char *other = games ? "/../share/nannyday" : "/../share/games/nannyday";
    for (const char *rel : {own, other, "/../data", "/data"}) {
        std::string dir = exe + rel;
        if (holds_data(dir))
            return chdir(dir.c_str()) == 0;
    }
    return false;
}

void hide_host_pointer()
{
    // Allegro's X11 window starts with a blank cursor and keeps it; ask for
    // that explicitly so that no later driver default can bring the arrow
    // back. The game never calls show_mouse(), so it draws no pointer either.
    show_os_cursor(MOUSE_CURSOR_NONE);
}

void watch_close_button()
{
    set_close_button_callback(on_close_button);
}

void hold_end_signals()
{
    sigset_t set = end_signal_set();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    for (int i = 0; i < 3; i++) {
        struct sigaction old;
        ignored_at_start[i] = sigaction(END_SIGNALS[i], nullptr, &old) == 0 && old.sa_handler == SIG_IGN;
    }
}

void watch_end_signals()
{
    struct sigaction sa = {};
    sa.sa_handler = on_end_signal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    // A signal the game was started ignoring stays ignored, as the one who
    // started it asked; Allegro has put its own handler there meanwhile.
    for (int i = 0; i < 3; i++)
        if (ignored_at_start[i])
            signal(END_SIGNALS[i], SIG_IGN);
        else
            sigaction(END_SIGNALS[i], &sa, nullptr);
    // A write to a dead X server should reach the handler above as an
    // error, not kill the process with SIGPIPE first.
    signal(SIGPIPE, SIG_IGN);
    XSetIOErrorHandler(on_x_connection_lost);
    sigset_t set = end_signal_set();
    pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
}

bool end_requested()
{
    return close_wanted || end_signal != 0;
}

void sleep_until_tick(std::atomic<int> &count, int max_us)
{
    timespec timeout{0, long(max_us) * 1000};
    // Returns at once if a tick came since count was last read; a signal or
    // a spurious wake only shortens the rest.
    futex(count, FUTEX_WAIT_PRIVATE, 0, &timeout);
}

void wake_for_tick(std::atomic<int> &count)
{
    futex(count, FUTEX_WAKE_PRIVATE, INT_MAX, nullptr);
}

long ns_since(const timespec &t)
{
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (now.tv_sec - t.tv_sec) * 1000000000L + (now.tv_nsec - t.tv_nsec);
}

bool x_input_waiting(Display *d)
{
    pollfd p{ConnectionNumber(d), POLLIN, 0};
    return XEventsQueued(d, QueuedAlready) > 0 || poll(&p, 1, 0) > 0;
}
