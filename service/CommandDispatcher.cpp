#include "CommandDispatcher.h"

#include "common/Decimal.h"

namespace cvn::service {
namespace {

constexpr char kInvalidParameter[] = "Invalid parameter\r\n";

ServiceReply Invalid() { return {kStatusFailed, kInvalidParameter}; }

// "before|after" split at the first "|", for payloads of at least three characters.
bool SplitPair(std::string_view payload, std::string& before, std::string& after) {
  const std::size_t bar = payload.find('|');
  if (payload.size() < 3 || bar == std::string_view::npos) return false;
  before = payload.substr(0, bar);
  after = payload.substr(bar + 1);
  return true;
}

ServiceReply Run(ServiceCommands& commands, std::uint8_t opcode, std::string_view payload) {
  const std::string text(payload);
  std::string before, after;
  switch (opcode) {
    case scRestartAdapter: return commands.scRestartAdapter(text);
    case scSetAdapters: return commands.scSetAdapters(text, kKeyByGuid);
    case scSetSuffixList: return commands.scSetSuffixList(text);
    case scFlushDns: return commands.scFlushDns();
    case scSetFirewall:
      // The GUI never sends an empty mode; a request that does is answered, not guessed.
      if (payload.empty()) return Invalid();
      return commands.scSetFirewall(static_cast<std::uint8_t>(payload[0]));
    case scSetMailClient: return commands.scSetMailClient(text);
    case scSetTimeZone: return commands.scSetTimeZone(text);
    case scSetEnvironment: return commands.scSetEnvironment(text);
    case scSetHosts:
      if (!SplitPair(payload, before, after)) return Invalid();
      return commands.scSetHosts(before, after);
    case scSetShares:
      if (payload.size() < 2) return Invalid();
      return commands.scSetShares(payload[0] == 'Y', text.substr(1));
    case scSetDialDefaults:
      if (!SplitPair(payload, before, after)) return Invalid();
      return commands.scSetDialDefaults(before, after);
    case scSetWorkgroup: return commands.scSetWorkgroup(text);
    case scRenewAddress: return commands.scRenewAddress(ParseDecimal(payload).value_or(-1));
    case scControlService:
      if (payload.empty()) return Invalid();
      return commands.scControlService(static_cast<std::uint8_t>(payload[0]), text.substr(1));
    case scSetRoutes: return commands.scSetRoutes(text);
    default: return {kStatusDone, "Unsupported command\r\n"};
  }
}

}  // namespace

ServiceReply CommandDispatcher(ServiceCommands& commands, std::uint8_t opcode, std::string_view payload) {
  ServiceReply reply = Run(commands, opcode, payload.substr(0, payload.find('\0')));
  if (reply.text.empty()) reply.text = reply.status == kStatusDone ? "Done\r\n" : "Fault\r\n";
  return reply;
}

}  // namespace cvn::service
