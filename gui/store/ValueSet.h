// Named registry values held in memory, by the same case-insensitive names as the registry.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace cvn::store {

// flag: REG_DWORD 0 or 1; number: REG_DWORD signed; text: REG_SZ.
enum class ValueKind { Flag, Number, Text };

struct StoredValue {
  ValueKind kind = ValueKind::Text;
  std::int32_t number = 0;
  std::string text;
};

struct NameLess {
  bool operator()(std::string_view a, std::string_view b) const;
  using is_transparent = void;
};

class ValueSet {
 public:
  using Map = std::map<std::string, StoredValue, NameLess>;

  bool Has(std::string_view name) const { return values_.find(name) != values_.end(); }
  // A missing flag is off, a missing number is `fallback`, a missing text is empty.
  bool Flag(std::string_view name) const;
  std::int32_t Number(std::string_view name, std::int32_t fallback = 0) const;
  std::string Text(std::string_view name) const;

  void SetFlag(const std::string& name, bool on);
  void SetNumber(const std::string& name, std::int32_t value);
  void SetText(const std::string& name, std::string value);
  void Remove(std::string_view name);

  const Map& All() const { return values_; }

 private:
  Map values_;
};

}  // namespace cvn::store
