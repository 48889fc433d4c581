#include "PipeSecurity.h"

#include <sddl.h>

namespace cvn::service {

PipeSecurity::PipeSecurity() {
  attributes_.nLength = sizeof attributes_;
  attributes_.bInheritHandle = TRUE;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (ConvertStringSecurityDescriptorToSecurityDescriptorA(kPipeSddl, SDDL_REVISION_1, &descriptor,
                                                           nullptr)) {
    attributes_.lpSecurityDescriptor = descriptor;
  }
}

PipeSecurity::~PipeSecurity() {
  if (attributes_.lpSecurityDescriptor) LocalFree(attributes_.lpSecurityDescriptor);
}

}  // namespace cvn::service
