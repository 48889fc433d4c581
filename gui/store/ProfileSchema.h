// Every value of a profile key and an adapter sub-key: its kind and when the editor's save
// writes it. The order of each table is the order of the save.
#pragma once

#include <span>
#include <string_view>

#include "ValueSet.h"

namespace cvn::store {

enum class SaveRule {
  Always,         // written on every save (a missing flag as off, a missing text as empty)
  Guarded,        // written when the record holds it and its guard flag is on (or it has none)
  WriteOrDelete,  // like Guarded, but deleted when the record holds no (or an empty) text
  NotSaved,       // bookkeeping written by other dialogs, never by the editor's save
};

struct ValueEntry {
  std::string_view name;
  ValueKind kind;
  SaveRule rule;
  std::string_view guard;  // flag that must be on for a Guarded or WriteOrDelete value
};

std::span<const ValueEntry> ProfileValueTable();
std::span<const ValueEntry> AdapterValueTable();

// The entry of a value by name (case-insensitive), or nullptr for names outside the table.
const ValueEntry* FindEntry(std::span<const ValueEntry> table, std::string_view name);

}  // namespace cvn::store
