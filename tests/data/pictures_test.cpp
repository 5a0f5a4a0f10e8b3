// The pictures as the game loads them: sizes, where the mask colour must and
// must not be, figures standing on their feet, and icons that tell apart.
#include "support/harness.h"

#include <algorithm>
#include <cmath>

namespace {

struct Named {
    const char *name;
    BITMAP *bmp;
};

bool is_mask(BITMAP *b, int x, int y)
{
    return getpixel(b, x, y) == bitmap_mask_color(b);
}

int count_mask(BITMAP *b, int x1, int y1, int x2, int y2)
{
    int n = 0;
    for (int y = y1; y < y2; y++)
        for (int x = x1; x < x2; x++)
            n += is_mask(b, x, y);
    return n;
}

// Pixels that look pink but are not the exact mask colour: left by blending
// a figure's edge with its background, they would show as a pink fringe.
int count_near_mask(BITMAP *b)
{
    int n = 0;
    for (int y = 0; y < b->h; y++)
        for (int x = 0; x < b->w; x++) {
            int c = getpixel(b, x, y);
            if (!is_mask(b, x, y) && getr32(c) > 200 && getg32(c) < 80 && getb32(c) > 200)
                n++;
        }
    return n;
}

struct Box {
    int left = 1 << 20, right = -1, top = 1 << 20, bottom = -1;
};

// The extent of the painted (not mask) pixels of an area of a picture.
Box painted(BITMAP *b, int x0, int y0, int w, int h)
{
    Box box;
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++)
            if (!is_mask(b, x0 + x, y0 + y)) {
                box.left = std::min(box.left, x);
                box.right = std::max(box.right, x);
                box.top = std::min(box.top, y);
                box.bottom = std::max(box.bottom, y);
            }
    return box;
}

// Share of the pixels of two 128x128 icon cells that differ to the eye.
double cell_difference(int col1, int row1, int col2, int row2)
{
    int n = 0;
    for (int y = 0; y < 128; y++)
        for (int x = 0; x < 128; x++) {
            int a = getpixel(l2sprites, col1 * 128 + x, row1 * 128 + y);
            int b = getpixel(l2sprites, col2 * 128 + x, row2 * 128 + y);
            int d = std::abs(getr32(a) - getr32(b)) + std::abs(getg32(a) - getg32(b)) + std::abs(getb32(a) - getb32(b));
            n += d > 40;
        }
    return n / (128.0 * 128.0);
}

// Calls use(colour) for every painted (not mask-coloured) pixel of an icon
// cell; returns how many there were.
template <class Use> int each_painted_pixel(int col, int row, Use use)
{
    int n = 0;
    for (int y = 0; y < 128; y++)
        for (int x = 0; x < 128; x++) {
            if (is_mask(l2sprites, col * 128 + x, row * 128 + y))
                continue;
            use(getpixel(l2sprites, col * 128 + x, row * 128 + y));
            n++;
        }
    return n;
}

// The average colour of an icon cell's painted pixels.
void cell_colour(int col, int row, double rgb[3])
{
    double sum[3] = {0, 0, 0};
    int n = each_painted_pixel(col, row, [&](int c) {
        sum[0] += getr32(c);
        sum[1] += getg32(c);
        sum[2] += getb32(c);
    });
    for (int i = 0; i < 3; i++)
        rgb[i] = sum[i] / n;
}

// How colourful an icon cell is: the mean of max - min channel over its painted pixels.
double cell_chroma(int col, int row)
{
    double sum = 0;
    int n = each_painted_pixel(col, row, [&](int c) {
        sum += std::max({getr32(c), getg32(c), getb32(c)}) - std::min({getr32(c), getg32(c), getb32(c)});
    });
    return sum / n;
}

double colour_distance(const double a[3], const double b[3])
{
    return std::sqrt((a[0] - b[0]) * (a[0] - b[0]) + (a[1] - b[1]) * (a[1] - b[1]) + (a[2] - b[2]) * (a[2] - b[2]));
}

class Pictures : public Headless {
protected:
    void SetUp() override
    {
        Headless::SetUp();
        load_game_data();
    }
};

