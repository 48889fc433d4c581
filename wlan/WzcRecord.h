// The records the Wireless Zero Configuration service exchanges with its clients.
#pragma once

#include <windows.h>

#include <cstddef>

namespace cvn::wlan {

// Query and set flags: which parts of an adapter's state are asked for or changed.
inline constexpr DWORD kWzcControlFlags = 0x0000FFFF;
inline constexpr DWORD kWzcDescription = 0x00010000;
inline constexpr DWORD kWzcPreferredList = 0x00040000;
inline constexpr DWORD kWzcWepStatus = 0x00800000;
inline constexpr DWORD kWzcSsid = 0x01000000;
inline constexpr DWORD kWzcVisibleList = 0x04000000;
inline constexpr DWORD kWzcListScan = 0x08000000;
// WZCSetInterface's answer when the change was taken but not everything was written back.
inline constexpr DWORD kWzcSetPartly = 4320;

struct WzcBlob {
  DWORD length;
  BYTE* data;
};

// The first 40 bytes, the same in both layouts.
struct WzcRecordHead {
  LPWSTR guid;
  LPWSTR description;
  BYTE opaque[28];
  DWORD controlFlags;  // 0x8000 zero configuration on; bits 0..1 network access mode
};

// The last 60 bytes, the same in both layouts.
struct WzcRecordTail {
  BYTE opaque1[8];
  WzcBlob ssid;
  BYTE opaque2[8];
  WzcBlob visible;    // a WzcConfigList
  WzcBlob preferred;  // a WzcConfigList
  BYTE opaque3[20];
};

// wzcsapi.dll up to build 2600: 100 bytes.
struct WzcRecordBasic {
  WzcRecordHead head;
  WzcRecordTail tail;
};

// Later builds: 8 more bytes after the head, 108 in all.
struct WzcRecordExtended {
  WzcRecordHead head;
  BYTE extension[8];
  WzcRecordTail tail;
};

#ifndef _WIN64
static_assert(sizeof(WzcRecordBasic) == 100 && sizeof(WzcRecordExtended) == 108);
static_assert(offsetof(WzcRecordBasic, tail.ssid) == 48 && offsetof(WzcRecordExtended, tail.ssid) == 56);
static_assert(offsetof(WzcRecordBasic, tail.visible) == 64 && offsetof(WzcRecordExtended, tail.visible) == 72);
static_assert(offsetof(WzcRecordBasic, tail.preferred) == 72 && offsetof(WzcRecordExtended, tail.preferred) == 80);
#endif

// One network of a visible or preferred list: always 712 bytes.
struct WzcConfigEntry {
  DWORD length;  // 712
  DWORD flags;
  BYTE bssid[6];
  BYTE padding1[2];
  DWORD ssidLength;
  BYTE ssid[32];
  DWORD privacy;  // 0 WEP, 1 disabled, 4 TKIP, 6 AES
  LONG rssi;
  BYTE opaque1[16];
  DWORD frequency;  // kHz
  BYTE opaque2[16];
  DWORD infrastructureMode;  // 0 ad hoc, 1 infrastructure, 2 automatic
  BYTE opaque3[8];
  DWORD keyIndex;
  DWORD keyLength;
  BYTE keyMaterial[32];
  DWORD authenticationMode;
  BYTE opaque4[560];
};
static_assert(sizeof(WzcConfigEntry) == 712);
static_assert(offsetof(WzcConfigEntry, ssid) == 20 && offsetof(WzcConfigEntry, privacy) == 52);
static_assert(offsetof(WzcConfigEntry, rssi) == 56 && offsetof(WzcConfigEntry, frequency) == 76);
static_assert(offsetof(WzcConfigEntry, infrastructureMode) == 96 && offsetof(WzcConfigEntry, keyIndex) == 108);
static_assert(offsetof(WzcConfigEntry, authenticationMode) == 148);

struct WzcConfigList {
  DWORD count;
  DWORD index;
  WzcConfigEntry entries[1];
};

using WzcRecordCall = DWORD(WINAPI*)(LPWSTR server, DWORD inFlags, void* record, DWORD* outFlags);
using WzcDeleteCall = VOID(WINAPI*)(void* record);

}  // namespace cvn::wlan
