#include "Wzc.h"

#include <cstring>

namespace cvn::wlan {
namespace {

constexpr DWORD kBusyPollMs = 250;
constexpr DWORD kScanPollMs = 500;
constexpr int kScanPolls = 30;

std::string SsidText(const BYTE* bytes, DWORD length) {
  return std::string(reinterpret_cast<const char*>(bytes), std::min<DWORD>(length, 32));
}

const WzcConfigEntry* ListEntries(const WzcBlob& list) {
  return reinterpret_cast<const WzcConfigList*>(list.data)->entries;
}

DWORD NetworkType(DWORD infrastructureMode) {
  if (infrastructureMode == 0) return 2;
  if (infrastructureMode == 1) return 1;
  return infrastructureMode + 1;
}

}  // namespace

WzcExchange::WzcExchange(WifiAdapterEntry& adapter) : adapter_(adapter) {}

void WzcExchange::FromService() {
  if (Lib().extendedWzcLayout) {
    working_ = extended_;
  } else {
    working_.head = basic_.head;
    working_.tail = basic_.tail;
  }
}

void WzcExchange::ToService() {
  if (Lib().extendedWzcLayout) {
    extended_ = working_;
  } else {
    basic_.head = working_.head;
    basic_.tail = working_.tail;
  }
}

void WzcExchange::Release() {
  if (!held_) return;
  held_ = false;
  basic_.head.guid = extended_.head.guid = nullptr;  // ours, not the service's
  if (Lib().wzc.deleteIntfObj) Lib().wzc.deleteIntfObj(ServiceRecord());
  basic_ = {};
  extended_ = {};
}

DWORD WzcExchange::Query(DWORD flags) {
  Release();
  if (!Lib().wzc.queryInterface) return WLE_QUERY_FAILED;
  basic_.head.guid = extended_.head.guid = adapter_.guidText.data();
  outFlags_ = 0;
  if (Lib().wzc.queryInterface(nullptr, flags, ServiceRecord(), &outFlags_) != ERROR_SUCCESS) return WLE_QUERY_FAILED;
  held_ = true;
  FromService();
  return 0;
}

DWORD WzcExchange::Set(DWORD flags) {
  if (!Lib().wzc.setInterface) return ERROR_PROC_NOT_FOUND;
  ToService();
  basic_.head.guid = extended_.head.guid = adapter_.guidText.data();
  DWORD applied = 0;
  return Lib().wzc.setInterface(nullptr, flags, ServiceRecord(), &applied);
}

DWORD WzcExchange::Refresh(DWORD flags) {
  Release();
  if (!Lib().wzc.refreshInterface) return ERROR_PROC_NOT_FOUND;
  basic_.head.guid = extended_.head.guid = adapter_.guidText.data();
  DWORD refreshed = 0;
  const DWORD result = Lib().wzc.refreshInterface(nullptr, flags, ServiceRecord(), &refreshed);
  held_ = result == ERROR_SUCCESS;
  return result;
}

std::size_t WzcListCount(const WzcBlob& list) {
  if (!list.data || list.length < offsetof(WzcConfigList, entries)) return 0;
  const std::size_t room = (list.length - offsetof(WzcConfigList, entries)) / sizeof(WzcConfigEntry);
  return std::min<std::size_t>(reinterpret_cast<const WzcConfigList*>(list.data)->count, room);
}

DWORD WzcAdapterName(WifiAdapterEntry& adapter, std::string& name) {
  WzcExchange exchange(adapter);
  if (exchange.Query(kWzcDescription)) return WLE_QUERY_FAILED;
  if (!exchange.Returned(kWzcDescription)) return WLE_NOT_RETURNED;
  const LPWSTR description = exchange.Record().head.description;
  name = description ? ToAnsi(description) : std::string();
  return 0;
}

DWORD WzcGetOption(WifiAdapterEntry& adapter, DWORD mask) {
  WzcExchange exchange(adapter);
  if (exchange.Query(kWzcControlFlags)) return WLE_QUERY_FAILED;
  return exchange.Record().head.controlFlags & mask;
}

DWORD WzcSetOption(WifiAdapterEntry& adapter, DWORD mask, DWORD value) {
  WzcExchange exchange(adapter);
  if (exchange.Query(kWzcControlFlags)) return WLE_QUERY_FAILED;
  DWORD& flags = exchange.Record().head.controlFlags;
  flags = (flags & ~mask) | (value & mask);
  const DWORD result = exchange.Set(exchange.OutFlags());
  return result == ERROR_SUCCESS || result == kWzcSetPartly ? 0 : WLE_SET_FAILED;
}

DWORD WzcWaitUntilReady(WifiAdapterEntry& adapter, DWORD timeoutMs) {
  for (DWORD attempts = 1;; ++attempts) {
    WzcExchange exchange(adapter);
    if (exchange.Query(kWzcWepStatus)) return WLE_QUERY_FAILED;
    if (exchange.Returned(kWzcWepStatus)) return 0;
    exchange.Release();
    if (attempts > timeoutMs / kBusyPollMs) return WLE_NOT_RETURNED;
    Sleep(kBusyPollMs);
  }
}

DWORD WzcEnumerateNetworks(WifiAdapterEntry& adapter, bool rescan) {
  WzcExchange exchange(adapter);
  if (rescan) {
    if (exchange.Refresh(kWzcListScan) != ERROR_SUCCESS) return WLE_SCAN_FAILED;
    exchange.Release();
    for (int poll = 0; poll < kScanPolls; ++poll) {
      Sleep(kScanPollMs);
      if (exchange.Query(kWzcVisibleList) || exchange.Returned(kWzcVisibleList)) break;
    }
    exchange.Release();
  }
  if (exchange.Query(kWzcVisibleList)) return WLE_QUERY_FAILED;
  if (!exchange.Returned(kWzcVisibleList)) return WLE_NOT_RETURNED;
  const WzcBlob& list = exchange.Record().tail.visible;
  const std::size_t count = WzcListCount(list);
  for (std::size_t i = 0; i < count && adapter.networks.size() < kMaxListEntries; ++i) {
    const WzcConfigEntry& config = ListEntries(list)[i];
    VisibleNetworkEntry entry;
    entry.ssid = SsidText(config.ssid, config.ssidLength);
    std::memcpy(entry.bssid, config.bssid, 6);
    entry.rssi = config.rssi;
    entry.quality = QualityFromRssi(config.rssi);
    entry.type = NetworkType(config.infrastructureMode);
    entry.channel = ChannelFromFrequency(config.frequency);
    entry.privacy = config.privacy;
    entry.authMode = config.authenticationMode;
    adapter.networks.push_back(std::move(entry));
  }
  return static_cast<DWORD>(count);
}

DWORD WzcCurrentSsid(WifiAdapterEntry& adapter, std::string& ssid) {
  ssid.clear();
  WzcExchange exchange(adapter);
  if (exchange.Query(kWzcWepStatus | kWzcSsid | kWzcVisibleList)) return WLE_QUERY_FAILED;
  if (!exchange.Returned(kWzcWepStatus)) return WLE_NOT_RETURNED;
  if (!exchange.Returned(kWzcSsid)) return 0;
  const WzcBlob& current = exchange.Record().tail.ssid;
  if (!current.data) return 0;
  const std::string held = SsidText(current.data, current.length);
  // An SSID the adapter keeps while no such network is in range is no connection.
  const WzcBlob& visible = exchange.Record().tail.visible;
  for (std::size_t i = 0; i < WzcListCount(visible); ++i) {
    const WzcConfigEntry& config = ListEntries(visible)[i];
    if (SsidText(config.ssid, config.ssidLength) == held) {
      ssid = held;
      break;
    }
  }
  return 0;
}

DWORD WzcCurrentMac(WifiAdapterEntry& adapter, const std::string& ssid, BYTE* targets[6]) {
  WzcExchange exchange(adapter);
  if (exchange.Query(kWzcVisibleList)) return WLE_QUERY_FAILED;
  if (!exchange.Returned(kWzcVisibleList)) return WLE_NOT_RETURNED;
  const WzcBlob& visible = exchange.Record().tail.visible;
  for (std::size_t i = 0; i < WzcListCount(visible); ++i) {
    const WzcConfigEntry& config = ListEntries(visible)[i];
    if (SsidText(config.ssid, config.ssidLength) == ssid) {
      for (int b = 0; b < 6; ++b) *targets[b] = config.bssid[b];
      return 0;
    }
  }
  return WLE_LIST_CHANGED;
}

}  // namespace cvn::wlan
