#pragma once
// Move lists kept in order of score, best first: the search's and the threat solver's.

// Puts square c of score s into moves/order (n entries, at most cap) after the entries of
// higher or equal score, so that of equal scores the one put first stays first; drops the
// lowest when the list is full. Returns the new count.
inline int insert_by_score(int *moves, int *order, int n, int cap, int c, int s) {
    if (n == cap && (n == 0 || order[n - 1] >= s)) return n;
    int j = n < cap ? n++ : n - 1;
    while (j > 0 && order[j - 1] < s) {
        moves[j] = moves[j - 1];
        order[j] = order[j - 1];
        j--;
    }
    moves[j] = c;
    order[j] = s;
    return n;
}
