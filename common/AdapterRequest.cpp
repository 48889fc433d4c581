#include "AdapterRequest.h"

#include "SplitList.h"

namespace cvn {

std::string OrUnset(std::string_view value) {
  return value.empty() ? std::string(kUnsetField) : std::string(value);
}

std::string FormatAdapterEntry(const AdapterRequest& request) {
  std::string entry = request.key;
  entry += kFieldSeparator;
  if (request.disable) {
    entry += kDisableAdapter;
  } else {
    entry += kEnableAdapter;
    entry += request.dhcp ? kUseDhcp : kUseStatic;
    entry += request.changeMac ? kChangeMac : kKeepMac;
    for (const std::string* field : {&request.ips, &request.masks, &request.gateways, &request.dns,
                                     &request.wins, &request.suffix, &request.mac}) {
      entry += kFieldSeparator;
      entry += *field;
    }
    entry += kFieldSeparator;
    entry += static_cast<char>(request.netbios);
  }
  entry += kEntryEnd;
  return entry;
}

std::vector<std::string> SplitAdapterEntries(std::string_view payload) {
  return SplitList(payload, std::string_view(&kEntryEnd, 1));
}

std::vector<std::string> SplitAdapterFields(std::string_view entry) {
  return SplitList(entry, std::string_view(&kFieldSeparator, 1));
}

}  // namespace cvn
