// Move lists: the capacity guard, quiet_after, and the hits and tags mark_hits gives. The
// reference test holds the stable sort to a plain one on the generator's lists.
#include <gtest/gtest.h>

#include <memory>

#include "lists.h"

namespace {

std::unique_ptr<move_list> empty_list() {
    auto list = std::make_unique<move_list>();
    list->n = 0;
    return list;
}

TEST(UlozTah, FullListEndsTheProcess) {
    auto list = empty_list();
    for (int i = 0; i < MAX_MOVES; i++)
        EXPECT_EQ(uloz_tah(i % 20, i / 20 % 20, point_info{1, 1, 0, 0, 0}, 0, *list), 0);
    EXPECT_EQ(list->n, MAX_MOVES);
    EXPECT_EXIT(uloz_tah(3, 3, point_info{1, 1, 0, 0, 0}, 0, *list), testing::ExitedWithCode(1),
                "uloz_tah: preteceni ts, n=422\n");
}

// A source list of six records on row 1 (x = 0..5) and an output list whose last record is
// the square (at, 1).
struct quiet_case {
    int at;        // x of the last output record; -1: nothing output
    int src_count; // records of the source looked at
    const char *expect, *why;
};

const quiet_case quiet_cases[] = {
    {-1, 6, "", "nothing output yet"},
    {0, 6, "(2,1,2,1,1,0,0,0) (5,1,1,1,1,0,0,0)", "quiet single threats below the match"},
    {2, 6, "(5,1,1,1,1,0,0,0)", "never the match or what stands before it"},
    {5, 6, "", "the match is the last counted record"},
    {0, 4, "(2,1,2,1,1,0,0,0)", "records past the count are not looked at"},
    {5, 4, "", "the last output record is not among the counted records"},
    {9, 6, "", "the last output record is not in the source at all"},
};

TEST(QuietAfter, NextQuietSingleThreatSquaresBelowTheCut) {
    auto src = empty_list();
    const point_info infos[6] = {{2, 2, 1, 0, 0}, {2, 2, 1, 1, 0}, {2, 1, 1, 0, 0},
                                 {2, 1, 1, 0, 0}, {1, 2, 0, 0, 0}, {1, 1, 1, 0, 0}};
    for (int x = 0; x < 6; x++)
        uloz_tah(x, 1, infos[x], x == 3 ? 1 : 0, *src); // 1: hits, 3: tag, 4: threat 0
    for (const quiet_case &c : quiet_cases) {
        auto out = empty_list(), scratch = empty_list();
        uloz_tah(7, 7, {1, 1, 1, 0, 0}, 0, *out);
        if (c.at >= 0)
            uloz_tah(c.at, 1, {3, 1, 0, 0, 0}, 2, *out);
        else
            out->n = 0;
        uloz_tah(8, 8, {1, 1, 1, 0, 0}, 0, *scratch); // left over from an earlier call
        EXPECT_EQ(quiet_after(*out, *src, c.src_count, *scratch), scratch->n) << c.why;
        EXPECT_EQ(list_text(*scratch, scratch->n), c.expect) << c.why;
    }
}

// Entries (7,5), (6,6), (7,5) against records at (7,5) and (9,9), for flag and value pairs
// and the tag a match gives.
TEST(MarkHits, HitsPerListingTagOfTheLessForcing) {
    const int cases[][3] = {{1, 2, 1},  {1, -2, 1}, {1, 1, 1},   {1, -1, 1}, {0, 2, 0},
                            {0, -1, 0}, {1, 0, 0},  {2, -1, -1}, {-2, 1, 1}, {-1, 1, -1}};
    for (const auto &c : cases) {
        auto list = std::make_unique<square_list>();
        list->n = 0;
        for (int x : {7, 6, 7}) uloz_tah_t(x, x == 7 ? 5 : 6, *list);
        move_rec moves[2] = {{7, 5, {2, 2, 1, 1, 0}, 2}, {9, 9, {1, 1, 0, 0, 3}, -2}};
        mark_hits(*list, moves, 2, c[0], c[1]);
        EXPECT_EQ(info_text(moves[0].info), "(2,2,1,3,0)") << c[0] << "," << c[1];
        EXPECT_EQ(moves[0].tag, c[2]) << c[0] << "," << c[1];
        EXPECT_EQ(info_text(moves[1].info), "(1,1,0,0,3)");
        EXPECT_EQ(moves[1].tag, -2);
    }
}

} // namespace