// How full the outline of a tab or notch is, from its row extents: about
// 0.8 for a round one, near 1 for a square one. Counted from x0 on, cols
// columns to the right, for painted pixels (a tab) or mask pixels (a notch).
double fullness(int x0, int y0, int cols, bool want_mask)
{
    int most = 0, sum = 0, rows = 0;
    for (int y = y0 - 20; y < y0 + 20; y++) {
        int n = 0;
        for (int x = x0; x < x0 + cols; x++)
            n += is_mask(l2sprites, x, y) == want_mask;
        if (n > 0) {
            most = std::max(most, n);
            sum += n;
            rows++;
        }
    }
    return rows > 0 ? static_cast<double>(sum) / rows / most : 0;
}

} // namespace

TEST_F(Pictures, EveryPictureLoadsAtTheSizeTheGameDrawsIt)
{
    struct Want {
        Named pic;
        int w, h;
    };
    const Want wants[] = {
        {{"bg0", bg[0]}, 640, 480},         {{"bg1", bg[1]}, 640, 480},         {{"bg2", bg[2]}, 640, 480},
        {{"title", title}, 640, 480},       {{"0-0", scenes[0][0]}, 640, 480},  {{"0-1", scenes[0][1]}, 640, 480},
        {{"1-0", scenes[1][0]}, 640, 480},  {{"2-0", scenes[2][0]}, 640, 480},  {{"3-0", scenes[3][0]}, 640, 480},
        {{"l2sprites", l2sprites}, 384, 384}, {{"img1", child1}, 32, 32},        {{"img2", nanny1}, 32, 32},
        {{"trolley", trolley3}, 190, 122},
    };
    for (const Want &w : wants) {
        ASSERT_NE(w.pic.bmp, nullptr) << w.pic.name;
        EXPECT_EQ(w.pic.bmp->w, w.w) << w.pic.name;
        EXPECT_EQ(w.pic.bmp->h, w.h) << w.pic.name;
    }
}

TEST_F(Pictures, OpaqueWhereTheGameBlitsAndMaskedWhereItMasks)
{
    // Blitted whole: a mask pixel would show as bright pink.
    for (Named n : {Named{"bg0", bg[0]}, Named{"bg1", bg[1]}, Named{"bg2", bg[2]}, Named{"0-0", scenes[0][0]},
                    Named{"0-1", scenes[0][1]}, Named{"1-0", scenes[1][0]}, Named{"2-0", scenes[2][0]},
                    Named{"3-0", scenes[3][0]}})
        EXPECT_EQ(count_mask(n.bmp, 0, 0, 640, 480), 0) << n.name;

    // Masked: the figures' backgrounds, with no pink fringe around them.
    for (Named n : {Named{"img1", child1}, Named{"img2", nanny1}, Named{"trolley", trolley3},
                    Named{"l2sprites", l2sprites}, Named{"title", title}}) {
        EXPECT_TRUE(is_mask(n.bmp, 0, 0) && is_mask(n.bmp, n.bmp->w - 1, 0)) << n.name << " top corners";
        EXPECT_EQ(count_near_mask(n.bmp), 0) << n.name;
    }

    // The title gives the menu a board, dark behind the items so that both
    // the plain and the lit item stand out, and lets the stripes show round
    // its picture.
    EXPECT_EQ(count_mask(title, 300, 414, 404, 462), 0) << "menu board";
    for (int y = 418; y < 458; y++)
        for (int x : {303, 372}) {
            int c = getpixel(title, x, y);
            EXPECT_LT(getr32(c) + getg32(c) + getb32(c), 240) << "behind the menu at " << x << ", " << y;
        }
    int stripes = count_mask(title, 0, 0, 640, 480);
    EXPECT_GT(stripes, 640 * 480 / 4);
    EXPECT_LT(stripes, 640 * 480 * 9 / 10) << "the title must show something";
}

