// The vantaro-mkmap pipeline: CSV rows -> conversion -> filters -> map file.
#include "MakeMap.h"

#include <cmath>

#include "CatalogColumns.h"
#include "CsvReader.h"
#include "StarConversion.h"

namespace {

constexpr const char* kTool = "vantaro-mkmap: ";
constexpr uint64_t kProgressInterval = 1000000;  // rows between two progress lines

// The filters read the values the program will see: the stored millionths
// decoded the way the loader decodes them.
double Decoded(int32_t millionths) { return static_cast<double>(millionths) * 1e-6; }

double DistanceFromOrigin(const MapStar& star) {
  const double x = Decoded(star.x), y = Decoded(star.y), z = Decoded(star.z);
  return std::sqrt(x * x + (y * y + z * z));
}

void Tally(LeftOut reason, MakeMapSummary& summary) {
  switch (reason) {
    case LeftOut::NoAbsoluteMagnitude:
      ++summary.noAbsoluteMagnitude;
      break;
    case LeftOut::OutsideFieldRange:
      ++summary.outsideFieldRange;
      break;
    case LeftOut::CatalogNumberTooLarge:
      ++summary.catalogNumberTooLarge;
      break;
    case LeftOut::None:
      break;
  }
}

void Tally(const ConversionNotes& notes, MakeMapSummary& summary) {
  summary.properNames += notes.properName;
  summary.designations += notes.designation;
  summary.unreadableDesignations += notes.unreadableDesignation;
  summary.charactersReplaced += notes.charactersReplaced;
  summary.namesCut += notes.nameCut;
  summary.tagsCut += notes.tagCut;
}

void WriteSummary(std::ostream& log, const MakeMapOptions& options, const MakeMapSummary& summary) {
  log << kTool << "wrote " << summary.starsWritten << " stars to " << options.output << " ("
      << summary.bytesWritten << " bytes; " << WorldFrameName(options.frame) << " frame, "
      << MapEncodingName(options.encoding) << " encoding)\n";
  log << "  rows read: " << summary.rowsRead << "\n";
  const auto line = [&](uint64_t count, const char* text) {
    if (count) log << "  " << count << text << "\n";
  };
  line(summary.noAbsoluteMagnitude, " left out: no absolute magnitude");
  line(summary.outsideFieldRange, " left out: a coordinate or the magnitude beyond +-2147.483647");
  line(summary.catalogNumberTooLarge, " left out: catalogue number above 16777215");
  line(summary.beyondMaxDistance, " left out: farther than --max-distance");
  line(summary.fainterThanMaxAbsMag, " left out: fainter than --max-absmag");
  if (summary.stoppedAtLimit) log << "  stopped at --limit " << *options.limit << "\n";
  log << "  names: " << summary.properNames << " proper names, " << summary.designations << " designations\n";
  line(summary.unreadableDesignations, " designations not of the form \"BD+38 4343\" ignored");
  line(summary.charactersReplaced, " names or types with characters replaced for code page 1252");
  line(summary.namesCut, " names cut to 133 bytes");
  line(summary.tagsCut, " spectral types cut to 9 bytes");
}

class MapMaker {
 public:
  MapMaker(const MakeMapOptions& options, std::ostream& log, MakeMapSummary& summary)
      : m_options(options), m_log(log), m_summary(summary) {}

  int Run() {
    std::string error;
    if (!m_writer.Open(m_options.output, m_options.encoding, &error)) return Fail(kExitFailure, error);
    for (const std::string& input : m_options.inputs) {
      if (LimitReached()) break;
      const int status = ReadFile(input);
      if (status != kExitSuccess) return status;
    }
    m_summary.starsWritten = m_writer.count();
    m_summary.bytesWritten = m_writer.bytesWritten();
    if (!m_writer.Finish(&error)) return Fail(kExitFailure, error);
    WriteSummary(m_log, m_options, m_summary);
    return kExitSuccess;
  }

 private:
  bool LimitReached() {
    if (m_options.limit && m_writer.count() >= *m_options.limit) m_summary.stoppedAtLimit = true;
    return m_summary.stoppedAtLimit;
  }

  int Fail(int code, const std::string& error) {
    m_log << kTool << error << "\n";
    return code;
  }

  int ReadFile(const std::string& path) {
    CsvReader reader;
    if (!reader.Open(path)) return Fail(kExitFailure, reader.error());
    CsvReader::Result result = reader.Next();
    if (result == CsvReader::Result::Error) return Fail(kExitBadInput, reader.error());
    if (result == CsvReader::Result::End) return Fail(kExitBadInput, path + ": empty file, no header line");
    CatalogColumns columns;
    std::string error;
    if (!columns.Bind(reader.fields(), &error)) return Fail(kExitBadInput, path + ":1: " + error);

    CatalogStar row;
    while (!LimitReached() && (result = reader.Next()) == CsvReader::Result::Record) {
      if (!columns.Parse(reader.fields(), &row, &error))
        return Fail(kExitBadInput, path + ":" + std::to_string(reader.line()) + ": " + error);
      if (++m_summary.rowsRead % kProgressInterval == 0)
        m_log << kTool << m_summary.rowsRead << " rows read, " << m_writer.count() << " stars written\n";
      if (!AddRow(row, &error)) return Fail(kExitFailure, error);
    }
    if (result == CsvReader::Result::Error) return Fail(kExitBadInput, reader.error());
    return kExitSuccess;
  }

  // Converts, filters and writes one row. False when the write failed.
  bool AddRow(const CatalogStar& row, std::string* error) {
    ConversionNotes notes;
    const LeftOut reason = ConvertStar(row, m_options.frame, m_options.encoding, &m_star, &notes);
    if (reason != LeftOut::None) {
      Tally(reason, m_summary);
      return true;
    }
    if (m_options.maxDistance && !(DistanceFromOrigin(m_star) <= *m_options.maxDistance)) {
      ++m_summary.beyondMaxDistance;
      return true;
    }
    if (m_options.maxAbsMag && !(Decoded(m_star.absMag) <= *m_options.maxAbsMag)) {
      ++m_summary.fainterThanMaxAbsMag;
      return true;
    }
    Tally(notes, m_summary);
    return m_writer.Append(m_star, error);
  }

  const MakeMapOptions& m_options;
  std::ostream& m_log;
  MakeMapSummary& m_summary;
  MapFileWriter m_writer;
  MapStar m_star;
};

}  // namespace

int MakeMap(const MakeMapOptions& options, std::ostream& log, MakeMapSummary* summary) {
  MakeMapSummary local;
  MakeMapSummary& tally = summary ? *summary : local;
  tally = MakeMapSummary();
  return MapMaker(options, log, tally).Run();
}
