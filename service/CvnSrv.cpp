#include "CvnSrv.h"

namespace cvn::service {
namespace {

// A command this build cannot carry out yet fails plainly ("Fault").
ServiceReply NotAvailable() { return {kStatusFailed, {}}; }

}  // namespace

ServiceReply TCvnSrv::scSetFirewall(std::uint8_t) { return NotAvailable(); }
ServiceReply TCvnSrv::scSetMailClient(const std::string&) { return NotAvailable(); }
ServiceReply TCvnSrv::scSetTimeZone(const std::string&) { return NotAvailable(); }
ServiceReply TCvnSrv::scSetEnvironment(const std::string&) { return NotAvailable(); }
ServiceReply TCvnSrv::scSetHosts(const std::string&, const std::string&) { return NotAvailable(); }
ServiceReply TCvnSrv::scSetShares(bool, const std::string&) { return NotAvailable(); }
ServiceReply TCvnSrv::scSetDialDefaults(const std::string&, const std::string&) { return NotAvailable(); }
ServiceReply TCvnSrv::scSetWorkgroup(const std::string&) { return NotAvailable(); }
ServiceReply TCvnSrv::scControlService(std::uint8_t, const std::string&) { return NotAvailable(); }
ServiceReply TCvnSrv::scSetRoutes(const std::string&) { return NotAvailable(); }

}  // namespace cvn::service
