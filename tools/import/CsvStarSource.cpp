// Text inputs (plain or gzip): the catalogue and HYG layout, AT-HYG, and the
// Gaia archive's CSV and ECSV (its "#" header read for the delimiter, comma
// or space).
#include <algorithm>
#include <string_view>

#include "CsvReader.h"
#include "ExitCodes.h"
#include "GaiaColumns.h"
#include "StarSource.h"

namespace {

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// The value of the ECSV header's top-level "delimiter" key: the space unless
// the header names the comma. false for any other value.
bool EcsvDelimiter(std::string_view header, char* delimiter, std::string* value) {
  *delimiter = ' ';
  for (size_t begin = 0; begin < header.size();) {
    const size_t end = std::min(header.find('\n', begin), header.size());
    std::string_view line = header.substr(begin, end - begin);
    begin = end + 1;
    if (!line.starts_with(" delimiter:")) continue;
    line.remove_prefix(11);
    line = Trimmed(line);
    *value = std::string(line);
    if (line == "','" || line == "\",\"" || line == ",") {
      *delimiter = ',';
    } else if (line != "' '" && line != "\" \"") {
      return false;
    }
  }
  return true;
}

class CsvStarSource : public StarSource {
 public:
  int Open(const std::string& path, const StarSourceOptions& options, bool ecsv) {
    m_path = path;
    m_options = options;
    if (!m_reader.Open(path)) {
      m_error = m_reader.error();
      return kExitFailure;
    }
    if (ecsv) {
      std::string header, delimiter;
      m_reader.ReadCommentLines(&header);
      char separator = ' ';
      if (!EcsvDelimiter(header, &separator, &delimiter))
        return Fail(path + ": the ECSV delimiter " + delimiter + " is neither a space nor a comma");
      m_reader.SetDelimiter(separator);
    }
    const CsvReader::Result result = m_reader.Next();
    if (result == CsvReader::Result::Error) return Fail(m_reader.error());
    if (result == CsvReader::Result::End) return Fail(path + ": empty file, no header line");
    const auto header = m_reader.fields();
    m_gaia = GaiaColumns::Recognizes(header);
    if (ecsv && !m_gaia) return Fail(path + ": an ECSV file without the Gaia columns source_id and parallax");
    const bool bound =
        m_gaia ? m_gaiaColumns.Bind(header, m_options, &m_error) : m_columns.Bind(header, &m_error);
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
      *skip = ToRowSkip(ConvertGaiaRow(row, m_options, m_gaiaColumns.hasQualityColumn(), &m_name, star));
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

std::unique_ptr<StarSource> OpenCsvStarSource(const std::string& path, const StarSourceOptions& options,
                                              bool ecsv, std::string* error, int* code) {
  auto source = std::make_unique<CsvStarSource>();
  *code = source->Open(path, options, ecsv);
  if (*code == kExitSuccess) return source;
  *error = source->error();
  return nullptr;
}
