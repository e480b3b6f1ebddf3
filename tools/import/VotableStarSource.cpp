// Gaia archive results as VOTables (the archive's and astroquery's default
// format): the Gaia columns found among the table's FIELDs by name, each row
// read through VotableReader.
#include <strings.h>

#include "ExitCodes.h"
#include "StarSource.h"
#include "VotableReader.h"

namespace {

using Type = VotableReader::Type;

bool IsText(Type type) { return type == Type::Char || type == Type::UnicodeChar; }

// Complex numbers are refused too: a star's value is one real number.
bool IsNumber(Type type) {
  return !IsText(type) && type != Type::Bit && type != Type::Boolean && type != Type::FloatComplex &&
         type != Type::DoubleComplex;
}

class VotableStarSource : public StarSource {
 public:
  int Open(const std::string& path, const StarSourceOptions& options) {
    m_path = path;
    m_options = options;
    if (!m_reader.Open(path)) {
      m_error = m_reader.error();
      return m_reader.opened() ? kExitBadInput : kExitFailure;
    }
    for (int field = 0; field < kGaiaFieldCount; ++field)
      if (!Bind(field, GaiaFieldRequired(field, options))) return kExitBadInput;
    return kExitSuccess;
  }

  Result Next(CatalogStar* star, RowSkip* skip) override {
    const VotableReader::Result result = m_reader.Next();
    if (result == VotableReader::Result::End) return Result::End;
    if (result == VotableReader::Result::Error) {
      m_error = m_reader.error();
      return Result::Error;
    }
    GaiaRow row;
    for (int field : {kGaiaSourceId, kGaiaRa, kGaiaDec})
      if (m_reader.cell(m_index[field]).null) return RowError(field, "null");
    const VotableReader::Cell& sourceId = m_reader.cell(m_index[kGaiaSourceId]);
    if (sourceId.integer < 0) return RowError(kGaiaSourceId, "negative");
    row.sourceId = static_cast<uint64_t>(sourceId.integer);
    row.ra = m_reader.cell(m_index[kGaiaRa]).number;
    row.dec = m_reader.cell(m_index[kGaiaDec]).number;
    for (int field = kGaiaParallax; field <= kGaiaRMedPhotogeo; ++field) {
      std::optional<double>& number = GaiaNumber(row, field);
      number.reset();
      if (m_index[field] == kAbsent) continue;
      const VotableReader::Cell& cell = m_reader.cell(m_index[field]);
      if (!cell.null) number = cell.number;
    }
    row.designation = Text(kGaiaDesignation);
    row.spect = Text(kGaiaSpect);
    const bool hasQuality =
        m_index[kGaiaParallaxError] != kAbsent || m_index[kGaiaParallaxOverError] != kAbsent;
    *skip = ToRowSkip(ConvertGaiaRow(row, m_options, hasQuality, &m_name, star));
    return Result::Row;
  }

  const std::string& error() const override { return m_error; }
  double fractionRead() const override { return m_reader.fractionRead(); }
  const char* kind() const override { return "Gaia VOTable"; }

 private:
  static constexpr size_t kAbsent = SIZE_MAX;

  // Finds the field by name, its exact spelling first, else in any case.
  bool Bind(int gaiaField, bool required) {
    const char* name = kGaiaFields[gaiaField].name;
    const auto& fields = m_reader.fields();
    size_t& index = m_index[gaiaField];
    index = kAbsent;
    for (size_t i = 0; i < fields.size() && index == kAbsent; ++i)
      if (fields[i].name == name) index = i;
    for (size_t i = 0; i < fields.size() && index == kAbsent; ++i)
      if (strcasecmp(fields[i].name.c_str(), name) == 0) index = i;
    if (index == kAbsent) {
      if (!required) return true;
      return Refuse("no column named '" + std::string(name) + "' in the VOTable's table");
    }
    const VotableReader::Field& field = fields[index];
    const bool text = kGaiaFields[gaiaField].text;
    if (text ? !IsText(field.type) : !IsNumber(field.type))
      return Refuse("column '" + std::string(name) + "' of the VOTable is " +
                    (text ? "not text" : "text or a flag, not a number"));
    if (!text && (field.variable || field.count != 1))
      return Refuse("column '" + std::string(name) + "' of the VOTable holds arrays, not one value a row");
    if (gaiaField == kGaiaSourceId && field.type != Type::Long && field.type != Type::Int)
      return Refuse("column 'source_id' of the VOTable is not a whole number (long)");
    m_reader.Want(index);
    return true;
  }

  std::string_view Text(int field) const {
    return m_index[field] == kAbsent ? std::string_view()
                                     : std::string_view(m_reader.cell(m_index[field]).text);
  }

  bool Refuse(const std::string& what) {
    m_error = m_path + ": " + what;
    return false;
  }

  Result RowError(int field, const char* what) {
    m_error = m_path + ": VOTable row " + std::to_string(m_reader.row()) + ": column '" +
              kGaiaFields[field].name + "': " + what;
    return Result::Error;
  }

  VotableReader m_reader;
  std::string m_path;
  StarSourceOptions m_options;
  size_t m_index[kGaiaFieldCount] = {};
  std::string m_name;
  std::string m_error;
};

}  // namespace

std::unique_ptr<StarSource> OpenVotableSource(const std::string& path, const StarSourceOptions& options,
                                              std::string* error, int* code) {
  auto source = std::make_unique<VotableStarSource>();
  *code = source->Open(path, options);
  if (*code == kExitSuccess) return source;
  *error = source->error();
  return nullptr;
}