TEST_F(Pictures, FiguresStandOnTheirFeetAtTheBottomCentre)
{
    // The levels place a figure by its feet: 16 pixels right of its left edge,
    // on its bottom row.
    for (Named n : {Named{"child", child1}, Named{"nanny", nanny1}}) {
        Box all = painted(n.bmp, 0, 0, 32, 32);
        EXPECT_EQ(all.bottom, 31) << n.name;
        Box feet = painted(n.bmp, 0, 31, 32, 1);
        EXPECT_NEAR((feet.left + feet.right) / 2.0, 15.5, 1.0) << n.name;
        EXPECT_NEAR((all.left + all.right) / 2.0, 15.5, 1.0) << n.name;
        EXPECT_GE(all.right - all.left + 1, 10) << n.name << " too thin to read";
    }
    // The nanny stands clearly taller than the child, so the two read apart.
    EXPECT_LE(painted(nanny1, 0, 0, 32, 32).top + 6, painted(child1, 0, 0, 32, 32).top);
    // The trolley rolls on its bottom row and fills most of its width.
    Box t = painted(trolley3, 0, 0, 190, 122);
    EXPECT_EQ(t.bottom, 121);
    EXPECT_GE(t.right - t.left + 1, 120);
}

TEST_F(Pictures, LevelTwoIconsTellTheirStatesApart)
{
    // Rows: state -1 at 0, state 0 at 1, state 1 at 2. Each icon covers the
    // middle of its place.
    for (int col = 0; col < 3; col++)
        for (int row = 0; row < 3; row++)
            EXPECT_EQ(count_mask(l2sprites, col * 128 + 32, row * 128 + 32, col * 128 + 96, row * 128 + 96), 0)
                << "icon " << col << ", row " << row;

    // A third of an icon or more changes: the ready signal between its two
    // states, the two questions, the two answers, and a question arriving
    // after the waiting picture.
    EXPECT_GT(cell_difference(0, 0, 0, 1), 0.33);
    EXPECT_GT(cell_difference(1, 0, 1, 2), 0.33);
    EXPECT_GT(cell_difference(2, 0, 2, 2), 0.33);
    EXPECT_GT(cell_difference(1, 1, 1, 0), 0.33);
    EXPECT_GT(cell_difference(1, 1, 1, 2), 0.33);
    EXPECT_GT(cell_difference(2, 1, 2, 0), 0.33);
    EXPECT_GT(cell_difference(2, 1, 2, 2), 0.33);

    // A right answer pairs alike-looking icons: question -1 (wants Up) with
    // answer 1 (Up), question 1 (wants Down) with answer -1 (Down).
    double wants_up[3], wants_down[3], gave_up[3], gave_down[3];
    cell_colour(1, 0, wants_up);
    cell_colour(1, 2, wants_down);
    cell_colour(2, 2, gave_up);
    cell_colour(2, 0, gave_down);
    EXPECT_LT(colour_distance(wants_up, gave_up), colour_distance(wants_up, gave_down));
    EXPECT_LT(colour_distance(wants_down, gave_down), colour_distance(wants_down, gave_up));

    // And by shape, for whoever does not tell the colours apart: the tab on
    // the right of Pip's card fits the notch on the left of the right answer
    // and not that of the wrong one.
    double tab_up = fullness(128 + 114, 64, 14, false), tab_down = fullness(128 + 114, 256 + 64, 14, false);
    double notch_up = fullness(256 + 4, 256 + 64, 16, true), notch_down = fullness(256 + 4, 64, 16, true);
    ASSERT_GT(tab_up * tab_down * notch_up * notch_down, 0) << "a card without its tab or notch";
    EXPECT_LT(std::fabs(tab_up - notch_up), std::fabs(tab_up - notch_down));
    EXPECT_LT(std::fabs(tab_down - notch_down), std::fabs(tab_down - notch_up));

    // Waiting icons (state 0) are grey beside every icon in play, so the eye
    // follows the bell, then the wish, then the answer.
    double most_waiting = 0, least_playing = 1e9;
    for (int col = 0; col < 3; col++)
        for (int row = 0; row < 3; row++)
            if (row == 1)
                most_waiting = std::max(most_waiting, cell_chroma(col, row));
            else if (col > 0 || row == 0)   // the bell never shows state 1
                least_playing = std::min(least_playing, cell_chroma(col, row));
    EXPECT_LT(most_waiting * 2, least_playing);
}
