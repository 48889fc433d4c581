#include "ValueSet.h"

#include <algorithm>

namespace cvn::store {
namespace {

char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

bool NameLess::operator()(std::string_view a, std::string_view b) const {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char x, char y) { return Upper(x) < Upper(y); });
}

bool ValueSet::Flag(std::string_view name) const { return Number(name) != 0; }

std::int32_t ValueSet::Number(std::string_view name, std::int32_t fallback) const {
  const auto it = values_.find(name);
  return it == values_.end() || it->second.kind == ValueKind::Text ? fallback : it->second.number;
}

std::string ValueSet::Text(std::string_view name) const {
  const auto it = values_.find(name);
  return it == values_.end() || it->second.kind != ValueKind::Text ? std::string() : it->second.text;
}

void ValueSet::SetFlag(const std::string& name, bool on) {
  values_.insert_or_assign(name, StoredValue{ValueKind::Flag, on ? 1 : 0, {}});
}

void ValueSet::SetNumber(const std::string& name, std::int32_t value) {
  values_.insert_or_assign(name, StoredValue{ValueKind::Number, value, {}});
}

void ValueSet::SetText(const std::string& name, std::string value) {
  values_.insert_or_assign(name, StoredValue{ValueKind::Text, 0, std::move(value)});
}

void ValueSet::Remove(std::string_view name) {
  const auto it = values_.find(name);
  if (it != values_.end()) values_.erase(it);
}

}  // namespace cvn::store
