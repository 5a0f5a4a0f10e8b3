// Start-up's loading: the fixed order, the five cutscene pictures, missing files.
#include "support/harness.h"

#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/inotify.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// The files opened in the scratch bmp/ folder, in order, as the kernel saw them.
int watch = -1;

std::vector<std::string> opened_files()
{
    std::vector<std::string> names;
    alignas(inotify_event) char buf[65536];
    ssize_t n;
    while ((n = read(watch, buf, sizeof buf)) > 0) {
        for (char *p = buf; p < buf + n;) {
            auto *ev = reinterpret_cast<inotify_event *>(p);
            if ((ev->mask & IN_OPEN) && ev->len)
                names.push_back(std::string("bmp/") + ev->name);
            p += sizeof(inotify_event) + ev->len;
        }
    }
    return names;
}

// Loads from a scratch copy of the data folder, so that files can be taken
// away, and puts the process-wide pictures back afterwards.
class Loading : public Headless {
protected:
    void SetUp() override
    {
        Headless::SetUp();
        load_game_data();
        saved.save();

        dir = fs::temp_directory_path() / ("nannyday-load-" + std::to_string(getpid()));
        fs::remove_all(dir);
        fs::copy(data_dir(), dir, fs::copy_options::recursive);
        char here[4096];
        ASSERT_TRUE(getcwd(here, sizeof here));
        home = here;
        ASSERT_EQ(chdir(dir.c_str()), 0);

        watch = inotify_init1(IN_NONBLOCK);
        ASSERT_GE(watch, 0);
        ASSERT_GE(inotify_add_watch(watch, (dir / "bmp").c_str(), IN_OPEN), 0);
    }

    void TearDown() override
    {
        close(watch);
        EXPECT_EQ(chdir(home.c_str()), 0);
        fs::remove_all(dir);
        saved.restore();
        Headless::TearDown();
    }

    fs::path dir;
    std::string home;
    SavedPictures saved;
};

} // namespace

TEST_F(Loading, ReadsEveryPictureInItsOrderAndExactlyFiveCutscenePictures)
{
    memset(scenes, 0, sizeof scenes);
    load_images();
    std::vector<std::string> expected = {
        "bmp/bg0.bmp", "bmp/bg1.bmp", "bmp/l2sprites.bmp", "bmp/bg2.bmp", "bmp/img1.bmp",
        "bmp/img2.bmp", "bmp/trolley.bmp", "bmp/title.bmp", "bmp/font.pcx",
        "bmp/0-0.bmp", "bmp/0-1.bmp", "bmp/1-0.bmp", "bmp/2-0.bmp", "bmp/3-0.bmp",
    };
    EXPECT_EQ(opened_files(), expected);

    for (int c = 0; c < 4; c++)
        for (int i = 0; i < 20; i++)
            EXPECT_EQ(scenes[c][i] != nullptr, i < imagecount[c]) << "scenes[" << c << "][" << i << "]";
    for (BITMAP *b : {bg[0], bg[1], bg[2], l2sprites, child1, nanny1, trolley3, title})
        ASSERT_NE(b, nullptr);
    EXPECT_NE(f, nullptr);
    EXPECT_EQ(bitmap_color_depth(bg[0]), 32);
}

TEST_F(Loading, AMissingPictureIsLeftNullAndNamedAndLoadingGoesOn)
{
    const char *files[] = {"bg0.bmp", "bg1.bmp", "bg2.bmp", "l2sprites.bmp", "img1.bmp",
                           "img2.bmp", "trolley.bmp", "title.bmp", "0-1.bmp", "3-0.bmp"};
    for (const char *name : files)
        fs::remove(dir / "bmp" / name);

    testing::internal::CaptureStderr();
    load_images();
    std::string err = testing::internal::GetCapturedStderr();

    for (BITMAP *b : {bg[0], bg[1], bg[2], l2sprites, child1, nanny1, trolley3, title, scenes[0][1], scenes[3][0]})
        EXPECT_EQ(b, nullptr);
    EXPECT_NE(scenes[0][0], nullptr);
    EXPECT_NE(scenes[2][0], nullptr);
    EXPECT_NE(f, nullptr);
    for (const char *name : files) {
        std::string line = std::string("\"bmp/") + name + "\"";
        EXPECT_NE(err.find(line), std::string::npos) << name << " not named in:\n" << err;
    }
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 10) << err;
}

TEST_F(Loading, MissingFontEndsWithStatusOneBeforeAnyCutscenePicture)
{
    fs::remove(dir / "bmp" / "font.pcx");
    EXPECT_EXIT(
        {
            // Lists what was opened as the process ends, after the message.
            atexit([] {
                for (const std::string &name : opened_files())
                    fprintf(stderr, " %s", name.c_str());
            });
            load_images();
        },
        testing::ExitedWithCode(1),
        "cannot load \"bmp/font.pcx\"[^\n]*\n bmp/bg0.bmp.* bmp/title.bmp$");
}
