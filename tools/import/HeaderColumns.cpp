// Column binding and row checks shared by the CSV readers.
#include "HeaderColumns.h"

bool HasColumn(std::span<const std::string> header, std::string_view name) {
  for (const std::string& column : header)
    if (column == name) return true;
  return false;
}

bool BindColumns(std::span<const std::string> header, std::span<const ColumnSlot> slots, std::string* error) {
  for (const ColumnSlot& slot : slots) {
    *slot.index = kNoColumn;
    if (!slot.name) continue;
    for (size_t i = 0; i < header.size() && *slot.index == kNoColumn; ++i)
      if (header[i] == slot.name) *slot.index = i;
    if (slot.required && *slot.index == kNoColumn) {
      *error = std::string("no column named '") + slot.name + "' in the header";
      return false;
    }
  }
  return true;
}

bool HasHeaderFieldCount(std::span<const std::string> row, size_t headerFields, std::string* error) {
  if (row.size() == headerFields) return true;
  *error = std::to_string(row.size()) + " fields where the header has " + std::to_string(headerFields);
  return false;
}

bool FieldError(const char* column, const char* expected, std::string_view text, std::string* error) {
  *error = std::string("column '") + column + "': '" + std::string(text) + "' is not " + expected;
  return false;
}
