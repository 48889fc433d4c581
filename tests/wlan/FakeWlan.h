// The test side of the wlanapi.dll stand-in: its FakeWlan* exports, bound by name from the
// same module the library under test loads.
#pragma once

#include <windows.h>

#include "tests/support/ModuleExports.h"

namespace cvn::test {

class FakeWlan {
 public:
  FakeWlan() : module_(LoadLibraryA("wlanapi.dll")) {
    BindExport(module_, "FakeWlanReset", reset);
    BindExport(module_, "FakeWlanAddInterface", addInterface);
    BindExport(module_, "FakeWlanAddBss", addBss);
    BindExport(module_, "FakeWlanAddAvailable", addAvailable);
    BindExport(module_, "FakeWlanSetOptions", setOptions);
    BindExport(module_, "FakeWlanGetOptions", getOptions);
    BindExport(module_, "FakeWlanSetConnection", setConnection);
    BindExport(module_, "FakeWlanFail", fail);
    BindExport(module_, "FakeWlanSetScan", setScan);
    BindExport(module_, "FakeWlanOpenHandles", openHandles);
    BindExport(module_, "FakeWlanScans", scans);
    BindExport(module_, "FakeWlanLastBssFilter", lastBssFilter);
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
  HMODULE module_;
};

}  // namespace cvn::test
