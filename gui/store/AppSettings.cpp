#include "AppSettings.h"

#include <windows.h>

#include "ProfileStore.h"
#include "StoredValue.h"
#include "common/Decimal.h"
#include "common/HexXor.h"
#include "common/SplitList.h"

namespace cvn::store {
namespace {

using win::RegKey;

int ReadBound(const RegKey& key, const char* name, int fallback) {
  return ParseDecimal(ReadText(key, name)).value_or(fallback);
}

void ReadAll(const RegKey& key, AppSettings& s) {
  s.showHint = key.HasValue("ShowHint") ? ReadFlag(key, "ShowHint") : true;
  if (key.HasValue("NoTray")) s.noTray = ReadFlag(key, "NoTray");
  s.dbClickToRun = ReadFlag(key, "DbClickToRun");
  s.autoClose = ReadFlag(key, "AutoClose");
  s.startWifi = ReadFlag(key, "StartWifi");
  s.forceWifi = ReadFlag(key, "ForceWifi");
  if (const auto stored = key.ReadString("np")) {
    // A damaged value keeps the program protected rather than dropping the password.
    s.password = DecodeHexXor(*stored).value_or(*stored);
  }
  s.passwordGuardsEdit = ReadFlag(key, "pedt");
  s.passwordGuardsImport = ReadFlag(key, "pimp");
  s.groups = ReadText(key, "group");
  s.showGroup = ReadFlag(key, "ShowGroup");
  s.top = ReadBound(key, "Top", s.top);
  s.left = ReadBound(key, "Left", s.left);
  s.height = ReadBound(key, "Height", s.height);
  s.width = ReadBound(key, "Width", s.width);
  s.deskInfo = ReadFlag(key, "endeskinfo");
  s.deskInfoAtTop = ReadFlag(key, "deskinfopos");
  s.deskShowsProfile = ReadFlag(key, "deskpf");
  ApplyDeskFont(ReadText(key, "deskfnt"), s.deskFont);
  s.deskBackground = ReadNumber(key, "deskbg", s.deskBackground);
  const int alpha = ReadNumber(key, "deskalpha", s.deskAlpha);
  if (alpha >= 0 && alpha <= 255) s.deskAlpha = alpha;
  s.popIp = ReadFlag(key, "popip");
  s.lastProfile = ReadText(key, "His1");
  s.hostsBackedUp = ReadFlag(key, "BkHost");
}

RegKey OpenAppKeyForWriting() {
  RegKey key;
  const LONG rc = key.Create(HKEY_CURRENT_USER, kAppKeyPath);
  if (rc != ERROR_SUCCESS) throw win::RegistryError("Cannot open the settings key", rc);
  return key;
}

bool IsBlank(const std::string& text) { return text.find_first_not_of(' ') == std::string::npos; }

// A field of "deskfnt": blank keeps the current value, and so does one that is not a number.
void ApplyNumber(const std::string& field, int& value) {
  if (IsBlank(field)) return;
  if (const auto number = ParseDecimal(field)) value = *number;
}

}  // namespace

AppSettings LoadAppSettings(const std::function<void(const std::string&)>& reportError) {
  AppSettings settings;
  RegKey key;
  if (key.Open(HKEY_CURRENT_USER, kAppKeyPath) != ERROR_SUCCESS) return settings;
  try {
    ReadAll(key, settings);
  } catch (const win::RegistryError& error) {
    reportError(error.what());  // what was read before the bad value stays, defaults after it
  }
  return settings;
}

void FitToScreen(AppSettings& settings, int screenWidth, int screenHeight) {
  if (settings.top > screenHeight) settings.top = 10;
  if (settings.left > screenWidth) settings.left = 200;
}

void ApplyDeskFont(const std::string& text, DeskFont& font) {
  if (IsBlank(text) || text == ",,,,") return;
  std::size_t start = 0;
  for (int field = 0; field < 4; ++field) {
    const std::size_t comma = text.find(',', start);
    if (comma == std::string::npos) return;
    const std::string value = text.substr(start, comma - start);
    switch (field) {
      case 0:
        if (!IsBlank(value)) font.name = value;
        break;
      case 1: ApplyNumber(value, font.charset); break;
      case 2: ApplyNumber(value, font.color); break;
      case 3: ApplyNumber(value, font.size); break;
    }
    start = comma + 1;
  }
  ApplyNumber(text.substr(start), font.style);
  if (font.color == 0xFFFFFF) font.color = kAlmostWhite;
}

std::string FormatDeskFont(const DeskFont& font) {
  const int color = font.color == 0xFFFFFF ? kAlmostWhite : font.color;
  return font.name + "," + std::to_string(font.charset) + "," + std::to_string(color) + "," +
         std::to_string(font.size) + "," + std::to_string(font.style);
}

void WriteOptions(const AppSettings& settings) {
  RegKey key = OpenAppKeyForWriting();
  key.WriteDword("ShowHint", settings.showHint);
  key.WriteDword("NoTray", settings.CloseEndsProgram());
  key.WriteDword("DbClickToRun", settings.dbClickToRun);
  key.WriteDword("AutoClose", settings.autoClose);
  key.WriteDword("StartWifi", settings.startWifi);
  key.WriteDword("ForceWifi", settings.forceWifi);
}

void WriteShellSettings(const AppSettings& settings) {
  RegKey key = OpenAppKeyForWriting();
  key.WriteString("Top", std::to_string(settings.top));
  key.WriteString("Left", std::to_string(settings.left));
  key.WriteString("Height", std::to_string(settings.height));
  key.WriteString("Width", std::to_string(settings.width));
  key.WriteDword("ShowGroup", settings.showGroup);
  key.WriteDword("endeskinfo", settings.deskInfo);
  key.WriteDword("deskinfopos", settings.deskInfoAtTop);
  key.WriteDword("deskpf", settings.deskShowsProfile);
  key.WriteString("deskfnt", FormatDeskFont(settings.deskFont));
  key.WriteDword("deskbg", static_cast<DWORD>(settings.deskBackground));
  key.WriteDword("deskalpha", static_cast<DWORD>(settings.deskAlpha));
  key.WriteDword("popip", settings.popIp);
}

void WriteLastActivation(const std::string& log, const std::string& profileName) {
  RegKey key = OpenAppKeyForWriting();
  key.WriteString("LastLog", log);
  key.WriteString("His1", profileName);
}

bool ReadAutoClose() {
  RegKey key;
  return key.Open(HKEY_CURRENT_USER, kAppKeyPath) == ERROR_SUCCESS && ReadFlag(key, "AutoClose");
}

std::vector<std::string> ReadRecentlyUsed(const std::string& valueName) {
  RegKey key;
  if (key.Open(HKEY_CURRENT_USER, kAppKeyPath) != ERROR_SUCCESS) return {};
  return SplitList(ReadText(key, valueName), "|");
}

void AddRecentlyUsed(const std::string& valueName, const std::string& text, std::size_t maxEntries) {
  std::vector<std::string> entries = ReadRecentlyUsed(valueName);
  for (const std::string& entry : entries) {
    if (entry == text) return;
  }
  entries.insert(entries.begin(), text);
  if (entries.size() > maxEntries) entries.resize(maxEntries);
  std::string stored;
  for (const std::string& entry : entries) stored += "|" + entry;
  OpenAppKeyForWriting().WriteString(valueName, stored);
}

}  // namespace cvn::store
