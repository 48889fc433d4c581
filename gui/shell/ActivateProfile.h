// The one way the program starts an activation: from the command line, the profile list,
// the tray menu or a second instance's hand-over.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "gui/activation/CvSet.h"

namespace cvn::shell {

struct ActivationShell {
  bool running = false;  // a second start is dropped while this is set
  std::string lastProfile;
  activation::AutoCloseMark autoClose;
  std::unique_ptr<activation::TCvSetForm> window;  // the last run's window, freed by the next run
  HWND mainWindow = nullptr;
  // What the main window shows of the current profile, once it exists.
  std::function<void(const std::string&)> setTrayHint;
  std::function<void(const std::string&)> setCaption;
  std::function<void()> showMainWindow;
  bool startWifi = false;  // the StartWifi option, read at start-up
  // How activations run; tests give their own components.
  std::optional<activation::ComponentSequence> components;
  activation::ActivationTimings timings;
  std::string pipeName = kPipeName;
};

void ActivateProfile(ActivationShell& shell, const std::string& profileName, bool silent);

}  // namespace cvn::shell
