// The Wireless Zero Configuration back end's operations (Windows XP with Service Pack 2).
#pragma once

#include "Library.h"

namespace cvn::wlan {

// One exchange with the WZC service about an adapter, on a working copy in the extended
// layout; the service's buffers are released when the exchange ends.
class WzcExchange {
 public:
  explicit WzcExchange(WifiAdapterEntry& adapter);
  ~WzcExchange() { Release(); }
  WzcExchange(const WzcExchange&) = delete;
  WzcExchange& operator=(const WzcExchange&) = delete;

  // 0, or WLE_QUERY_FAILED when the service refuses.
  DWORD Query(DWORD flags);
  // The service's own result code.
  DWORD Set(DWORD flags);
  DWORD Refresh(DWORD flags);
  bool Returned(DWORD part) const { return (outFlags_ & part) != 0; }
  DWORD OutFlags() const { return outFlags_; }
  WzcRecordExtended& Record() { return working_; }
  void Release();

 private:
  void* ServiceRecord() { return Lib().extendedWzcLayout ? static_cast<void*>(&extended_) : &basic_; }
  void FromService();
  void ToService();

  WifiAdapterEntry& adapter_;
  WzcRecordBasic basic_{};
  WzcRecordExtended extended_{};
  WzcRecordExtended working_{};
  DWORD outFlags_ = 0;
  bool held_ = false;
};

// The entries of a list the service returned, never more than its byte length holds.
std::size_t WzcListCount(const WzcBlob& list);

DWORD WzcAdapterName(WifiAdapterEntry& adapter, std::string& name);
DWORD WzcGetOption(WifiAdapterEntry& adapter, DWORD mask);
DWORD WzcSetOption(WifiAdapterEntry& adapter, DWORD mask, DWORD value);
DWORD WzcWaitUntilReady(WifiAdapterEntry& adapter, DWORD timeoutMs);
DWORD WzcEnumerateNetworks(WifiAdapterEntry& adapter, bool rescan);
// The SSID the adapter is connected to ("" when none), or an error code.
DWORD WzcCurrentSsid(WifiAdapterEntry& adapter, std::string& ssid);
DWORD WzcCurrentMac(WifiAdapterEntry& adapter, const std::string& ssid, BYTE* targets[6]);

}  // namespace cvn::wlan
