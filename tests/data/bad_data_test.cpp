// Broken pictures and fonts: start-up's loading and the whole road with each.
#include "support/harness.h"
#include "support/road.h"
#include "support/variants.h"

#include "screens/title.h"

#include <cstring>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// A picture of the wrong size or depth, saved by Allegro: a magenta left
// half (the mask colour) and a colour pattern on the right.
void save_picture(const fs::path &path, int w, int h, int depth)
{
    PALETTE pal;
    for (int i = 0; i < 256; i++)
        pal[i] = RGB{static_cast<unsigned char>(i / 4), static_cast<unsigned char>(63 - i / 4),
                     static_cast<unsigned char>((i * 7) % 64), 0};
    pal[1] = RGB{63, 0, 63, 0};
    pal[2] = RGB{10 / 4, 200 / 4, 32 / 4, 0};
    BITMAP *b = create_bitmap_ex(depth, w, h);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            int c = x < w / 2 ? 1 : 2 + (x * 3 + y) % 200;
            RGB p = pal[c];
            putpixel(b, x, y, depth == 8 ? c : makecol_depth(depth, p.r * 255 / 63, p.g * 255 / 63, p.b * 255 / 63));
        }
    select_palette(pal);
    ASSERT_EQ(save_bitmap(path.c_str(), b, pal), 0) << path;
    unselect_palette();
    destroy_bitmap(b);
}

// Loads from a scratch copy of the data and puts the process-wide pictures back afterwards.
class BadData : public Headless {
protected:
    void SetUp() override
    {
        Headless::SetUp();
        load_game_data();
        saved.save();
        char here[4096];
        ASSERT_TRUE(getcwd(here, sizeof here));
        home = here;
        ASSERT_EQ(chdir(data.dir.c_str()), 0);
    }

    void TearDown() override
    {
        EXPECT_EQ(chdir(home.c_str()), 0);
        saved.restore();
        Headless::TearDown();
    }

    // Start-up's loading, then the whole road: returns the stderr of loading.
    std::string load_and_play(const std::string &what)
    {
        testing::internal::CaptureStderr();
        load_images();
        std::string err = testing::internal::GetCapturedStderr();
        RoadResult r = play_road();
        EXPECT_EQ(r.failure, "") << what;
        EXPECT_EQ(r.status, 0) << what;
        return err;
    }

    ScratchData data;
    std::string home;
    SavedPictures saved;
};

class BadPicture : public BadData, public testing::WithParamInterface<int> {};

} // namespace

