#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "gui/shell/ActivateProfile.h"
#include "gui/store/AppSettings.h"
#include "gui/store/ProfileStore.h"
#include "gui/ui/Application.h"
#include "gui/ui/Dialogs.h"

namespace {

// The program's arguments in the system code page.
std::vector<std::string> Arguments() {
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> arguments;
  for (int i = 1; wide && i < count; ++i) {
    const int size = WideCharToMultiByte(CP_ACP, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
    std::string argument(static_cast<std::size_t>(size > 0 ? size : 1), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide[i], -1, argument.data(), size, nullptr, nullptr);
    argument.resize(argument.size() - 1);
    arguments.push_back(argument);
  }
  LocalFree(wide);
  return arguments;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);

  const std::vector<std::string> arguments = Arguments();
  cvn::shell::ActivationShell shell;
  shell.startWifi = cvn::store::LoadAppSettings([](const std::string& error) { cvn::ui::ShowError(error); }).startWifi;
  if (arguments.size() == 2 && lstrcmpiA(arguments[1].c_str(), "fq") == 0) {
    cvn::shell::ActivateProfile(shell, arguments[0], true);
    return 0;
  }
  if (arguments.size() == 1 && lstrcmpiA(arguments[0].c_str(), "/s") != 0) {
    cvn::shell::ActivateProfile(shell, arguments[0], false);
    if (shell.window) cvn::ui::RunUntilClosed(shell.window->Handle());
    return 0;
  }
  std::string text = "Profiles:";
  for (const std::string& name : cvn::store::ListProfiles()) text += "\r\n  " + name;
  cvn::ui::ShowMessage(nullptr, text, "Corvane", MB_OK | MB_ICONINFORMATION);
  return 0;
}
