// BMP headers Allegro cannot take are refused from the header alone. Run-length
// BMPs are decoded before Allegro sees them: well-formed streams load, runs
// into the row padding are cut at the edge, streams that leave the picture
// otherwise are refused. Plain 24-bit pictures, read without Allegro's
// reader, come out exactly as Allegro reads them.
#include "support/harness.h"
#include "support/variants.h"

#include "data/assets.h"
#include "data/bmp.h"
#include "data/file.h"

#include <cstring>
#include <random>
#include <sys/mman.h>
#include <unistd.h>

namespace {

// Appends x as n little-endian bytes, as every BMP field is stored.
void le(std::vector<unsigned char> &v, uint32_t x, int n = 4)
{
    for (int i = 0; i < n; i++)
        v.push_back(static_cast<unsigned char>(x >> (8 * i)));
}

// A 4x2 8-bit (or 4-bit) run-length BMP whose palette maps index i to grey
// i*60 (give or take the palette's 6-bit rounding).
std::vector<unsigned char> rle_bmp(const std::vector<unsigned char> &stream, bool four_bit, int height = 2)
{
    int colours = four_bit ? 16 : 256;
    std::vector<unsigned char> b = {'B', 'M'};
    uint32_t off = 54 + 4 * static_cast<uint32_t>(colours);
    le(b, off + static_cast<uint32_t>(stream.size()));
    le(b, 0);
    le(b, off);
    le(b, 40);
    le(b, 4);
    le(b, static_cast<uint32_t>(height));
    b.insert(b.end(), {1, 0, static_cast<unsigned char>(four_bit ? 4 : 8), 0});
    le(b, four_bit ? 2 : 1);
    for (int i = 0; i < 5; i++)
        le(b, 0);
    for (int i = 0; i < colours; i++) {
        unsigned char g = static_cast<unsigned char>(i < 4 ? i * 60 : 0);
        b.insert(b.end(), {g, g, g, 0});
    }
    b.insert(b.end(), stream.begin(), stream.end());
    return b;
}

int grey(BITMAP *b, int x, int y)
{
    return getr32(getpixel(b, x, y));
}

// A file's bytes at the very end of a readable page, the page after them
// unreadable: a check that reads past the end of the file crashes the test.
class Fenced {
public:
    explicit Fenced(const std::vector<unsigned char> &b) : page(static_cast<size_t>(sysconf(_SC_PAGESIZE)))
    {
        map = static_cast<unsigned char *>(
            mmap(nullptr, 2 * page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
        EXPECT_NE(map, MAP_FAILED);
        EXPECT_EQ(mprotect(map + page, page, PROT_NONE), 0);
        bytes = map + page - b.size();
        memcpy(bytes, b.data(), b.size());
        n = b.size();
    }
    ~Fenced() { munmap(map, 2 * page); }
    const char *check_bmp_here()
    {
        BmpLayout layout;
        return bmp_problem(bytes, n, layout);
    }

private:
    size_t page, n;
    unsigned char *map, *bytes;
};

} // namespace

TEST(BmpHeader, SizesAllegroDoesNotTakeAreRefusedBeforeAnyFieldPastThem)
{
    // The file header and an info header cut from a plain 2x2 24-bit one.
    const std::vector<unsigned char> head = {'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0};
    const std::vector<unsigned char> info = {40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0};
    for (unsigned size : {16u, 20u, 41u, 64u, 100u}) {
        std::vector<unsigned char> b = head;
        b.insert(b.end(), info.begin(), info.end());
        b.resize(14 + size, 0);
        b[14] = static_cast<unsigned char>(size);
        b[10] = static_cast<unsigned char>(14 + size);
        EXPECT_STREQ(Fenced(b).check_bmp_here(), "unsupported BMP header size") << size;
    }

    // A top-down picture of -2^31 rows.
    std::vector<unsigned char> b = head;
    b.insert(b.end(), info.begin(), info.end());
    b.resize(70, 0);
    b[25] = 0x80;
    b[22] = b[23] = b[24] = 0;
    EXPECT_STREQ(Fenced(b).check_bmp_here(), "BMP picture size out of range");
}

TEST_F(Headless, RunLengthPicturesDecodeWhenEveryPixelStaysInside)
{
    // Bottom row: four of index 1. Top row: absolute 2,3,2 (padded), one 1.
    std::vector<unsigned char> rle8 = {4, 1, 0, 0, 0, 3, 2, 3, 2, 0, 1, 1, 0, 0, 0, 1};
    const char *why = nullptr;
    BITMAP *b = image_from_bytes(rle_bmp(rle8, false), &why);
    ASSERT_NE(b, nullptr) << why;
    EXPECT_NEAR(grey(b, 0, 1), 60, 3);
    EXPECT_NEAR(grey(b, 3, 1), 60, 3);
    EXPECT_NEAR(grey(b, 0, 0), 120, 3);
    EXPECT_NEAR(grey(b, 1, 0), 180, 3);
    EXPECT_NEAR(grey(b, 3, 0), 60, 3);
    destroy_bitmap(b);

    // 4 bits a pixel: a run alternating 1 and 2, then absolute 3,1,2,0 in one word.
    std::vector<unsigned char> rle4 = {4, 0x12, 0, 0, 0, 4, 0x31, 0x20, 0, 1};
    b = image_from_bytes(rle_bmp(rle4, true), &why);
    ASSERT_NE(b, nullptr) << why;
    EXPECT_NEAR(grey(b, 0, 1), 60, 3);
    EXPECT_NEAR(grey(b, 1, 1), 120, 3);
    EXPECT_NEAR(grey(b, 0, 0), 180, 3);
    EXPECT_NEAR(grey(b, 2, 0), 120, 3);
    destroy_bitmap(b);
}

TEST_F(Headless, RunLengthRunsPastTheRowAreCutAndOtherEscapesRefused)
{
    // Runs and blocks reaching into the row's padding, as some tools write
    // them: cut at the edge, and the picture is what the stream means.
    struct Cut {
        const char *what;
        std::vector<unsigned char> stream;
        bool four_bit;
        int row0[4];   // expected indices of the bottom row
    } cuts[] = {
        {"a run past the end of its row", {5, 1, 0, 0, 4, 2, 0, 1}, false, {1, 1, 1, 1}},
        {"absolute pixels past the row", {0, 5, 1, 2, 3, 1, 2, 0, 0, 0, 4, 2, 0, 1}, false, {1, 2, 3, 1}},
        {"a 4-bit run past its row", {6, 0x12, 0, 0, 4, 0x22, 0, 1}, true, {1, 2, 1, 2}},
        {"a 4-bit block past its row", {0, 6, 0x12, 0x31, 0x20, 0, 0, 0, 4, 0x22, 0, 1}, true, {1, 2, 3, 1}},
    };
    for (const Cut &c : cuts) {
        std::vector<unsigned char> bmp = rle_bmp(c.stream, c.four_bit), copy;
        BmpLayout layout;
        ASSERT_EQ(bmp_problem(bmp.data(), bmp.size(), layout), nullptr) << c.what;
        const char *repaired = bmp_plain_copy(bmp.data(), layout, copy);
        EXPECT_NE(repaired, nullptr) << c.what;
        const char *why = nullptr;
        BITMAP *b = image_from_bytes(bmp, &why);
        ASSERT_NE(b, nullptr) << c.what;
        EXPECT_STREQ(why, repaired) << c.what;
        for (int x = 0; x < 4; x++)
            EXPECT_NEAR(grey(b, x, 1), c.row0[x] * 60, 3) << c.what << " x=" << x;
        EXPECT_NEAR(grey(b, 0, 0), 120, 3) << c.what;   // the next row starts where it should
        destroy_bitmap(b);
    }

    struct Case {
        const char *what;
        std::vector<unsigned char> stream;
        bool four_bit;
    } cases[] = {
        {"a delta above the top row", {0, 2, 0, 3, 1, 1, 0, 1}, false},
        {"a delta past the right edge", {0, 2, 5, 0, 0, 1}, false},
        {"no end of picture before the file ends", {4, 1, 0, 0, 4, 1}, false},
        {"absolute block cut short", {0, 4, 1, 1}, false},
        {"a 4-bit absolute block cut short", {0, 8, 0x11, 0x11}, true},
    };
    for (const Case &c : cases) {
        std::vector<unsigned char> bmp = rle_bmp(c.stream, c.four_bit);
        BmpLayout layout;
        EXPECT_STREQ(bmp_problem(bmp.data(), bmp.size(), layout), "bad BMP run-length data") << c.what;
        const char *why = nullptr;
        EXPECT_EQ(image_from_bytes(bmp, &why), nullptr) << c.what;
    }
    // The format has no top-down run-length pictures.
    std::vector<unsigned char> top_down = rle_bmp({4, 1, 0, 1}, false, -2);
    BmpLayout layout;
    EXPECT_STREQ(bmp_problem(top_down.data(), top_down.size(), layout), "top-down run-length BMP");
}

// Bit-fields Allegro has no reader for (here 4 bits a colour, as GIMP's
// X4R4G4B4 writes them, top-down) reach it as plain 24-bit colour.
TEST_F(Headless, UnknownBitFieldsAreReadAsTheirMasksSay)
{
    std::vector<unsigned char> b = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 70, 0, 0, 0};
    for (uint32_t x : {56u, 2u, static_cast<uint32_t>(-2), 0x100001u, 3u, 0u, 0u, 0u, 0u, 0u})
        le(b, x);   // size, width, height (top-down), planes and 16 bits, bit-fields
    for (uint32_t x : {0xf00u, 0xf0u, 0xfu, 0xf000u})
        le(b, x);
    b.insert(b.end(), {0x00, 0x0f, 0x84, 0x00,    // top row: red, (0, 136, 68)
                       0xff, 0x0f, 0x11, 0x01});  // bottom row: white, (17, 17, 17)
    const char *why = nullptr;
    BITMAP *bmp = image_from_bytes(b, &why);
    ASSERT_NE(bmp, nullptr) << why;
    auto rgb = [bmp](int x, int y) {
        int c = getpixel(bmp, x, y);
        return std::vector<int>{getr32(c), getg32(c), getb32(c)};
    };
    EXPECT_EQ(rgb(0, 0), (std::vector<int>{255, 0, 0}));
    EXPECT_EQ(rgb(1, 0), (std::vector<int>{0, 136, 68}));
    EXPECT_EQ(rgb(0, 1), (std::vector<int>{255, 255, 255}));
    EXPECT_EQ(rgb(1, 1), (std::vector<int>{17, 17, 17}));
    destroy_bitmap(bmp);
}

namespace {

// Allegro's own reading: its BMP reader over the bytes, then its conversion
// to the current depth.
BITMAP *allegro_reads(const std::vector<unsigned char> &bytes)
{
    const char *why = nullptr;
    return read_from_memory(bytes, [](PACKFILE *pf) { return load_bmp_pf(pf, nullptr); }, "unreadable", &why);
}

::testing::AssertionResult same_pixels(BITMAP *a, BITMAP *b)
{
    if (!a || !b)
        return ::testing::AssertionFailure() << "not read";
    if (a->w != b->w || a->h != b->h || bitmap_color_depth(a) != bitmap_color_depth(b))
        return ::testing::AssertionFailure() << "size or depth differs";
    for (int y = 0; y < a->h; y++)
        for (int x = 0; x < a->w; x++)
            if (getpixel(a, x, y) != getpixel(b, x, y))
                return ::testing::AssertionFailure() << "pixel (" << x << "," << y << ") differs";
    return ::testing::AssertionSuccess();
}

// A bottom-up 24-bit BMP of w x h random pixels, magenta among them.
std::vector<unsigned char> random_bmp(int w, int h, std::mt19937 &rng)
{
    size_t row = (static_cast<size_t>(w) * 3 + 3) / 4 * 4;
    std::vector<unsigned char> b = {'B', 'M'};
    for (uint32_t x : {uint32_t(54 + row * h), 0u, 54u, 40u, uint32_t(w), uint32_t(h)})
        le(b, x);
    le(b, 1, 2);
    le(b, 24, 2);
    b.resize(54 + row * h);
    for (size_t i = 54; i < b.size(); i++)
        b[i] = static_cast<unsigned char>(rng());
    b[54] = b[56] = 0xff;   // magenta
    b[55] = 0;
    return b;
}

} // namespace

TEST_F(Headless, Plain24BitPicturesComeOutAsAllegroReadsThem)
{
    std::vector<std::vector<unsigned char>> files;
    for (const Picture &p : pictures)
        files.push_back(file_bytes(data_dir() + "/" + p.path));
    std::mt19937 rng(7);
    for (int w : {1, 2, 3, 5, 641})
        files.push_back(random_bmp(w, 3, rng));

    // In the X server's layout, which the harness sets, and in the one
    // Allegro starts with without a driver.
    const int x11[3] = {_rgb_r_shift_32, _rgb_g_shift_32, _rgb_b_shift_32};
    for (bool x11_layout : {true, false}) {
        _rgb_r_shift_32 = x11_layout ? x11[0] : 0;
        _rgb_g_shift_32 = 8;
        _rgb_b_shift_32 = x11_layout ? x11[2] : 16;
        for (size_t i = 0; i < files.size(); i++) {
            BITMAP *quick = plain_24_bit_at_32(files[i]);
            BITMAP *allegro = allegro_reads(files[i]);
            EXPECT_TRUE(same_pixels(quick, allegro)) << "file " << i << ", X11 layout " << x11_layout;
            if (quick && i >= static_cast<size_t>(picture_count)) {   // the file's first pixel, magenta
                EXPECT_EQ(getpixel(quick, 0, quick->h - 1), bitmap_mask_color(quick)) << "file " << i;
            }
            destroy_bitmap(quick);
            destroy_bitmap(allegro);
        }
    }
    _rgb_r_shift_32 = x11[0];
    _rgb_g_shift_32 = x11[1];
    _rgb_b_shift_32 = x11[2];

    // Anything else is left to Allegro: other depths, and pixels that do not
    // start right after the header.
    std::vector<unsigned char> other = files.back();
    other[28] = 32;
    EXPECT_EQ(plain_24_bit_at_32(other), nullptr);
    other = files.back();
    other[10] = 58;
    EXPECT_EQ(plain_24_bit_at_32(other), nullptr);
}
