// Picks the reader for an input from its first bytes, whatever its name: FITS
// (plain, or compressed in any way CFITSIO reads), VOTable, ECSV or CSV, the
// text formats plain or gzip-compressed.
#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <string_view>

#include "ExitCodes.h"
#include "FitsHeaderCheck.h"
#include "StarSource.h"

namespace {

constexpr size_t kSniffBytes = 4096;

enum class InputFormat { Fits, Votable, Ecsv, Csv, Unknown };

// The first bytes of the file as stored, and decompressed when gzip.
struct FileStart {
  bool opened = false;
  std::string stored, content;
};

FileStart ReadStart(const std::string& path) {
  FileStart start;
  gzFile file = gzopen(path.c_str(), "rb");
  if (!file) return start;
  start.opened = true;
  start.content.resize(kSniffBytes);
  const int count = gzread(file, start.content.data(), kSniffBytes);
  start.content.resize(count > 0 ? static_cast<size_t>(count) : 0);
  gzclose(file);
  if (std::FILE* raw = std::fopen(path.c_str(), "rb")) {
    char bytes[4] = {};
    start.stored.assign(bytes, std::fread(bytes, 1, sizeof bytes, raw));
    std::fclose(raw);
  }
  return start;
}

bool IsText(std::string_view bytes) {
  return std::none_of(bytes.begin(), bytes.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r';
  });
}

std::string_view AfterSpaceAndMark(std::string_view text) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  while (!text.empty() &&
         (text.front() == ' ' || text.front() == '\t' || text.front() == '\n' || text.front() == '\r'))
    text.remove_prefix(1);
  return text;
}

InputFormat FormatOf(const FileStart& start) {
  // zlib cannot look into these, CFITSIO reads them.
  if (IsCompressedBeyondZlib(start.stored)) return InputFormat::Fits;
  const std::string_view content = start.content;
  if (content.starts_with("SIMPLE  =")) return InputFormat::Fits;
  const std::string_view text = AfterSpaceAndMark(content);
  if (text.starts_with("<?xml") || text.starts_with("<VOTABLE") || text.starts_with("<!--"))
    return InputFormat::Votable;
  if (text.starts_with("# %ECSV")) return InputFormat::Ecsv;
  return IsText(content) ? InputFormat::Csv : InputFormat::Unknown;
}

}  // namespace

RowSkip ToRowSkip(GaiaSkip skip) {
  switch (skip) {
    case GaiaSkip::ParallaxNotPositive:
      return RowSkip::ParallaxNotPositive;
    case GaiaSkip::ParallaxQuality:
      return RowSkip::ParallaxQuality;
    case GaiaSkip::NoGMagnitude:
      return RowSkip::NoGMagnitude;
    case GaiaSkip::NoChosenDistance:
      return RowSkip::NoChosenDistance;
    case GaiaSkip::None:
      break;
  }
  return RowSkip::None;
}

std::unique_ptr<StarSource> OpenStarSource(const std::string& path, const StarSourceOptions& options,
                                           std::string* error, int* code) {
  const FileStart start = ReadStart(path);
  if (!start.opened) return OpenCsvStarSource(path, options, false, error, code);  // which says why
  switch (FormatOf(start)) {
    case InputFormat::Fits:
      return OpenGaiaFitsSource(path, options, error, code);
    case InputFormat::Votable:
      return OpenVotableSource(path, options, error, code);
    case InputFormat::Ecsv:
      return OpenCsvStarSource(path, options, true, error, code);
    case InputFormat::Csv:
      return OpenCsvStarSource(path, options, false, error, code);
    case InputFormat::Unknown:
      break;
  }
  *error = path + ": not a table vantaro-mkmap reads (CSV, ECSV, VOTable or FITS, plain or compressed)";
  *code = kExitBadInput;
  return nullptr;
}
