// The vantaro-mkmap pipeline: star sources -> conversion -> filters -> map
// file. With --keep nearest|brightest the inputs are read twice: once to rank
// the stars, once to write the chosen ones.
#include "MakeMap.h"

#include <sstream>

#include "ProgressLine.h"
#include "StarConversion.h"
#include "StarSource.h"

namespace {

constexpr const char* kTool = "vantaro-mkmap: ";

const char* KeepRuleName(KeepRule rule) { return rule == KeepRule::Nearest ? "nearest" : "brightest"; }

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

void Tally(RowSkip skip, MakeMapSummary& summary) {
  switch (skip) {
    case RowSkip::NoDistance:
      ++summary.noDistance;
      break;
    case RowSkip::ParallaxNotPositive:
      ++summary.parallaxNotPositive;
      break;
    case RowSkip::ParallaxQuality:
      ++summary.parallaxQuality;
      break;
    case RowSkip::NoGMagnitude:
      ++summary.noGMagnitude;
      break;
    case RowSkip::NoChosenDistance:
      ++summary.noChosenDistance;
      break;
    case RowSkip::None:
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
      << options.encoding.name << " encoding)\n";
  log << "  rows read: " << summary.rowsRead << "\n";
  const auto line = [&](uint64_t count, const std::string& text) {
    if (count) log << "  " << count << text << "\n";
  };
  line(summary.noDistance, " left out: no usable distance");
  line(summary.parallaxNotPositive, " left out: parallax null, zero or negative");
  std::ostringstream quality;
  quality << " left out: parallax over error below " << options.gaia.minParallaxOverError << " or not known";
  line(summary.parallaxQuality, quality.str());
  line(summary.noGMagnitude, " left out: no G magnitude");
  if (options.gaia.distance)
    line(summary.noChosenDistance,
         std::string(" left out: no ") + GaiaDistanceColumn(*options.gaia.distance) + " (--distance)");
  line(summary.noAbsoluteMagnitude, " left out: no absolute magnitude");
  line(summary.outsideFieldRange, " left out: a coordinate or the magnitude beyond +-2147.483647");
  line(summary.catalogNumberTooLarge, " left out: catalogue number above 16777215");
  line(summary.beyondMaxDistance, " left out: farther than --max-distance");
  line(summary.fainterThanMaxAbsMag, " left out: fainter than --max-absmag");
  if (options.limit && options.keep != KeepRule::First)
    line(summary.notKept, std::string(" left out: not among the ") + std::to_string(*options.limit) + " " +
                              KeepRuleName(options.keep));
  if (summary.stoppedAtLimit) log << "  stopped at --limit " << *options.limit << "\n";
  if (summary.distances[0] + summary.distances[1] + summary.distances[2])
    log << "  Gaia distances: " << summary.distances[static_cast<int>(GaiaDistance::Photogeo)]
        << " from r_med_photogeo, " << summary.distances[static_cast<int>(GaiaDistance::Geo)]
        << " from r_med_geo, " << summary.distances[static_cast<int>(GaiaDistance::Parallax)]
        << " from 1000 / parallax\n";
  log << "  names: " << summary.properNames << " proper names, " << summary.designations << " designations\n";
  line(summary.unreadableDesignations, " designations not of the form \"BD+38 4343\" ignored");
  line(summary.charactersReplaced, " names or types with characters replaced for code page 1252");
  line(summary.namesCut, " names cut to 133 bytes");
  line(summary.tagsCut, " spectral types cut to 9 bytes");
}

class MapMaker {
 public:
  MapMaker(const MakeMapOptions& options, std::ostream& log, MakeMapSummary& summary)
      : m_options(options), m_log(log), m_summary(summary), m_progress(log, options.progress) {}

  int Run() {
    if (m_options.limit && m_options.keep != KeepRule::First) {
      m_ranking.emplace(m_options.keep);
      const int status = ReadInputs("ranking");
      if (status != kExitSuccess) return status;
      m_ranking->Choose(*m_options.limit);
      m_ranked = true;
      m_summary = MakeMapSummary();
    }
    std::string error;
    if (!m_writer.Open(m_options.output, m_options.encoding, &error)) return Fail(kExitFailure, error);
    const int status = ReadInputs(m_ranking ? "writing" : "");
    if (status != kExitSuccess) return status;
    m_summary.starsWritten = m_writer.count();
    m_summary.bytesWritten = m_writer.bytesWritten();
    if (!m_writer.Finish(&error)) return Fail(kExitFailure, error);
    WriteSummary(m_log, m_options, m_summary);
    return kExitSuccess;
  }

 private:
  bool Writing() const { return !m_ranking || m_ranked; }

  // Only the first N are taken by stopping; ranked choices read every row.
  bool LimitReached() {
    if (!m_ranking && m_options.limit && m_writer.count() >= *m_options.limit)
      m_summary.stoppedAtLimit = true;
    return m_summary.stoppedAtLimit;
  }

  int Fail(int code, const std::string& error) {
    m_progress.Clear();
    m_log << kTool << error << "\n";
    return code;
  }

  int ReadInputs(const char* pass) {
    for (const std::string& input : m_options.inputs) {
      if (LimitReached()) break;
      const int status = ReadFile(input, pass);
      if (status != kExitSuccess) return status;
    }
    m_progress.Clear();
    return kExitSuccess;
  }

  int ReadFile(const std::string& path, const char* pass) {
    std::string error;
    int code = kExitSuccess;
    const std::unique_ptr<StarSource> source = OpenStarSource(path, m_options.gaia, &error, &code);
    if (!source) return Fail(code, error);
    m_progress.Begin(*pass ? path + " (" + pass + ")" : path);

    CatalogStar row;
    RowSkip skip = RowSkip::None;
    StarSource::Result result = StarSource::Result::End;
    while (!LimitReached() && (result = source->Next(&row, &skip)) == StarSource::Result::Row) {
      m_progress.Update(++m_summary.rowsRead, [&] { return source->fractionRead(); });
      if (skip != RowSkip::None) {
        Tally(skip, m_summary);
        continue;
      }
      const int status = AddRow(row);
      if (status != kExitSuccess) return status;
    }
    if (!LimitReached() && result == StarSource::Result::Error) return Fail(kExitBadInput, source->error());
    return kExitSuccess;
  }

  // Converts, filters and ranks or writes one row.
  int AddRow(CatalogStar& row) {
    // A star numbered by its place takes the number it gets in the map.
    if (row.numberedInOrder) row.id = m_writer.count() + 1;
    ConversionNotes notes;
    const LeftOut reason = ConvertStar(row, m_options.frame, m_options.encoding, &m_star, &notes);
    if (reason != LeftOut::None) {
      Tally(reason, m_summary);
      return kExitSuccess;
    }
    if (m_options.maxDistance && !(DecodedDistance(m_star) <= *m_options.maxDistance)) {
      ++m_summary.beyondMaxDistance;
      return kExitSuccess;
    }
    if (m_options.maxAbsMag && !(Decoded(m_star.absMag) <= *m_options.maxAbsMag)) {
      ++m_summary.fainterThanMaxAbsMag;
      return kExitSuccess;
    }
    if (!Writing()) {
      m_ranking->Count(m_star);
      return kExitSuccess;
    }
    if (m_ranking && !m_ranking->Keep(m_star)) {
      ++m_summary.notKept;
      return kExitSuccess;
    }
    if (m_writer.count() == kMaxStarCount)
      return Fail(
          kExitFailure,
          "more than 16777215 stars qualify, the most a map holds; choose which to keep with --limit N "
          "and --keep nearest|brightest, or narrow the input with --max-distance or --max-absmag");
    Tally(notes, m_summary);
    if (row.gaiaDistance) ++m_summary.distances[static_cast<int>(*row.gaiaDistance)];
    std::string error;
    return m_writer.Append(m_star, &error) ? kExitSuccess : Fail(kExitFailure, error);
  }

  const MakeMapOptions& m_options;
  std::ostream& m_log;
  MakeMapSummary& m_summary;
  ProgressLine m_progress;
  std::optional<StarRanking> m_ranking;
  bool m_ranked = false;
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
