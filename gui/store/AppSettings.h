// The program's own settings: values of HKCU\Software\Corvane beside the profile keys.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace cvn::store {

// Pure white is the desktop window's transparent colour, so white text is kept as this.
inline constexpr int kAlmostWhite = 16448250;

struct DeskFont {
  std::string name = "Courier New";
  int charset = 1;
  int color = kAlmostWhite;
  int size = 8;
  int style = 0;  // 1 bold, 2 italic, 4 underline, 8 strike-out
};

struct AppSettings {
  // Options.
  bool showHint = true;
  std::optional<bool> noTray;  // absent: the close button ends the program
  bool dbClickToRun = false;
  bool autoClose = false;
  bool startWifi = false;
  bool forceWifi = false;
  // Application password (empty: none) and what else it guards.
  std::string password;
  bool passwordGuardsEdit = false;
  bool passwordGuardsImport = false;
  // Groups, stored newest first as "name|" each.
  std::string groups;
  bool showGroup = false;
  // Main window and desktop information.
  int top = 110, left = 220, height = 410, width = 590;
  bool deskInfo = false;
  bool deskInfoAtTop = false;
  bool deskShowsProfile = false;
  DeskFont deskFont;
  int deskBackground = 1;
  int deskAlpha = 185;
  bool popIp = false;
  // The last activation and the hosts-file back-up.
  std::string lastProfile;
  bool hostsBackedUp = false;

  bool CloseEndsProgram() const { return noTray.value_or(true); }
};

// Reads every setting with its default. A value of the wrong type is reported through
// `reportError` and ends the reading pass: the settings after it keep their defaults.
AppSettings LoadAppSettings(const std::function<void(const std::string&)>& reportError);

// Window positions stored for a larger screen come back onto this one.
void FitToScreen(AppSettings& settings, int screenWidth, int screenHeight);

// "deskfnt": name, character set, colour, size and style joined by ",".
void ApplyDeskFont(const std::string& text, DeskFont& font);
std::string FormatDeskFont(const DeskFont& font);

// Written by their owners: the Options dialog, the shutdown, the activation.
void WriteOptions(const AppSettings& settings);
void WriteShellSettings(const AppSettings& settings);
void WriteLastActivation(const std::string& log, const std::string& profileName);
bool ReadAutoClose();

// The recently-used lists "RUShare" (7 entries) and "MapHis" (5), newest first.
std::vector<std::string> ReadRecentlyUsed(const std::string& valueName);
void AddRecentlyUsed(const std::string& valueName, const std::string& text, std::size_t maxEntries);

}  // namespace cvn::store
