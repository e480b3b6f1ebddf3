// Gaia archive results as FITS binary tables, plain or compressed in any way
// CFITSIO reads (gzip, bzip2, compress, zip), read through CFITSIO a block of
// rows at a time, column by column.
#include <fitsio.h>

#include <cmath>
#include <limits>
#include <vector>

#include "ExitCodes.h"
#include "FitsHeaderCheck.h"
#include "StarSource.h"

namespace {

constexpr double kNull = std::numeric_limits<double>::quiet_NaN();

std::string FitsMessage(int status) {
  char text[FLEN_STATUS] = {};
  fits_get_errstatus(status, text);
  fits_clear_errmsg();
  return text;
}

std::optional<double> Value(const std::vector<double>& column, size_t row) {
  if (column.empty() || std::isnan(column[row])) return std::nullopt;
  return column[row];
}

class GaiaFitsSource : public StarSource {
 public:
  ~GaiaFitsSource() override {
    int status = 0;
    if (m_file) fits_close_file(m_file, &status);
  }

  // A file on disk, or with data the FITS file in memory (size bytes).
  int Open(const std::string& path, const StarSourceOptions& options, void* data = nullptr, size_t size = 0) {
    m_path = path;
    m_options = options;
    int status = 0;
    m_memory = data;
    m_memorySize = size;
    FitsHeaderCheck headers(path, data, size);
    if (!CheckHeader(headers, 0, 1)) return kExitBadInput;
    // The disk-file call takes the name as it is, without CFITSIO's
    // extended syntax (brackets, filters); it opens compressed files too.
    if (data ? fits_open_memfile(&m_file, path.c_str(), READONLY, &m_memory, &m_memorySize, 0, nullptr,
                                 &status)
             : fits_open_diskfile(&m_file, path.c_str(), READONLY, &status))
      return Fail(kExitFailure, status);
    if (!MoveToBinaryTable(headers)) return kExitBadInput;
    // CFITSIO's in-memory driver trusts the header's size of the data.
    LONGLONG headerStart = 0, dataStart = 0, dataEnd = 0;
    if (fits_get_hduaddrll(m_file, &headerStart, &dataStart, &dataEnd, &status))
      return Fail(kExitBadInput, status);
    if (data && static_cast<uint64_t>(dataEnd) > size) {
      m_error = m_path + ": the binary table's rows run past the end of the file";
      return kExitBadInput;
    }
    if (fits_get_num_rowsll(m_file, &m_rowCount, &status)) return Fail(kExitBadInput, status);
    long blockRows = 0;
    if (fits_get_rowsize(m_file, &blockRows, &status)) return Fail(kExitBadInput, status);
    m_blockRows = std::max<long>(blockRows, 1024);
    for (int field = 0; field < kGaiaFieldCount; ++field)
      if (!Bind(field, GaiaFieldRequired(field, options))) return kExitBadInput;
    return kExitSuccess;
  }

  Result Next(CatalogStar* star, RowSkip* skip) override {
    if (m_next == m_blockEnd) {
      if (m_blockEnd == m_rowCount) return Result::End;
      if (!ReadBlock()) return Result::Error;
    }
    const size_t i = static_cast<size_t>(m_next - m_blockStart);
    const long long rowNumber = ++m_next;  // FITS rows count from 1
    GaiaRow row;
    row.sourceId = static_cast<uint64_t>(m_sourceIds[i]);
    for (int field : {kGaiaRa, kGaiaDec}) {
      if (std::isnan(m_columns[field].values[i])) {
        m_error = m_path + ": FITS row " + std::to_string(rowNumber) + ": column '" +
                  kGaiaFields[field].name + "': null";
        return Result::Error;
      }
    }
    row.ra = m_columns[kGaiaRa].values[i];
    row.dec = m_columns[kGaiaDec].values[i];
    for (int field = kGaiaParallax; field <= kGaiaRMedPhotogeo; ++field)
      GaiaNumber(row, field) = Value(m_columns[field].values, i);
    row.designation = Text(m_columns[kGaiaDesignation], i);
    row.spect = Text(m_columns[kGaiaSpect], i);
    const bool hasQuality = m_columns[kGaiaParallaxError].number || m_columns[kGaiaParallaxOverError].number;
    *skip = ToRowSkip(ConvertGaiaRow(row, m_options, hasQuality, &m_name, star));
    return Result::Row;
  }

  const std::string& error() const override { return m_error; }
  double fractionRead() const override {
    return m_rowCount ? static_cast<double>(m_next) / static_cast<double>(m_rowCount) : 1.0;
  }
  const char* kind() const override { return "Gaia FITS"; }

 private:
  struct Column {
    const char* name = "";
    bool text = false;
    int number = 0;  // 0: absent
    long width = 0;  // text columns: characters per value
    std::vector<double> values;
    std::vector<char> characters;  // text: width + 1 per row
    std::vector<char*> pointers;
  };

