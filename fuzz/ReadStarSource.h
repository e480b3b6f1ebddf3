// What every importer fuzz target checks of a star source: a failure to open
// says why, every row keeps the share read within 0 to 1, and a row error
// says why. onRow sees each row.
#pragma once

#include <memory>
#include <string>

#include "StarSource.h"

template <typename OnRow>
void ReadStarSource(const std::unique_ptr<StarSource>& source, const std::string& error, OnRow onRow) {
  if (!source) {
    if (error.empty()) __builtin_trap();
    return;
  }
  CatalogStar row;
  RowSkip skip = RowSkip::None;
  StarSource::Result result;
  while ((result = source->Next(&row, &skip)) == StarSource::Result::Row) {
    onRow(row, skip);
    const double fraction = source->fractionRead();
    if (!(fraction >= 0.0 && fraction <= 1.0)) __builtin_trap();
  }
  if (result == StarSource::Result::Error && source->error().empty()) __builtin_trap();
}
