#include "gui/activation/CvSet.h"

#include <gtest/gtest.h>

#include "gui/shell/ActivateProfile.h"
#include "gui/store/ProfileStore.h"
#include "gui/ui/Application.h"
#include "tests/support/FakeCommands.h"
#include "tests/support/RegistrySandbox.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/ServerThread.h"
#include "win/RegKey.h"

namespace cvn::activation {
namespace {

std::vector<std::string> Lines(const std::string& log) {
  std::vector<std::string> lines;
  for (std::size_t start = 0, end; (end = log.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(log.substr(start, end - start));
  }
  return lines;
}

bool Always(const win::RegKey&) { return true; }

// A component selected by one flag of the profile.
ComponentStep FlagStep(const std::string& flag, const std::string& title) {
  return {[flag](const win::RegKey& profile) { return profile.ReadDword(flag).value_or(0) != 0; },
          [title](ActivationContext& run) { run.CloseRow(run.OpenRow(title), 'Y'); }};
}

// A component done by the program itself.
ComponentStep LocalStep(const std::string& title, std::function<void()> during = {}) {
  return {Always, [title, during](ActivationContext& run) {
            const int row = run.OpenRow(title);
            if (during) during();
            run.CloseRow(row, 'Y');
          }};
}

// A component carried out by the service.
ComponentStep ServiceStep(const std::string& title, const std::string& command) {
  return {Always, [title, command](ActivationContext& run) { run.SendServiceCommand(command, run.OpenRow(title)); }};
}

class CvSetTest : public test::RegistrySandbox {
 protected:
  void SetUp() override {
    RegistrySandbox::SetUp();
    store::CreateProfile("Office", 0, "");
  }
  void TearDown() override {
    shell_.window.reset();
    server_.reset();
    RegistrySandbox::TearDown();
  }

  TCvSetForm& Run(const std::string& profile, ComponentSequence components) {
    shell_.components = std::move(components);
    if (shell_.pipeName == kPipeName) shell_.pipeName = "\\\\.\\PIPE\\cvn_no_service_here";
    shell::ActivateProfile(shell_, profile, false);
    return *shell_.window;
  }
  void StartService() {
    server_ = std::make_unique<test::ServerThread>(commands_);
    shell_.pipeName = server_->PipeName();
  }
  std::vector<std::string> Rows(const TCvSetForm& form) {
    std::vector<std::string> rows;
    for (int i = 0; i < form.StateList.Count(); ++i) {
      rows.push_back(form.StateList.Text(i, 0) + "|" + form.StateList.Text(i, 1) + "|" +
                     std::to_string(form.StateList.Image(i)));
    }
    return rows;
  }
  std::string Stored(const char* name) {
    win::RegKey key;
    key.Open(HKEY_CURRENT_USER, store::kAppKeyPath);
    return key.ReadString(name).value_or("<missing>");
  }

  test::ScriptedDialogs dialogs_;
  test::FakeCommands commands_;
  std::unique_ptr<test::ServerThread> server_;
  shell::ActivationShell shell_;
};

TEST_F(CvSetTest, ProfileWithoutSelectorFlagsLogsStartEmptyAndEndLines) {
  {
    win::RegKey key;
    key.Open(HKEY_CURRENT_USER, store::ProfileKeyPath("Office"), KEY_WRITE);
    key.WriteDword("sIni", 0);  // present but off
  }
  TCvSetForm& empty = Run("Office", {{FlagStep("sPrinter", "Default printer")}, {FlagStep("sIni", "Ini files")}});
  const std::vector<std::string> lines = Lines(empty.LogText());
  ASSERT_EQ(3u, lines.size());
  EXPECT_EQ(0u, lines[0].find(">>> Office, "));
  EXPECT_EQ("", lines[1]);
  EXPECT_EQ(0u, lines[2].find(">>> "));
  EXPECT_EQ((std::vector<std::string>{"Done||4"}), Rows(empty));
  EXPECT_EQ("", empty.TitleLb.Caption());
  EXPECT_TRUE(empty.CloseBtn.Enabled());
  EXPECT_EQ(empty.LogText(), Stored("LastLog"));
  EXPECT_EQ("Office", Stored("His1"));
  EXPECT_EQ("CVN - Office", empty.Caption());
}

TEST_F(CvSetTest, MissingProfileIsLoggedAndStillRecorded) {
  TCvSetForm& form = Run("Nowhere", {{LocalStep("Printer")}, {}});
  const std::vector<std::string> lines = Lines(form.LogText());
  ASSERT_EQ(2u, lines.size());
  EXPECT_EQ(">>> Profile not found <<<", lines[1]);
  EXPECT_EQ("x Nowhere not found", form.TitleLb.Caption());
  EXPECT_EQ(0, form.StateList.Count());
  EXPECT_EQ(form.LogText(), Stored("LastLog"));
  EXPECT_EQ("Nowhere", Stored("His1"));
}

TEST_F(CvSetTest, StoppedServiceEndsTheRunAtTheFirstServiceCommand) {
  TCvSetForm& form = Run("Office", {{LocalStep("Default printer"), ServiceStep("Network", "\x81x"),
                                     LocalStep("Map network drive")},
                                    {LocalStep("Ini files")}});
  EXPECT_EQ((std::vector<std::string>{"Default printer|Y|0", "Network|N|1"}), Rows(form));
  const std::vector<std::string> lines = Lines(form.LogText());
  const std::vector<std::string> tail(lines.end() - 3, lines.end());
  EXPECT_EQ((std::vector<std::string>{"[x] Service may stop running: 2", "[x] Can not connect to the service, exit",
                                      "Please refer to the trouble shooting guide for solution."}),
            tail);
  EXPECT_EQ("Can not connect to the service", form.TitleLb.Caption());
  EXPECT_EQ(form.LogText(), Stored("LastLog"));
}

TEST_F(CvSetTest, ServiceReplyMarksTheRowAndGoesToTheLog) {
  StartService();
  commands_.reply = {'M', "Adapter 1:\r\nFailed to disable\r\n"};
  TCvSetForm& form = Run("Office", {{ServiceStep("Network", "\x81x"), ServiceStep("Suffixes", "\x82?")},
                                    {LocalStep("Ini files")}});
  EXPECT_EQ((std::vector<std::string>{"Network|M|2", "Suffixes|M|2", "Ini files|Y|0", "Done||4"}), Rows(form));
  EXPECT_NE(std::string::npos, form.LogText().find("*** Network\r\nAdapter 1:\r\nFailed to disable\r\n\r\n"));
  EXPECT_EQ((std::vector<std::string>{"SetAdapters 0 x", "SetSuffixList ?"}), commands_.Calls());
}

TEST_F(CvSetTest, CancelWhileAReplyIsAwaitedClosesTheRowWithN) {
  StartService();
  const win::UniqueHandle release(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  commands_.holdUntil = release.Get();
  dialogs_.answers = {IDYES};
  // The service presses Esc on the activation window as the command arrives.
  HWND formWindow = nullptr;
  commands_.onCall = [&formWindow] { PostMessageA(formWindow, WM_KEYDOWN, VK_ESCAPE, 0); };
  TCvSetForm& form = Run("Office", {{{Always,
                                      [&](ActivationContext& run) {
                                        formWindow = shell_.window->Handle();
                                        run.SendServiceCommand("\x8Bw", run.OpenRow("Workgroup"));
                                      }},
                                     LocalStep("Timezone")},
                                    {}});
  SetEvent(release.Get());
  EXPECT_EQ((std::vector<std::string>{"Profile activation is ongoing!\rDo you want to stop activation anyway?"}),
            dialogs_.shown);
  EXPECT_EQ((std::vector<std::string>{"Workgroup|N|1"}), Rows(form));
  EXPECT_EQ("[x] Error occured during reciving result", Lines(form.LogText()).back());
  EXPECT_EQ("Lost connection with service", form.TitleLb.Caption());
  EXPECT_TRUE(form.CloseBtn.Enabled());
}

TEST_F(CvSetTest, EscapeAnsweredNoKeepsRunning) {
  dialogs_.answers = {IDNO};
  TCvSetForm& form = Run("Office", {{LocalStep("Default printer", [this] {
                                       PostMessageA(shell_.window->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
                                       ui::ProcessMessages();
                                     })},
                                    {}});
  EXPECT_EQ(1u, dialogs_.shown.size());
  EXPECT_EQ("Done||4", Rows(form).back());
}

TEST_F(CvSetTest, ProgressBarAppearsOnlyForLongActivations) {
  shell_.timings = {30, 10, 1000};
  bool shownDuringLongStep = false;
  Run("Office", {{LocalStep("Slow", [&] {
                   for (int i = 0; i < 40; ++i) {
                     Sleep(10);
                     ui::ProcessMessages();
                   }
                   shownDuringLongStep = shell_.window->Prgs.Visible();
                 })},
                {}});
  EXPECT_TRUE(shownDuringLongStep);
  EXPECT_FALSE(shell_.window->Prgs.Visible());

  shell_.timings = {};
  bool shownDuringShortRun = true;
  Run("Office", {{LocalStep("Quick", [&] { shownDuringShortRun = shell_.window->Prgs.Visible(); })}, {}});
  EXPECT_FALSE(shownDuringShortRun);
}

TEST_F(CvSetTest, AutoCloseClosesOnlyAfterARunThatReachedTheEnd) {
  {
    win::RegKey key;
    key.Create(HKEY_CURRENT_USER, store::kAppKeyPath);
    key.WriteDword("AutoClose", 1);
  }
  shell_.timings = {8000, 1000, 50};
  dialogs_.answers = {IDYES};
  TCvSetForm& cancelled = Run("Office", {{LocalStep("Printer", [this] {
                                            PostMessageA(shell_.window->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
                                            ui::ProcessMessages();
                                          }),
                                          LocalStep("Never")},
                                         {}});
  ui::ProcessMessages();
  EXPECT_TRUE(cancelled.Exists());
  EXPECT_EQ("Cancel by user", cancelled.TitleLb.Caption());

  TCvSetForm& completed = Run("Office", {});
  ui::ProcessMessages();
  EXPECT_FALSE(completed.Exists());

  // A run that did not get to the end stays open so its failure can be read.
  TCvSetForm& failed = Run("Nowhere", {});
  ui::ProcessMessages();
  EXPECT_TRUE(failed.Exists());
}

TEST_F(CvSetTest, SecondStartWhileRunningIsDropped) {
  std::string nestedLog;
  Run("Office", {{LocalStep("Default printer", [this, &nestedLog] {
                   shell::ActivateProfile(shell_, "Office", false);
                   nestedLog = shell_.window->LogText();
                 })},
                {}});
  EXPECT_EQ(0u, nestedLog.find(">>> Office, "));  // still the first run's window and log
  EXPECT_EQ("Done||4", Rows(*shell_.window).back());
}

}  // namespace
}  // namespace cvn::activation
