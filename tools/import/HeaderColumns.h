// HeaderColumns: what every CSV reader does with a header record and a row
// before reading its own fields: find columns by name, check the field count,
// word a field's error.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

inline constexpr size_t kNoColumn = SIZE_MAX;

// One column a reader looks for; its index is set to kNoColumn when absent.
struct ColumnSlot {
  const char* name;  // nullptr: this reader does not look for it
  size_t* index;
  bool required;
};

// True when the header names this column.
bool HasColumn(std::span<const std::string> header, std::string_view name);

// Finds each slot's column (the first of equal names counts). On failure
// *error names the first required column the header lacks.
bool BindColumns(std::span<const std::string> header, std::span<const ColumnSlot> slots, std::string* error);

// False with *error set when a row's field count differs from the header's.
bool HasHeaderFieldCount(std::span<const std::string> row, size_t headerFields, std::string* error);

// Sets *error to "column 'name': 'text' is not expected" and returns false.
bool FieldError(const char* column, const char* expected, std::string_view text, std::string* error);
