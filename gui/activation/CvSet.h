// The activation window: runs a profile's components in order, one status row each, keeps
// the activation log, and lets the user cancel with Esc.
#pragma once

#include <string>

#include "ActivationContext.h"
#include "ActivationPipeClient.h"
#include "Components.h"
#include "gui/ui/Controls.h"
#include "gui/ui/Form.h"

namespace cvn::activation {

struct ActivationTimings {
  UINT progressFirstMs = 8000;  // the bar appears only for activations longer than this
  UINT progressTickMs = 1000;
  DWORD autoCloseDelayMs = 1000;
};

// AutoClose as read at the end of the most recent run that got there; off until one has.
struct AutoCloseMark {
  bool set = false;
};

class TCvSetForm : public ui::Form, private ActivationContext {
 public:
  TCvSetForm(HWND owner, ComponentSequence components, AutoCloseMark& autoClose,
             ActivationTimings timings = {}, std::string pipeName = kPipeName);

  // Shown and interactive: stays open when done unless AutoClose asks otherwise, and
  // always when the run did not get to its end, so that its failure can be read.
  void RunInteractive(const std::string& profileName);
  // Never shown: runs, records the result and destroys the window.
  void RunSilent(const std::string& profileName);

  const std::string& LogText() const { return log_; }
  std::function<void()> onShowMain;

  ui::Label TitleLb;
  ui::ListView StateList;
  ui::ProgressBar Prgs;
  ui::Timer PrgsTimer;
  ui::Button CloseBtn;
  ui::Button Detail;
  ui::Button ShowMain;
  ui::ImageList Icons;

  bool KeyDown(WPARAM key) override;

 protected:
  bool CloseQuery() override { return !running_ || cancelled_; }

 private:
  // ActivationContext, for the components.
  void Log(const std::string& line) override { log_ += line + "\r\n"; }
  int OpenRow(const std::string& title) override;
  void CloseRow(int row, char result) override;
  bool SendServiceCommand(const std::string& command, int row) override;
  void SendServiceCommandIgnoringFailure(const std::string& command) override;
  // Opens the connection on the first service command; false (logged) when it cannot.
  bool EnsureConnected();
  const win::RegKey& Profile() const override { return profile_; }
  bool Cancelled() const override { return cancelled_; }

  void CreateControls();
  // True when the sequence got to its end ("Done").
  bool RunSequence(const std::string& profileName);
  bool RunSteps(const std::vector<ComponentStep>& steps);
  void Finish(const std::string& profileName);
  void SetButtonsEnabled(bool enabled);
  void ProgressTick();
  void AskToCancel();
  void ShowLog();

  ComponentSequence components_;
  AutoCloseMark& autoClose_;
  ActivationTimings timings_;
  ActivationPipeClient client_;
  win::RegKey profile_;
  std::string log_;
  bool cancelled_ = false;
  bool running_ = false;
  bool connectAttempted_ = false;
  bool connectionLost_ = false;
  bool progressShown_ = false;
};

}  // namespace cvn::activation
