// Where the game looks for its data: the current directory when it has the
// data's folders, then beside the binary, its own install layout's folder
// before the other's, where only folders that hold the font count.
#include "platform/platform.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// A scratch prefix with games/ and bin/ for binaries, and an empty folder to
// start from.
class DataFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        home = fs::current_path();
        root = fs::temp_directory_path() / ("nannyday-folders-" + std::to_string(getpid()));
        fs::remove_all(root);
        for (const char *dir : {"games", "bin", "build", "elsewhere", "empty"})
            fs::create_directories(root / dir);
    }
    void TearDown() override
    {
        fs::current_path(home);
        fs::remove_all(root);
    }

    // A data folder with the font, or only the empty folders a removed install leaves.
    void put_data(const std::string &rel, bool font = true)
    {
        for (const char *sub : {"bmp", "wav", "xm"})
            fs::create_directories(root / rel / sub);
        if (font)
            std::ofstream(root / rel / "bmp" / "font.pcx") << "font";
    }

    // Where the search from the binary folder exe ends, relative to the
    // prefix, starting from `from`; "-" when it finds nothing.
    std::string entered(const std::string &exe, const std::string &from = "elsewhere")
    {
        fs::current_path(root / from);
        bool found = enter_data_folder((root / exe).string());
        fs::path here = fs::current_path();
        EXPECT_TRUE(found || here == fs::canonical(root / from)) << "the directory moved: " << here;
        return found ? fs::relative(here, fs::canonical(root)).string() : "-";
    }

    fs::path home, root;
};

} // namespace

TEST_F(DataFolder, TheBinarysOwnLayoutComesFirstAndOnlyFoldersWithTheFontCount)
{
    EXPECT_EQ(entered("games"), "-");
    put_data("share/nannyday");   // left by an install into the same prefix
    put_data("share/games/nannyday");
    EXPECT_EQ(entered("games"), "share/games/nannyday");
    EXPECT_EQ(entered("bin"), "share/nannyday");

    // Beside the binary, bmp/, wav/ and xm/ without the font are passed over.
    fs::remove(root / "share/games/nannyday/bmp/font.pcx");
    EXPECT_EQ(entered("games"), "share/nannyday");
    fs::remove(root / "share/nannyday/bmp/font.pcx");
    EXPECT_EQ(entered("games"), "-");

    // The source tree, from its build folder or beside the binary.
    put_data("data");
    EXPECT_EQ(entered("build"), "data");
    fs::remove_all(root / "data");
    put_data("build/data");
    EXPECT_EQ(entered("build"), "build/data");
    put_data("share/games/nannyday");
    EXPECT_EQ(entered("bin"), "share/games/nannyday");

    // The current directory, when it has the data's folders, before all of
    // them, even without the font: the player's own copy, which the game
    // then names as incomplete rather than playing other pictures.
    put_data("elsewhere", false);
    EXPECT_EQ(entered("games"), "elsewhere");
    put_data("empty/bmp", false);   // not the data's folders: bmp/bmp, bmp/wav, ...
    EXPECT_EQ(entered("games", "empty"), "share/games/nannyday");
}
