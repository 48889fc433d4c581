#pragma once

#include <windows.h>

#include <stdexcept>
#include <string>

namespace cvn::test {

// Binds one export of a stand-in DLL; a missing one means the wrong DLL was loaded.
template <typename Function>
void BindExport(HMODULE module, const char* name, Function& function) {
  function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
  if (!function) throw std::runtime_error(std::string("no export ") + name + " beside the test program");
}

}  // namespace cvn::test
