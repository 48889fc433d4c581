#include "ProfileSchema.h"

namespace cvn::store {
namespace {

using enum ValueKind;
using enum SaveRule;

// Save order: password, proxy, dial-up, VPN, printer, time zone and workgroup, mail, screen
// and sound, hosts, environment, sharing, routes, run lists, drive mappings, firewall, ini
// entries, suffixes, network. Drive-mapping credentials and ini entries are written by the
// save itself around "NetShare" and "IniNum".
constexpr ValueEntry kProfileValues[] = {
    {"pwd", Text, WriteOrDelete, ""},
    {"sProxy", Flag, Always, ""},
    {"sHomepage", Flag, Always, ""},
    {"Homepage", Text, Always, ""},
    {"ProxyMode", Number, Guarded, "sProxy"},
    {"ProxyURL", Text, Guarded, "sProxy"},
    {"Proxy", Text, Guarded, "sProxy"},
    {"ProxyExcpt", Text, Guarded, "sProxy"},
    {"ProxyExcptff", Text, Guarded, "sProxy"},
    {"SetFF", Flag, Guarded, "sProxy"},
    {"SetOp", Flag, Guarded, "sProxy"},
    {"sDial", Flag, Always, ""},
    {"AutoDial", Text, WriteOrDelete, "sDial"},
    {"BreakDun", Flag, Guarded, "sDial"},
    {"sDfDial", Flag, Guarded, "sDial"},
    {"DialType", Number, Guarded, "sDfDial"},
    {"DialIsp", Text, Guarded, "sDfDial"},
    {"sDialRule", Flag, Guarded, "sDial"},
    {"DialRule", Text, Guarded, "sDialRule"},
    {"3rdVpn", Flag, Always, ""},
    {"Vpn", Text, Guarded, "3rdVpn"},
    {"Vpntime", Number, Guarded, "3rdVpn"},
    {"sPrinter", Flag, Always, ""},
    {"Printer", Text, Guarded, "sPrinter"},
    {"sZone", Flag, Always, ""},
    {"Zone", Number, Guarded, "sZone"},
    {"ZoneName", Text, Guarded, "sZone"},
    {"sWkgrp", Flag, Always, ""},
    {"Wkgrp", Text, Guarded, ""},
    {"sMail", Flag, Always, ""},
    {"Mail", Text, Guarded, "sMail"},
    {"MailPf", Text, Guarded, "sMail"},
    {"sMailpg", Flag, Guarded, "sMail"},
    {"sSmtp", Flag, Guarded, "sMail"},
    {"Smtp", Text, Guarded, "sMail"},
    {"sScreen", Flag, Always, ""},
    {"ScrRes", Text, Guarded, "sScreen"},
    {"sSound", Flag, Always, ""},
    {"Volume", Number, Guarded, "sSound"},
    {"Balance", Number, Guarded, "sSound"},
    {"Mute", Flag, Guarded, "sSound"},
    {"sHost", Flag, Always, ""},
    {"Hosts", Text, Guarded, "sHost"},
    {"sEnv", Flag, Always, ""},
    {"Env", Text, Guarded, "sEnv"},
    {"sShare", Flag, Always, ""},
    {"Share", Text, Guarded, "sShare"},
    {"UnShare", Flag, Guarded, "sShare"},
    {"sRoute", Flag, Always, ""},
    {"Route", Text, Guarded, "sRoute"},
    {"sRun", Flag, Always, ""},
    {"ScriptsBefore", Text, Always, ""},
    {"ScriptsAfter", Text, Always, ""},
    {"sMap", Flag, Always, ""},
    {"ReConnect", Flag, Always, ""},
    {"NetShare", Text, WriteOrDelete, ""},
    // Written only where the firewall can be controlled, which the editor shows by holding it.
    {"sXpFirewall", Flag, Guarded, ""},
    {"XpFirewall", Number, Guarded, ""},
    {"sIni", Flag, Always, ""},
    {"IniNum", Number, Always, ""},
    {"Suffixes", Text, Always, ""},
    {"sNet", Flag, Always, ""},
    {"Icon", Number, NotSaved, ""},
    {"Remark", Text, NotSaved, ""},
    {"gp", Text, NotSaved, ""},
};

// "Ssid", "WifiMisc" and "Key" are written only when the first "Wifi" character is "Y".
constexpr ValueEntry kAdapterValues[] = {
    {"sIP", Flag, Always, ""},
    {"sDs", Flag, Always, ""},
    {"StateSn", Text, Always, ""},
    {"IP", Text, Always, ""},
    {"Mask", Text, Always, ""},
    {"Gateway", Text, Always, ""},
    {"Dns", Text, Always, ""},
    {"Wins", Text, Always, ""},
    {"CardName", Text, Always, ""},
    {"Suffix", Text, Always, ""},
    {"Connect", Text, Always, ""},
    {"MacAddress", Text, Always, ""},
    {"Misc", Text, Always, ""},
    {"Wifi", Text, Always, ""},
    {"Ssid", Text, Guarded, "Wifi"},
    {"WifiMisc", Text, Guarded, "Wifi"},
    {"Key", Text, Guarded, "Wifi"},
};

}  // namespace

std::span<const ValueEntry> ProfileValueTable() { return kProfileValues; }
std::span<const ValueEntry> AdapterValueTable() { return kAdapterValues; }

const ValueEntry* FindEntry(std::span<const ValueEntry> table, std::string_view name) {
  const NameLess less;
  for (const ValueEntry& entry : table) {
    if (!less(entry.name, name) && !less(name, entry.name)) return &entry;
  }
  return nullptr;
}

}  // namespace cvn::store