// Each broken version of a picture is left out with one line naming it, or
// loads as a 32-bit bitmap; either way every scene ticks and draws to the end.
TEST_P(BadPicture, IsLeftOutOrLoadedAndEveryScenePlays)
{
    const Picture &picture = pictures[GetParam()];
    std::string rel = picture.path;
    std::vector<unsigned char> original = file_bytes(rel);
    ASSERT_GT(original.size(), 54u);
    std::vector<Variant> variants = common_variants(original.size(), 54);
    for (const char *v : {"10x10", "100x100", "1x1", "1000x700", "8-bit"})
        variants.push_back({v, false});

    for (const Variant &v : variants) {
        std::string what = rel + ", " + v.name;
        if (v.name == "8-bit")
            save_picture(rel, 640, 480, 8);
        else if (v.name.find('x') != std::string::npos && isdigit(v.name[0]))
            save_picture(rel, std::stoi(v.name), std::stoi(v.name.substr(v.name.find('x') + 1)), 24);
        else
            make_variant(v, original, rel, font_path, 54);

        std::string err = load_and_play(what);
        BITMAP *loaded = *picture.slot;
        bool named = err.find("\"" + rel + "\"") != std::string::npos;
        EXPECT_EQ(loaded == nullptr, named) << what << "\n" << err;
        EXPECT_LE(std::count(err.begin(), err.end(), '\n'), 1) << what << "\n" << err;
        if (v.must_fail) {
            EXPECT_EQ(loaded, nullptr) << what;
        }
        if (loaded) {
            EXPECT_EQ(bitmap_color_depth(loaded), 32) << what;
        }
        if (isdigit(v.name[0]) && v.name.find('x') != std::string::npos) {
            ASSERT_NE(loaded, nullptr) << what;
            EXPECT_EQ(loaded->w, std::stoi(v.name)) << what;
        }
        free_images();
        data.restore(rel);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryPicture, BadPicture, testing::Range(0, picture_count),
                         [](const testing::TestParamInfo<int> &p) {
                             std::string s = pictures[p.param].path + 4;   // past "bmp/"
                             for (char &c : s)
                                 if (!isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return s;
                         });

// An 8-bit title picture is converted to 32 bits on loading, and its
// palette's magenta still counts as the mask colour.
TEST_F(BadData, EightBitTitleKeepsItsMaskWhenConverted)
{
    save_picture("bmp/title.bmp", 640, 480, 8);
    load_images();
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(bitmap_color_depth(title), 32);
    EXPECT_EQ(getpixel(title, 10, 10), bitmap_mask_color(title));
    TitleLoop::enter();
    TitleLoop::draw();
    EXPECT_EQ(rgb_at(buffer, 100, 100), 0x3ab2d3);   // the stripe shows through
    EXPECT_EQ(rgb_at(buffer, 100, 101), 0x9d4f6c);
    int right = rgb_at(buffer, 600, 100);
    EXPECT_NE(right, 0x3ab2d3);
    EXPECT_NE(right, 0xff00ff);
    free_images();
}

namespace {

// A font image in the glyph-grid layout with only n boxes.
void save_small_font(const fs::path &path, int n)
{
    PALETTE pal;
    for (int i = 0; i < 256; i++)
        pal[i] = RGB{static_cast<unsigned char>(i / 4), static_cast<unsigned char>(i / 4),
                     static_cast<unsigned char>(i / 4), 0};
    BITMAP *b = create_bitmap_ex(8, n * 9 + 1, 12);
    clear_to_color(b, 255);
    for (int i = 0; i < n; i++) {
        rectfill(b, 1 + i * 9, 1, 8 + i * 9, 10, 0);
        putpixel(b, 3 + i * 9, 4, 1);
    }
    ASSERT_EQ(save_bitmap(path.c_str(), b, pal), 0);
    destroy_bitmap(b);
}

// The real font as a 24-bit PCX: the palette's colours, the border in
// yellow, which is what marks the glyph boxes of a truecolour font.
void save_truecolour_font(const fs::path &path)
{
    int conversion = get_color_conversion();
    set_color_conversion(COLORCONV_NONE);
    PALETTE pal;
    BITMAP *img = load_bitmap(path.c_str(), pal);
    set_color_conversion(conversion);
    ASSERT_NE(img, nullptr);
    ASSERT_EQ(bitmap_color_depth(img), 8);
    BITMAP *tc = create_bitmap_ex(32, img->w, img->h);
    for (int y = 0; y < img->h; y++)
        for (int x = 0; x < img->w; x++) {
            int i = getpixel(img, x, y);
            putpixel(tc, x, y, i == 255 ? makecol32(255, 255, 0)
                                        : makecol32(pal[i].r * 4, pal[i].g * 4, pal[i].b * 4));
        }
    ASSERT_EQ(save_bitmap(path.c_str(), tc, nullptr), 0);
    destroy_bitmap(tc);
    destroy_bitmap(img);
}

} // namespace

// Without a usable font the game says so on one line and ends with 1; a
// font that loads (a cut that only lost palette bytes, a truecolour PCX)
// plays the whole road.
TEST_F(BadData, BrokenFontEndsTheGameWithOneLineOrPlays)
{
    const char *rel = "bmp/font.pcx";
    std::vector<unsigned char> original = file_bytes(rel);
    std::vector<Variant> variants = common_variants(original.size(), 128);
    variants.push_back({"no glyph boxes", true});
    variants.push_back({"20 glyphs", true});
    variants.push_back({"truecolour", false});

    for (const Variant &v : variants) {
        if (v.name == "no glyph boxes")
            save_small_font(rel, 0);
        else if (v.name == "20 glyphs")
            save_small_font(rel, 20);
        else if (v.name == "truecolour")
            save_truecolour_font(rel);
        else
            make_variant(v, original, rel, "bmp/img1.bmp", 128);

        // Loading and play in a child process, since a fatal font ends it.
        std::string expected = v.must_fail ? "cannot load \"bmp/font.pcx\" \\([^)]+\\); the game cannot show its text without it\n$"
                                           : "(cannot load \"bmp/font.pcx\"[^\n]*\n|road ok\n)$";
        EXPECT_EXIT(
            {
                load_images();
                RoadResult r = play_road();
                fprintf(stderr, "road %s\n", r.failure.empty() && r.status == 0 ? "ok" : r.failure.c_str());
                exit(0);
            },
            [&v](int status) {
                if (v.name == "truecolour")
                    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
                return WIFEXITED(status) && (WEXITSTATUS(status) == 1 || (!v.must_fail && WEXITSTATUS(status) == 0));
            },
            expected)
            << v.name;
        data.restore(rel);
    }
}
