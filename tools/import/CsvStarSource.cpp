// Text inputs (plain or gzip): the catalogue and HYG layout, AT-HYG, and the
// Gaia archive's CSV and ECSV (its "#" header lines skipped). Also picks the
// FITS reader for files that begin like FITS.
#include <zlib.h>

#include <cstring>

#include "CsvReader.h"
#include "ExitCodes.h"
#include "GaiaColumns.h"
#include "StarSource.h"

namespace {

// A FITS file begins with the card "SIMPLE  =".
bool LooksLikeFits(const std::string& path, bool* compressed) {
  gzFile file = gzopen(path.c_str(), "rb");
  if (!file) return false;
  char start[9] = {};
  const bool fits =
      gzread(file, start, sizeof start) == sizeof start && std::memcmp(start, "SIMPLE  =", 9) == 0;
  *compressed = !gzdirect(file);
  gzclose(file);
  return fits;
}

class CsvStarSource : public StarSource {
 public:
  int Open(const std::string& path, const StarSourceOptions& options) {
    m_path = path;
    m_options = options;
    if (!m_reader.Open(path)) {
      m_error = m_reader.error();
      return kExitFailure;
    }
    const bool ecsv = m_reader.SkipCommentLines() > 0;
    const CsvReader::Result result = m_reader.Next();
    if (result == CsvReader::Result::Error) return Fail(m_reader.error());
    if (result == CsvReader::Result::End) return Fail(path + ": empty file, no header line");
    const auto header = m_reader.fields();
    m_gaia = GaiaColumns::Recognizes(header);
    if (ecsv && !m_gaia) return Fail(path + ": an ECSV file without the Gaia columns source_id and parallax");
    const bool bound = m_gaia ? m_gaiaColumns.Bind(header, &m_error) : m_columns.Bind(header, &m_error);
    if (!bound) return Fail(LinePrefix() + m_error);
    m_kind = m_gaia ? (ecsv ? "Gaia ECSV" : "Gaia CSV") : (m_columns.isAtHyg() ? "AT-HYG" : "catalogue CSV");
    return kExitSuccess;
  }

  Result Next(CatalogStar* star, RowSkip* skip) override {
    const CsvReader::Result result = m_reader.Next();
    if (result == CsvReader::Result::End) return Result::End;
    if (result == CsvReader::Result::Error) {
      m_error = m_reader.error();
      return Result::Error;
    }
    std::string problem;
    if (m_gaia) {
      GaiaRow row;
      if (!m_gaiaColumns.Parse(m_reader.fields(), &row, &problem)) return RowError(problem);
      *skip = ToRowSkip(ConvertGaiaRow(row, m_options.minParallaxOverError, m_gaiaColumns.hasQualityColumn(),
                                       &m_name, star));
      return Result::Row;
    }
    if (!m_columns.Parse(m_reader.fields(), star, &problem)) return RowError(problem);
    *skip = star->noDistance ? RowSkip::NoDistance : RowSkip::None;
    return Result::Row;
  }

  const std::string& error() const override { return m_error; }
  double fractionRead() const override {
    return m_reader.fileSize() ? static_cast<double>(m_reader.bytesRead()) / m_reader.fileSize() : 0.0;
  }
  const char* kind() const override { return m_kind; }

 private:
  std::string LinePrefix() const { return m_path + ":" + std::to_string(m_reader.line()) + ": "; }

  int Fail(const std::string& error) {
    m_error = error;
    return kExitBadInput;
  }

  Result RowError(const std::string& problem) {
    m_error = LinePrefix() + problem;
    return Result::Error;
  }

  CsvReader m_reader;
  std::string m_path;
  StarSourceOptions m_options;
  bool m_gaia = false;
  CatalogColumns m_columns;
  GaiaColumns m_gaiaColumns;
  std::string m_name;  // the Gaia star's name, viewed by the row
  std::string m_error;
  const char* m_kind = "";
};

}  // namespace

RowSkip ToRowSkip(GaiaSkip skip) {
  switch (skip) {
    case GaiaSkip::ParallaxNotPositive:
      return RowSkip::ParallaxNotPositive;
    case GaiaSkip::ParallaxQuality:
      return RowSkip::ParallaxQuality;
    case GaiaSkip::NoGMagnitude:
      return RowSkip::NoGMagnitude;
    case GaiaSkip::None:
      break;
  }
  return RowSkip::None;
}

std::unique_ptr<StarSource> OpenStarSource(const std::string& path, const StarSourceOptions& options,
                                           std::string* error, int* code) {
  bool compressed = false;
  if (LooksLikeFits(path, &compressed)) {
    if (!compressed) return OpenGaiaFitsSource(path, options, error, code);
    *error = path + ": a gzip-compressed FITS file; decompress it first (gunzip)";
    *code = kExitFailure;
    return nullptr;
  }
  auto source = std::make_unique<CsvStarSource>();
  *code = source->Open(path, options);
  if (*code == kExitSuccess) return source;
  *error = source->error();
  return nullptr;
}
