#include "CvSet.h"

#include "gui/store/AppSettings.h"
#include "gui/store/ProfileStore.h"
#include "gui/ui/Application.h"
#include "gui/ui/Dialogs.h"
#include "gui/ui/Icons.h"

namespace cvn::activation {
namespace {

enum RowImage { kImageDone, kImageFailed, kImagePartly, kImageComponent, kImageFinished };

constexpr int kWidth = 340;  // room for both columns (280 and 32) and a scroll bar
constexpr int kHeight = 292;

// The user's short date and long time, as the log shows them.
std::string Now() {
  char date[64] = "", time[64] = "";
  GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, date, sizeof date);
  GetTimeFormatA(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, time, sizeof time);
  return std::string(date) + " " + time;
}

// Waits without freezing the window.
void WaitProcessingMessages(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  for (DWORD elapsed = 0; elapsed < milliseconds; elapsed = GetTickCount() - start) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - elapsed, QS_ALLINPUT);
    ui::ProcessMessages();
  }
}

}  // namespace

TCvSetForm::TCvSetForm(HWND owner, ComponentSequence components, AutoCloseMark& autoClose,
                       ActivationTimings timings, std::string pipeName)
    : components_(std::move(components)),
      autoClose_(autoClose),
      timings_(timings),
      client_({[this](const std::string& line) { Log(line); }, [] { ui::ProcessMessages(); },
               [this] { return cancelled_; }},
              std::move(pipeName)) {
  CreateForm("", kWidth, kHeight, WS_POPUP | WS_CAPTION, owner);
  keyPreview = true;
  CreateControls();
  CenterOver(owner);
}

void TCvSetForm::CreateControls() {
  TitleLb.Create(*this, "Processing ...", 0, 0, kWidth, 24, SS_CENTER | SS_CENTERIMAGE);
  SetStaticColors(TitleLb.Handle(), RGB(255, 255, 255), RGB(0, 64, 128));

  Icons.Create(12, 12);
  for (COLORREF color : {RGB(0, 160, 0), RGB(200, 0, 0), RGB(230, 160, 0), RGB(40, 90, 200), RGB(0, 110, 60)}) {
    const HICON icon = ui::CreateDotIcon(12, color);
    Icons.AddIcon(icon);
    DestroyIcon(icon);
  }
  StateList.Create(*this, 8, 30, kWidth - 16, 200, LVS_NOCOLUMNHEADER | LVS_SINGLESEL | LVS_NOSORTHEADER,
                   LVS_EX_GRIDLINES);
  StateList.AddColumn(280);
  StateList.AddColumn(32);
  StateList.SetSmallImages(Icons);

  Prgs.Create(*this, 8, 236, kWidth - 16, 12);
  Prgs.SetMax(80);
  Prgs.SetStep(1);
  Prgs.SetVisible(false);
  PrgsTimer.onTimer = [this] { ProgressTick(); };
  PrgsTimer.Create(*this, timings_.progressFirstMs, true);

  CloseBtn.Create(*this, "Close", 8, 258, 104, 26);
  Detail.Create(*this, "Detail ...", 118, 258, 104, 26);
  ShowMain.Create(*this, "Main window", 228, 258, 104, 26);
  CloseBtn.onClick = [this] {
    ui::ProcessMessages();
    Close();
  };
  Detail.onClick = [this] { ShowLog(); };
  ShowMain.onClick = [this] {
    if (onShowMain) onShowMain();
    Close();
  };
  SetButtonsEnabled(false);
}

void TCvSetForm::SetButtonsEnabled(bool enabled) {
  CloseBtn.SetEnabled(enabled);
  Detail.SetEnabled(enabled);
  ShowMain.SetEnabled(enabled);
}

void TCvSetForm::ProgressTick() {
  if (!progressShown_) {
    progressShown_ = true;
    Prgs.SetVisible(true);
    PrgsTimer.SetInterval(timings_.progressTickMs);
    return;
  }
  Prgs.StepIt();
  if (Prgs.Position() >= 80) Prgs.SetPosition(0);
}

void TCvSetForm::RunInteractive(const std::string& profileName) {
  cancelled_ = false;
  log_.clear();
  running_ = true;
  bool completed = false;
  try {
    completed = RunSequence(profileName);
  } catch (...) {
    Finish(profileName);
    throw;
  }
  Finish(profileName);
  if (completed && autoClose_.set) {
    WaitProcessingMessages(timings_.autoCloseDelayMs);
    Close();
  }
}

void TCvSetForm::RunSilent(const std::string& profileName) {
  cancelled_ = false;
  log_.clear();
  Prgs.SetEnabled(false);
  running_ = true;
  try {
    RunSequence(profileName);
  } catch (...) {
    // Nobody watches a silent run: what was logged up to the error is still recorded.
  }
  running_ = false;
  store::WriteLastActivation(log_, profileName);
  DestroyWindow(Handle());
}

