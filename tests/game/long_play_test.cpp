// Long play with the real audio module: the whole road a thousand times in
// one process, every play alike, resident memory flat.
#include "support/harness.h"
#include "support/road.h"

#include <cstdlib>
#include <fstream>
#include <unistd.h>

extern int players_started;
extern int players_stopped;

namespace {

long resident_kib()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

int plays_wanted()
{
    const char *n = getenv("NANNYDAY_LONG_PLAYS");
    return n ? atoi(n) : 1000;
}

} // namespace

TEST(LongPlay, ThousandRoadsPlayAlikeWithFlatMemory)
{
    start_headless();
    load_game_data();
    ASSERT_EQ(chdir(data_dir().c_str()), 0);
    init_sound();   // the real effects and tracks; a player per music switch

    int plays = plays_wanted();
    RoadResult first = play_road();
    ASSERT_EQ(first.failure, "");
    ASSERT_EQ(first.status, 0);
    long settled = 0;
    int started = players_started;
    for (int i = 2; i <= plays; i++) {
        RoadResult r = play_road();
        ASSERT_EQ(r.failure, "") << "play " << i;
        ASSERT_EQ(r.hash, first.hash) << "play " << i << " differs from the first";
        ASSERT_EQ(r.frames, first.frames) << "play " << i;
        ASSERT_NE(dplay, nullptr);
        // One player lives on, the title's; every other one was ended.
        ASSERT_EQ(players_started - players_stopped, 1) << "play " << i;
        if (i == 20)
            settled = resident_kib();
        if (i % 250 == 0)
            printf("after %d plays: %ld KiB resident\n", i, resident_kib());
    }
    long end = resident_kib();
    printf("%d plays of %d frames and %ld ticks; resident %ld KiB after 20 plays, %ld KiB at the end\n",
           plays, first.frames, first.ticks, settled, end);
#if defined(__SANITIZE_ADDRESS__)
    (void)settled;   // the sanitizer holds freed memory back; its leak check stands in
#else
    if (plays >= 100) {
        EXPECT_LT(end - settled, 256) << "resident memory grew";
    }
#endif
    EXPECT_EQ(players_started - started, 9 * (plays - 1)) << "a player for each of the nine music switches";
}
