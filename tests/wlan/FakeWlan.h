// The test side of the wlanapi.dll stand-in: its FakeWlan* exports, bound by name from the
// same module the library under test loads.
#pragma once

#include <windows.h>

#include <stdexcept>

namespace cvn::test {

class FakeWlan {
 public:
  FakeWlan() : module_(LoadLibraryA("wlanapi.dll")) {
    if (!module_ || !GetProcAddress(module_, "FakeWlanReset")) {
      throw std::runtime_error("the wlanapi.dll stand-in is not beside the test program");
    }
    Bind(reset, "FakeWlanReset");
    Bind(addInterface, "FakeWlanAddInterface");
    Bind(addBss, "FakeWlanAddBss");
    Bind(addAvailable, "FakeWlanAddAvailable");
    Bind(setOptions, "FakeWlanSetOptions");
    Bind(getOptions, "FakeWlanGetOptions");
    Bind(setConnection, "FakeWlanSetConnection");
    Bind(fail, "FakeWlanFail");
    Bind(setScan, "FakeWlanSetScan");
    Bind(openHandles, "FakeWlanOpenHandles");
    Bind(scans, "FakeWlanScans");
    Bind(lastBssFilter, "FakeWlanLastBssFilter");
    reset();
  }

  void(__stdcall* reset)();
  int(__stdcall* addInterface)(const GUID*, const wchar_t*);
  void(__stdcall* addBss)(int, const char*, const BYTE*, LONG, ULONG, DWORD, ULONG);
  void(__stdcall* addAvailable)(int, const char*, DWORD, BOOL, DWORD, DWORD);
  void(__stdcall* setOptions)(int, BOOL, DWORD);
  void(__stdcall* getOptions)(int, BOOL*, DWORD*);
  void(__stdcall* setConnection)(int, const char*, const BYTE*, ULONG);
  void(__stdcall* fail)(const char*, DWORD);
  void(__stdcall* setScan)(DWORD);
  int(__stdcall* openHandles)();
  int(__stdcall* scans)();
  DWORD(__stdcall* lastBssFilter)();

 private:
  template <typename Function>
  void Bind(Function& function, const char* name) {
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
  }
  HMODULE module_;
};

}  // namespace cvn::test