  // Moves HDU by HDU (CFITSIO parses the header of each it passes), each
  // header checked before CFITSIO reads it.
  bool MoveToBinaryTable(FitsHeaderCheck& headers) {
    for (int hdu = 2;; ++hdu) {
      int status = 0, type = 0;
      LONGLONG headerStart = 0, dataStart = 0, next = 0;
      if (fits_get_hduaddrll(m_file, &headerStart, &dataStart, &next, &status)) return Problem(status);
      if (!CheckHeader(headers, static_cast<uint64_t>(next), hdu)) return false;
      if (fits_movabs_hdu(m_file, hdu, &type, &status)) {
        if (status != END_OF_FILE) return Problem(status);
        fits_clear_errmsg();
        m_error = m_path + ": no binary table in the FITS file";
        return false;
      }
      if (type == BINARY_TBL) return true;
    }
  }

  bool CheckHeader(FitsHeaderCheck& headers, uint64_t offset, int hdu) {
    const std::string problem = headers.UnsafeCard(offset);
    if (problem.empty()) return true;
    m_error = m_path + ": HDU " + std::to_string(hdu) + ": " + problem;
    return false;
  }

  bool Bind(int field, bool required) {
    Column& column = m_columns[field];
    column.name = kGaiaFields[field].name;
    column.text = kGaiaFields[field].text;
    int status = 0;
    if (fits_get_colnum(m_file, CASEINSEN, const_cast<char*>(column.name), &column.number, &status)) {
      fits_clear_errmsg();
      column.number = 0;
      if (!required) return true;
      m_error = m_path + ": no column named '" + column.name + "' in the FITS table";
      return false;
    }
    int type = 0;
    long repeat = 0;
    if (fits_get_eqcoltype(m_file, column.number, &type, &repeat, &column.width, &status))
      return Problem(status);
    if ((type == TSTRING) != column.text) {
      m_error = m_path + ": column '" + column.name + "' of the FITS table is " +
                (column.text ? "a number, not text" : "text, not a number");
      return false;
    }
    if (!column.text && repeat != 1) {
      m_error = m_path + ": column '" + column.name + "' of the FITS table holds " + std::to_string(repeat) +
                " values a row, not one";
      return false;
    }
    if (column.text) column.width = repeat;
    return true;
  }

  bool ReadBlock() {
    m_blockStart = m_blockEnd;
    const long long count = std::min<long long>(m_blockRows, m_rowCount - m_blockStart);
    const long long first = m_blockStart + 1;
    int status = 0;
    m_sourceIds.resize(static_cast<size_t>(count));
    LONGLONG nullId = 0;
    int anyNull = 0;
    const Column& sourceId = m_columns[kGaiaSourceId];
    if (fits_read_col(m_file, TLONGLONG, sourceId.number, first, 1, count, &nullId, m_sourceIds.data(),
                      &anyNull, &status))
      return BlockError(sourceId, first, count, status);
    for (int field = kGaiaRa; field < kGaiaFieldCount; ++field) {
      Column& column = m_columns[field];
      if (!column.number) continue;
      if (column.text) {
        const size_t stride = static_cast<size_t>(column.width) + 1;
        column.characters.assign(stride * static_cast<size_t>(count), '\0');
        column.pointers.resize(static_cast<size_t>(count));
        for (size_t i = 0; i < column.pointers.size(); ++i)
          column.pointers[i] = &column.characters[i * stride];
        char empty[] = "";
        if (fits_read_col(m_file, TSTRING, column.number, first, 1, count, empty, column.pointers.data(),
                          &anyNull, &status))
          return BlockError(column, first, count, status);
        continue;
      }
      column.values.resize(static_cast<size_t>(count));
      double null = kNull;
      if (fits_read_col(m_file, TDOUBLE, column.number, first, 1, count, &null, column.values.data(),
                        &anyNull, &status))
        return BlockError(column, first, count, status);
    }
    m_blockEnd = m_blockStart + count;
    return true;
  }

  static std::string_view Text(const Column& column, size_t row) {
    return column.number ? std::string_view(column.pointers[row]) : std::string_view();
  }

  bool BlockError(const Column& column, long long first, long long count, int status) {
    m_error = m_path + ": FITS rows " + std::to_string(first) + "-" + std::to_string(first + count - 1) +
              ": column '" + column.name + "': " + FitsMessage(status);
    return false;
  }

  bool Problem(int status) {
    m_error = m_path + ": " + FitsMessage(status);
    return false;
  }

  int Fail(int code, int status) {
    Problem(status);
    return code;
  }

  std::string m_path;
  StarSourceOptions m_options;
  fitsfile* m_file = nullptr;
  long long m_rowCount = 0, m_blockRows = 0;
  long long m_blockStart = 0, m_blockEnd = 0, m_next = 0;
  std::vector<LONGLONG> m_sourceIds;
  Column m_columns[kGaiaFieldCount];
  void* m_memory = nullptr;  // the in-memory file's data, when it is one
  size_t m_memorySize = 0;
  std::string m_name;
  std::string m_error;
};

}  // namespace

std::unique_ptr<StarSource> OpenGaiaFitsSource(const std::string& path, const StarSourceOptions& options,
                                               std::string* error, int* code, const void* data, size_t size) {
  auto source = std::make_unique<GaiaFitsSource>();
  *code = source->Open(path, options, const_cast<void*>(data), size);
  if (*code == kExitSuccess) return source;
  *error = source->error();
  return nullptr;
}
