// Storage for the search's per-ply candidate lists. A run of lone forced replies is
// followed past every depth limit until the board fills, some 400 plies, so the lists
// live here, one per ply, rather than in alphabeta's frames, which stay a few words each.
#include "search/classic/ply_lists.h"

namespace {
move_list lists[MAX_PLY];
} // namespace

move_list &ply_list(int ply) {
    if (ply < 0 || ply >= MAX_PLY) fatal("ply_list: ply %d out of range", ply);
    return lists[ply];
}
