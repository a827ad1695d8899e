// The scan from ply 2 on, where no square gains hits: a filed record's rank (count, threat,
// windows) is one of a few buckets, so the scan notes each record compactly with its
// bucket and counts the buckets, and then writes the records that can matter once,
// straight to their ranked places. Records of equal rank keep scan order, as the stable
// ranking has them.
#include <bit>

#include "movegen/scan.h"

namespace {

struct noted {
    short cell;
    signed char tag;
    unsigned char bucket;
};

// One list's records in scan order, and how many fall in each bucket. A list gets at most
// one record per square.
struct noted_list {
    int n;
    int size[RANK_BUCKETS];
    noted rec[BOARD_CELLS];
};
static_assert(BOARD_CELLS <= MAX_MOVES, "a ranked list fits a move list");

void note(noted_list &l, int c, int tag, int bucket) {
    l.rec[l.n++] = noted{static_cast<short>(c), static_cast<signed char>(tag),
                         static_cast<unsigned char>(bucket)};
    l.size[bucket]++;
}

// From ply 2 on the selection and the score read only the head of each list: the fours
// (count 3 and up, buckets from 41), the records tagged above 0 (fours and open threes,
// buckets from ALWAYS_KEPT), the first nine records, and up to nine others. So every record
// from ALWAYS_KEPT up is written, and then whole buckets below it until nine records below
// it are; the rest are left out.
constexpr int ALWAYS_KEPT = 22; // count 2, threat 0, windows 2
constexpr int KEPT_BELOW = 9;

// The records of `l`, with the live analyses of colour index `colour`, into `list` in rank
// order, down to the cut above.
void place(const noted_list &l, int colour, move_list &list) {
    int first[RANK_BUCKETS];
    int kept = 0, below = 0, lowest = RANK_BUCKETS - 1;
    for (; lowest >= 0; lowest--) {
        if (lowest < ALWAYS_KEPT && below >= KEPT_BELOW) break;
        first[lowest] = kept;
        kept += l.size[lowest];
        if (lowest < ALWAYS_KEPT) below += l.size[lowest];
    }
    lowest++;
    for (int i = 0; i < l.n; i++) {
        const noted &r = l.rec[i];
        if (r.bucket < lowest) continue;
        list.rec[first[r.bucket]++] =
            move_rec{r.cell / MAX_DIM, r.cell % MAX_DIM, live.info[r.cell][colour], r.tag};
    }
    list.n = kept;
}

} // namespace

// The filing rules of file_square, without threat squares (none are gathered from ply 2 on).
int scan_ranked(int side, int parent_tag, scan_state &st, move_list &out) {
    const int three_tag = parent_tag != 0 ? 1 : 0;
    const int own_colour = side == 1 ? 0 : 1;
    noted_list own_noted, opp_noted;
    own_noted.n = opp_noted.n = 0;
    for (int b = 0; b < RANK_BUCKETS; b++) own_noted.size[b] = opp_noted.size[b] = 0;
    for (int x = 0; x < game.dim; x++) {
        for (unsigned bits = live.candidates[x]; bits != 0; bits &= bits - 1) {
            const int y = std::countr_zero(bits), c = cell(x, y);
            const point_info *infos = live_infos(x, y);
            const point_info &own = infos[own_colour], &opp = infos[1 - own_colour];
            if (own.count == 4) {
                uloz_tah(x, y, own, 3, out);
                return 1;
            }
            const int own_bucket = live.bucket[c][own_colour],
                      opp_bucket = live.bucket[c][1 - own_colour];
            // 1. The side to move's view ranks at least as high: file it there only.
            if (own_bucket >= opp_bucket) {
                int tag = 0;
                if (own.count == 3) {
                    tag = st.attack_tag;
                    st.own_fours++;
                } else if (own.count == 2 && own.windows >= 2) {
                    tag = three_tag;
                }
                note(own_noted, c, tag, own_bucket);
                continue;
            }
            // 2. The opponent's view ranks higher; an own open three on its simple four
            //    square is kept, and an own four always.
            if (opp.count >= 3) st.opp_fours++;
            if (opp.count == 3 && opp.windows == 1 && own.count == 2) {
                if (own.windows >= 2) note(own_noted, c, three_tag, own_bucket);
                note(opp_noted, c, 0, opp_bucket);
                continue;
            }
            note(opp_noted, c, 0, opp_bucket);
            if (own.count == 3) {
                note(own_noted, c, st.attack_tag, own_bucket);
                st.own_fours++;
            }
        }
    }
    place(own_noted, own_colour, st.own_list);
    place(opp_noted, 1 - own_colour, st.opp_list);
    return 0;
}