void TCvSetForm::Finish(const std::string& profileName) {
  running_ = false;
  PrgsTimer.SetEnabled(false);
  Prgs.SetVisible(false);
  SetButtonsEnabled(true);
  store::WriteLastActivation(log_, profileName);
}

bool TCvSetForm::RunSequence(const std::string& profileName) {
  connectAttempted_ = connectionLost_ = false;
  Log(">>> " + profileName + ", " + Now() + " <<<");
  if (profileName.empty() || profile_.Open(HKEY_CURRENT_USER, store::ProfileKeyPath(profileName)) != ERROR_SUCCESS) {
    Log(">>> Profile not found <<<");
    TitleLb.SetCaption("x " + profileName + " not found");
    return false;
  }
  const bool servicePartDone = RunSteps(components_.withService);
  client_.Close();
  const bool completed = servicePartDone && RunSteps(components_.afterService) && !cancelled_;
  profile_.Close();
  if (!completed) return false;
  Log("");
  Log(">>> " + Now() + " <<<");
  StateList.AddItem("Done", kImageFinished);
  TitleLb.SetCaption("");
  autoClose_.set = store::ReadAutoClose();
  return true;
}

bool TCvSetForm::RunSteps(const std::vector<ComponentStep>& steps) {
  for (const ComponentStep& step : steps) {
    if (step.cancelPoint && cancelled_) return false;
    if (!step.selected(profile_)) continue;
    step.apply(*this);
    if (connectionLost_) return false;
  }
  return true;
}

int TCvSetForm::OpenRow(const std::string& title) {
  const int row = StateList.AddItem(title, kImageComponent);
  StateList.EnsureVisible(row);  // long profiles scroll past the list's height
  Log("*** " + title);
  ui::ProcessMessages();
  return row;
}

void TCvSetForm::CloseRow(int row, char result) {
  if (row < 0) return;
  StateList.SetSubItem(row, 1, std::string(1, result));
  StateList.SetImage(row, result == kStatusDone ? kImageDone : result == kStatusFailed ? kImageFailed : kImagePartly);
  ui::ProcessMessages();
}

bool TCvSetForm::EnsureConnected() {
  if (client_.IsOpen()) return true;
  // One attempt per run: the first command opens the connection.
  const bool opened = !connectAttempted_ && client_.Open();
  connectAttempted_ = true;
  return opened;
}

void TCvSetForm::SendServiceCommandIgnoringFailure(const std::string& command) {
  if (!EnsureConnected()) return;
  const ActivationPipeClient::Result result = client_.Transact(command);
  if (result.outcome == ActivationPipeClient::Outcome::Replied) Log(result.reply.text);
}

bool TCvSetForm::SendServiceCommand(const std::string& command, int row) {
  if (!EnsureConnected()) {
    TitleLb.SetCaption("Can not connect to the service");
    Log("[x] Can not connect to the service, exit");
    Log("Please refer to the trouble shooting guide for solution.");
    CloseRow(row, kStatusFailed);
    connectionLost_ = true;
    return false;
  }
  const ActivationPipeClient::Result result = client_.Transact(command);
  if (result.outcome != ActivationPipeClient::Outcome::Replied) {
    CloseRow(row, kStatusFailed);
    Log(result.outcome == ActivationPipeClient::Outcome::SendFailed ? "[x] Error occured during sending command"
                                                                     : "[x] Error occured during reciving result");
    TitleLb.SetCaption("Lost connection with service");
    connectionLost_ = true;
    return false;
  }
  CloseRow(row, result.reply.status);
  Log(result.reply.text);
  return true;
}

bool TCvSetForm::KeyDown(WPARAM key) {
  if (key != VK_ESCAPE) return false;
  if (CloseBtn.Enabled()) Close();
  else if (running_ && !cancelled_) AskToCancel();
  return true;
}

void TCvSetForm::AskToCancel() {
  if (ui::ShowMessage(Handle(), "Profile activation is ongoing!\rDo you want to stop activation anyway?", "Confirm",
                      MB_YESNO | MB_ICONQUESTION) != IDYES) {
    return;
  }
  cancelled_ = true;
  TitleLb.SetCaption("Cancel by user");
  PrgsTimer.SetEnabled(false);
  Prgs.SetVisible(false);
  SetButtonsEnabled(true);
}

void TCvSetForm::ShowLog() {
  const RECT bounds = Bounds();
  ui::ShowMessage(Handle(), log_, "Information", MB_OK | MB_ICONINFORMATION, POINT{bounds.left + 5, bounds.top + 32});
}

}  // namespace cvn::activation
