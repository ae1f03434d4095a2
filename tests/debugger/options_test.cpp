// The options dialog's OK: options in force, the interface language stored per executable for
// the next start, the restart question, and failures that say what went wrong.
#include "base/interface_language.h"
#include "debugger_fixture.h"
#include "persist/language_choice.h"

namespace tarvolin::test {
namespace {

// A store whose writes can be made to fail, like a settings file on a full disk.
class TFailingStore : public TMemorySettingsStore {
public:
    bool FailFlush = false;
    bool Flush() override { return !FailFlush; }
};

struct TOptionsRig {
    TFailingStore Store;
    TSettings Settings{Store};
    TScriptedPrompter Prompter;
    TOptionsControl Control{Settings, Prompter, "/opt/tarvolin bin/tarvolin"};
    int Restarts = 0;
    TOptionsRig() { Control.OnRestart = [this] { ++Restarts; }; }
};

class OptionsTest : public DebuggerTest {
protected:
    void TearDown() override {
        SetRussianUIActive(false);
        DebuggerTest::TearDown();
    }
};

TEST_F(OptionsTest, OKPutsEveryValueInForceAndSavesItButNeverHighContrast) {
    TOptionsRig R;
    Options().HighContrast = true;
    TOptionsDialogValues V = R.Control.DialogValues();
    EXPECT_EQ(V, TOptionsDialogValues{}); // the defaults, English running
    V = {true, true, false, 2, true, true, false};
    EXPECT_TRUE(R.Control.Accept(V));
    EXPECT_EQ(R.Control.DialogValues(), V);
    EXPECT_EQ(R.Store.Read("", "InstructionMnemonics"), "2");
    EXPECT_EQ(R.Store.Read("", "UseMAMEKeyMapping"), "1");
    EXPECT_EQ(R.Store.Read("", "AppendDisAsmComments"), "0");
    EXPECT_FALSE(R.Store.Read("", "HighContrast"));
    EXPECT_TRUE(R.Prompter.Messages.empty());
    EXPECT_EQ(R.Restarts, 0);
}

TEST_F(OptionsTest, ALanguageChangeIsStoredForTheNextStartAndOffersARestart) {
    const std::string Question =
        "For the new language to take effect, the debugger must be restarted.\nDo you want to restart it now?";
    struct TCase {
        const char* Name;
        bool RunningRussian, ChooseRussian;
        TMessageResult Answer;
        bool FlushFails;
        bool AskedToRestart, Restarted, StoredRussian;
        const char* Error;
    } Cases[] = {
        {"the running language again asks nothing", false, false, TMessageResult::Yes, false, false, false, false, ""},
        {"Russian, restart now", false, true, TMessageResult::Yes, false, true, true, true, ""},
        {"Russian, restart later", false, true, TMessageResult::No, false, true, false, true, ""},
        {"back to English", true, false, TMessageResult::No, false, true, false, false, ""},
        {"the choice cannot be stored", false, true, TMessageResult::Yes, true, false, false, true,
         "Unable to set the language."},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        TOptionsRig R;
        SetRussianUIActive(C.RunningRussian);
        if (C.RunningRussian) SetInterfaceLanguage(R.Store, "/opt/tarvolin bin/tarvolin", true);
        R.Store.FailFlush = C.FlushFails;
        R.Prompter.Answers.push_back(C.Answer);
        TOptionsDialogValues V = R.Control.DialogValues();
        EXPECT_EQ(V.Russian, C.RunningRussian);
        V.Russian = C.ChooseRussian;
        R.Control.Accept(V);
        EXPECT_EQ(!R.Prompter.Texts(TMessageKind::Warning).empty() &&
                      R.Prompter.Texts(TMessageKind::Warning).front() == Question,
                  C.AskedToRestart);
        EXPECT_EQ(R.Restarts, C.Restarted ? 1 : 0);
        EXPECT_EQ(RussianChosenFor(R.Store, "/opt/tarvolin bin/tarvolin"), C.StoredRussian);
        // The choice is this executable's only.
        EXPECT_FALSE(RussianChosenFor(R.Store, "/opt/tarvolin bin/tarvolin2"));
        if (*C.Error) {
            ASSERT_FALSE(R.Prompter.Texts(TMessageKind::Error).empty());
            EXPECT_EQ(R.Prompter.Texts(TMessageKind::Error).front(), C.Error);
        }
        // The running interface never changes during a run.
        EXPECT_EQ(RussianUIActive(), C.RunningRussian);
    }
}

TEST_F(OptionsTest, SettingsThatCannotBeSavedAreReportedButInForce) {
    TOptionsRig R;
    R.Store.FailFlush = true;
    TOptionsDialogValues V;
    V.UseLFSRAddressing = true;
    EXPECT_FALSE(R.Control.Accept(V));
    EXPECT_EQ(R.Prompter.Texts(TMessageKind::Error), std::vector<std::string>{"Unable to save the settings."});
    EXPECT_TRUE(Options().UseLFSRAddressing);
}

TEST_F(OptionsTest, SwitchingMnemonicsChangesTheListingAndTheHintAtOnce) {
    Load();
    for (int i = 0; i < 3; ++i) Debugger.Run().TraceInto(); // PC at the call: its hint names it
    const int Row = Debugger.Navigation().AddrToItemIndex(0x3C0);
    const std::string Native = Debugger.Navigation().Listing().Entries()[size_t(Row)].Text;
    const std::string Hint = View.Hint;
    TOptionsDialogValues V = Debugger.OptionsDialog().DialogValues();
    V.InstructionMnemonics = 2; // the KB1013VK1-2 names on an SM-5A game
    Debugger.OptionsDialog().Accept(V);
    Debugger.OptionsChanged();
    EXPECT_NE(Debugger.Navigation().Listing().Entries()[size_t(Row)].Text, Native);
    EXPECT_NE(View.Hint, Hint);
}

} // namespace
} // namespace tarvolin::test
