// The wire contract between Corvane.exe and cvnsvc.exe: opcodes, status bytes and pipe facts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace cvn {

inline constexpr char kPipeName[] = "\\\\.\\PIPE\\cvnpipe";
inline constexpr std::size_t kPipeBufferSize = 1024;
// A reply is the status byte and at most this much text.
inline constexpr std::size_t kMaxReplyText = kPipeBufferSize - 1;

enum ServiceCommand : std::uint8_t {
  scRestartAdapter = 0x80,
  scSetAdapters = 0x81,
  scSetSuffixList = 0x82,
  scFlushDns = 0x83,
  scSetFirewall = 0x84,
  scSetMailClient = 0x85,
  scSetTimeZone = 0x86,
  scSetEnvironment = 0x87,
  scSetHosts = 0x88,
  scSetShares = 0x89,
  scSetDialDefaults = 0x8A,
  scSetWorkgroup = 0x8B,
  scRenewAddress = 0x8C,
  scControlService = 0x8D,
  scSetRoutes = 0x8E,
};

inline constexpr std::uint8_t kFirstCommand = scRestartAdapter;
inline constexpr std::uint8_t kLastCommand = scSetRoutes;
// A request starting with this byte ends the connection unanswered.
inline constexpr std::uint8_t kHangUpByte = 0xFF;

// Result of every service reply and every activation row.
enum ResultStatus : char {
  kStatusDone = 'Y',
  kStatusFailed = 'N',
  kStatusPartly = 'M',
};

// A status byte and its reply text, as the service sends them.
struct ServiceReply {
  char status = kStatusDone;
  std::string text;
};

}  // namespace cvn
