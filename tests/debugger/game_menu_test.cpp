#include "debugger_fixture.h"

namespace tarvolin::test {
namespace {

TEST_F(GameLoadingTest, CheatsAndSetCurrentTimeBelongToCatalogueGames) {
    Settings.SetROMFile("TG01", Dir.Write("tg.rom", ROM));
    ASSERT_TRUE(Debugger.Loading().LoadGameFromMenu(&TestGameClass));
    EXPECT_TRUE(View.States.SetCurrentTime);
    Debugger.GameMenu().ShowCheats();
    EXPECT_EQ(Prompter.LastText(), "Press K1 to cheat.");
    EXPECT_EQ(Prompter.Messages.back().Kind, TMessageKind::Information);
}

} // namespace
} // namespace tarvolin::test
