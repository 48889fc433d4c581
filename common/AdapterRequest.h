// One adapter entry of the scSetAdapters payload: ten "|"-separated fields ended by "~".
// Empty fields cannot travel (the splitter drops them), so "?" stands for "not given".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace cvn {

enum AdapterField : std::size_t {
  afKey,
  afFlags,
  afIp,
  afMask,
  afGateway,
  afDns,
  afWins,
  afSuffix,
  afMac,
  afNetbios,
  kAdapterFieldCount
};

inline constexpr char kUnsetField[] = "?";
inline constexpr char kEntryEnd = '~';
inline constexpr char kFieldSeparator = '|';

// Flag bytes of field 1.
inline constexpr char kDisableAdapter = 0x01;  // the whole field of a disable entry
inline constexpr char kEnableAdapter = 0x02;   // byte 0 of a configure entry
inline constexpr char kUseDhcp = 0x01;         // byte 1
inline constexpr char kUseStatic = 0x02;
inline constexpr char kChangeMac = 0x01;       // byte 2
inline constexpr char kKeepMac = 0x02;

// Field 9.
enum NetbiosSetting : std::uint8_t {
  kNetbiosFromDhcp = 0x01,
  kNetbiosEnable = 0x02,
  kNetbiosDisable = 0x03,
  kNetbiosUnchanged = 0xFF,
};

// Field 8 value that removes the MAC override.
inline constexpr char kRestoreMac[] = "x";

struct AdapterRequest {
  std::string key;
  bool disable = false;
  bool dhcp = true;
  bool changeMac = false;
  // Fields 2 to 8, written as they stand; see OrUnset for values that may be empty.
  std::string ips, masks, gateways, dns, wins, suffix, mac;
  std::uint8_t netbios = kNetbiosUnchanged;
};

// "?" for an empty text, the text otherwise.
std::string OrUnset(std::string_view value);

// The entry with its trailing "~": a disable entry is only the key and 0x01.
std::string FormatAdapterEntry(const AdapterRequest& request);

// The payload cut into entries at "~", and an entry cut into fields at "|".
std::vector<std::string> SplitAdapterEntries(std::string_view payload);
std::vector<std::string> SplitAdapterFields(std::string_view entry);

}  // namespace cvn
