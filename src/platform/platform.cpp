// X11/Linux versions of the host services the game relies on.
#include "platform/platform.h"

#include <allegro.h>

#include <atomic>
#include <climits>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::atomic<bool> close_wanted{false};

bool is_dir(const std::string &path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool holds_data(const std::string &dir)
{
    return is_dir(dir + "/bmp") && is_dir(dir + "/wav") && is_dir(dir + "/xm");
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

} // namespace

bool enter_data_folder()
{
    if (holds_data("."))
        return true;
    std::string exe = executable_dir();
    if (exe.empty())
        return false;
    for (const char *rel : {"/../share/nannyday", "/../share/games/nannyday", "/../data", "/data"}) {
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

bool close_requested()
{
    return close_wanted;
}
