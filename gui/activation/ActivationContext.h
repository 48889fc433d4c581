// What the activation driver gives each component: the log, its status rows, the service
// connection, the profile being activated and the user's cancel.
#pragma once

#include <string>

#include "win/RegKey.h"

namespace cvn::activation {

class ActivationContext {
 public:
  virtual ~ActivationContext() = default;
  virtual void Log(const std::string& line) = 0;
  // Adds a row for a component and returns its index.
  virtual int OpenRow(const std::string& title) = 0;
  // Marks a row 'Y', 'N' or 'M' (anything else shows as partly done); a negative row is ignored.
  virtual void CloseRow(int row, char result) = 0;
  // Sends one service command and closes `row` with the reply's status. False when the
  // service could not be reached or the connection broke: the component returns at once
  // and the activation ends.
  virtual bool SendServiceCommand(const std::string& command, int row) = 0;
  // A request whose failure does not matter to the activation: no row, and a failed
  // exchange neither ends the run nor is reported.
  virtual void SendServiceCommandIgnoringFailure(const std::string& command) = 0;
  // The profile's key, open for reading for the whole run.
  virtual const win::RegKey& Profile() const = 0;
  virtual bool Cancelled() const = 0;
};

}  // namespace cvn::activation
