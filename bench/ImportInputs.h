// Generated inputs with the real column layouts for the importer's
// benchmarks and for trying vantaro-mkmap on millions of stars: an
// AT-HYG-shaped CSV (every v3 column, plain or gzip) and a Gaia-archive-
// shaped FITS binary table and the same rows as a VOTable (BINARY2 as the
// archive writes it, or TABLEDATA). Stars lie within 650 parsecs, so every row fits
// the map's coordinate range; the rows are the same on every run.
#pragma once

#include <cstdint>
#include <string>

// False when a file cannot be written.
bool WriteAtHygInput(const std::string& path, int64_t rows, bool gzip);
bool WriteGaiaFitsInput(const std::string& path, int64_t rows);
bool WriteGaiaVotableInput(const std::string& path, int64_t rows, bool binary2);
