// Writes Gaia-archive-shaped FITS binary tables with CFITSIO, a block of rows
// at a time, for the importer's tests and benchmarks. NaN is a null.
#pragma once

#include <fitsio.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

struct GaiaTableBlock {
  std::vector<long long> sourceId;
  std::vector<std::string> designation;
  std::vector<double> ra, dec, parallax, parallaxOverError, gMag, bpRp;
};

class GaiaFitsTable {
 public:
  // Creates the file (replacing it) with the columns of gaiadr3.gaia_source
  // the importer reads; a column name given as dropColumn is left out, and
  // textColumn is written as text instead of a number.
  explicit GaiaFitsTable(const std::string& path, const std::string& dropColumn = "",
                         const std::string& textColumn = "") {
    std::remove(path.c_str());
    fits_create_diskfile(&m_file, path.c_str(), &m_status);
    const char* names[] = {"source_id",           "designation",     "ra",   "dec", "parallax",
                           "parallax_over_error", "phot_g_mean_mag", "bp_rp"};
    const char* forms[] = {"K", "28A", "D", "D", "D", "E", "E", "E"};
    std::vector<char*> ttype, tform;
    for (int i = 0; i < 8; ++i) {
      if (names[i] == dropColumn) continue;
      m_columns.push_back(i);
      ttype.push_back(const_cast<char*>(names[i]));
      tform.push_back(const_cast<char*>(names[i] == textColumn ? "16A" : forms[i]));
      m_text.push_back(names[i] == textColumn);
    }
    fits_create_tbl(m_file, BINARY_TBL, 0, static_cast<int>(ttype.size()), ttype.data(), tform.data(),
                    nullptr, "gaia_source", &m_status);
  }
  ~GaiaFitsTable() { Close(); }

  void Append(GaiaTableBlock& block) {
    const long long count = static_cast<long long>(block.ra.size());
    std::vector<char*> designations;
    for (std::string& text : block.designation) designations.push_back(text.data());
    std::vector<std::string> texts(block.ra.size(), "x");
    std::vector<char*> textPointers;
    for (std::string& text : texts) textPointers.push_back(text.data());
    std::vector<double>* numbers[] = {nullptr,     nullptr,         &block.ra,
                                      &block.dec,  &block.parallax, &block.parallaxOverError,
                                      &block.gMag, &block.bpRp};
    for (size_t c = 0; c < m_columns.size(); ++c) {
      const int column = static_cast<int>(c) + 1, which = m_columns[c];
      if (m_text[c]) {
        fits_write_col(m_file, TSTRING, column, m_rows + 1, 1, count, textPointers.data(), &m_status);
      } else if (which == 0) {
        fits_write_col(m_file, TLONGLONG, column, m_rows + 1, 1, count, block.sourceId.data(), &m_status);
      } else if (which == 1) {
        fits_write_col(m_file, TSTRING, column, m_rows + 1, 1, count, designations.data(), &m_status);
      } else {
        fits_write_col(m_file, TDOUBLE, column, m_rows + 1, 1, count, numbers[which]->data(), &m_status);
      }
    }
    m_rows += count;
  }

  // Closes the file; true when every CFITSIO call succeeded.
  bool Close() {
    if (m_file) fits_close_file(m_file, &m_status);
    m_file = nullptr;
    return m_status == 0;
  }

 private:
  fitsfile* m_file = nullptr;
  int m_status = 0;
  long long m_rows = 0;
  std::vector<int> m_columns;
  std::vector<bool> m_text;
};
