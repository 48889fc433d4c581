#include <windows.h>

#include <string>

#include "gui/store/ProfileStore.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  std::string text = "Profiles:";
  for (const std::string& name : cvn::store::ListProfiles()) text += "\r\n  " + name;
  MessageBoxA(nullptr, text.c_str(), "Corvane", MB_OK | MB_ICONINFORMATION);
  return 0;
}
