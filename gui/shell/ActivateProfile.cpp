#include "ActivateProfile.h"

#include "gui/ui/Application.h"

namespace cvn::shell {

void ActivateProfile(ActivationShell& shell, const std::string& profileName, bool silent) {
  if (shell.running) return;
  shell.running = true;
  shell.lastProfile = profileName;
  if (shell.setTrayHint) shell.setTrayHint("Corvane\r" + profileName);
  if (shell.setCaption) shell.setCaption("CVN 6.7.0 - " + profileName);

  shell.window.reset();
  shell.window = std::make_unique<activation::TCvSetForm>(
      shell.mainWindow, shell.components.value_or(activation::StandardComponents(shell.startWifi)), shell.autoClose,
      shell.timings, shell.pipeName);
  shell.window->onShowMain = shell.showMainWindow;
  try {
    if (silent) {
      shell.window->RunSilent(profileName);
      shell.window.reset();
    } else {
      shell.window->SetCaption("CVN - " + profileName);
      shell.window->Show();
      shell.window->Repaint();
      shell.window->RunInteractive(profileName);
    }
  } catch (const std::exception& error) {
    ui::ShowError(error.what());
  }
  shell.running = false;
}

}  // namespace cvn::shell
