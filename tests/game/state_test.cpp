// The diagnostic printer: what the protocol cannot show.
#include <gtest/gtest.h>

#include "game/game.h"

namespace {

TEST(GameStateDeathTest, PrinterFlag) {
    EXPECT_EXIT(tisk(game.board, 'q'), testing::ExitedWithCode(1), "tisk: neznamy priznak q");
}

} // namespace
