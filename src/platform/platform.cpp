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
    return enter_data_folder(executable_dir());
}

bool enter_data_folder(const std::string &exe)
{
    if (holds_data("."))
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

bool close_requested()
{
    return close_wanted;
}
