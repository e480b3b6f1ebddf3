// Command-line parsing: "--name value" and "--name=value" forms, one
// optional positional document file, "--" ends the options. Also the usage
// and version texts.
#include "shell/CommandLine.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace {

using ValueParser = std::string (*)(std::string_view, RenderOptions&);

struct RenderValueOption {
  const char* name;
  ValueParser parse;
};

constexpr RenderValueOption kRenderValueOptions[] = {
    {"size", ParseRenderSize},          {"position", ParseRenderPosition}, {"view", ParseRenderView},
    {"travel-to", ParseRenderTravelTo}, {"look-at", ParseRenderLookAt},    {"zoom", ParseRenderZoom},
    {"labels", ParseRenderLabels},      {"select", ParseRenderSelect},
};

// Render switches without a value, and the display option each turns on or off.
struct RenderFlag {
  const char* name;
  int DisplayOptions::*option;
  int value;
};

constexpr RenderFlag kRenderFlags[] = {
    {"no-magnitudes", &DisplayOptions::magnitudeDrawing, 0},
    {"colours", &DisplayOptions::colours, 1},
    {"constellations", &DisplayOptions::figures, 1},
    {"grid", &DisplayOptions::grid, 1},
};

// Options that set the same thing two ways: only one of each pair may be given.
constexpr std::pair<const char*, const char*> kExclusiveRenderOptions[] = {
    {"position", "travel-to"},
    {"view", "look-at"},
};

const RenderValueOption* FindRenderOption(std::string_view name) {
  const auto found = std::find_if(std::begin(kRenderValueOptions), std::end(kRenderValueOptions),
                                  [name](const RenderValueOption& o) { return name == o.name; });
  return found == std::end(kRenderValueOptions) ? nullptr : found;
}

bool TakesValue(std::string_view name) {
  return name == "map" || name == "render" || FindRenderOption(name) != nullptr;
}

class Parser {
 public:
  explicit Parser(const std::vector<std::string>& args) : m_args(args) {}

  CommandLineResult Run() {
    CommandLineResult result;
    result.error = ParseAll(result.commandLine);
    if (result.error.empty()) result.error = Check(result.commandLine);
    return result;
  }

 private:
  std::string ParseAll(CommandLine& line) {
    bool optionsEnded = false;
    for (m_next = 0; m_next < m_args.size();) {
      const std::string& arg = m_args[m_next++];
      if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
        if (line.documentFile)
          return "more than one document file: '" + *line.documentFile + "' and '" + arg + "'";
        line.documentFile = arg;
      } else if (arg == "--") {
        optionsEnded = true;
      } else if (std::string error = ParseOption(arg, line); !error.empty()) {
        return error;
      }
    }
    return {};
  }

  std::string ParseOption(const std::string& arg, CommandLine& line) {
    if (arg == "-h" || arg == "--help") {
      m_help = true;
      return {};
    }
    if (arg.rfind("--", 0) != 0) return "unknown option '" + arg + "'";
    const size_t equals = arg.find('=');
    const std::string name = arg.substr(2, equals == std::string::npos ? std::string::npos : equals - 2);
    std::optional<std::string> value;
    if (equals != std::string::npos) value = arg.substr(equals + 1);

    if (!TakesValue(name)) return ParseFlag(name, value.has_value(), line);
    if (!value) {
      if (m_next >= m_args.size()) return "option --" + name + " needs a value";
      value = m_args[m_next++];
    }
    if (name == "map") {
      line.mapPath = *value;
    } else if (name == "render") {
      if (value->empty()) return "option --render needs an output file name";
      line.mode = RunMode::Render;
      line.render.outputPath = *value;
    } else {
      m_renderOnly.push_back(name);
      return FindRenderOption(name)->parse(*value, line.render);
    }
    return {};
  }

  std::string ParseFlag(const std::string& name, bool hasValue, CommandLine& line) {
    const auto flag = std::find_if(std::begin(kRenderFlags), std::end(kRenderFlags),
                                   [&name](const RenderFlag& f) { return name == f.name; });
    if (name != "version" && flag == std::end(kRenderFlags)) return "unknown option '--" + name + "'";
    if (hasValue) return "option --" + name + " takes no value";
    if (name == "version") {
      m_version = true;
      return {};
    }
    line.render.display.*(flag->option) = flag->value;
    m_renderOnly.push_back(name);
    return {};
  }

  std::string Check(CommandLine& line) const {
    if (m_help) {
      line.mode = RunMode::Help;
      return {};
    }
    if (m_version) {
      line.mode = RunMode::Version;
      return {};
    }
    if (line.mode != RunMode::Render) {
      if (!m_renderOnly.empty()) return "option --" + m_renderOnly.front() + " needs --render";
    } else if (line.documentFile) {
      return "--render draws the map; it does not open the document '" + *line.documentFile + "'";
    }
    for (const auto& [first, second] : kExclusiveRenderOptions)
      if (Seen(first) && Seen(second))
        return std::string("give --") + first + " or --" + second + ", not both";
    return {};
  }

  bool Seen(std::string_view name) const {
    return std::find(m_renderOnly.begin(), m_renderOnly.end(), name) != m_renderOnly.end();
  }

  const std::vector<std::string>& m_args;
  size_t m_next = 0;
  bool m_help = false;
  bool m_version = false;
  std::vector<std::string> m_renderOnly;  // render options seen, by name
};

}  // namespace

CommandLineResult ParseCommandLine(const std::vector<std::string>& args) { return Parser(args).Run(); }

std::string UsageText() {
  return "Usage: vantaro [options] [document]\n"
         "\n"
         "An interactive three-dimensional star map.\n"
         "\n"
         "Options:\n"
         "  -h, --help             Show this help and exit.\n"
         "  --version              Show the version and exit.\n"
         "  --map PATH             Load the star map from PATH instead of map.smp.\n"
         "  document               Open this file as the document (no map is loaded).\n"
         "\n"
         "Rendering without a window:\n"
         "  --render OUT.png       Draw one frame and write it as PNG.\n"
         "  --size WxH             Image size in pixels, even width (default 640x480).\n"
         "  --position X,Y,Z       Observer position in light years (default 0,0,0).\n"
         "  --view U,V             View direction in degrees, U 0..360, V -90..90 (default 0,0).\n"
         "  --travel-to NAME       Stand at the first star whose name begins with NAME\n"
         "                         (case-sensitive, designations included); not with --position.\n"
         "  --look-at NAME         Look at that star; not with --view.\n"
         "  --zoom F               Zoom factor greater than 0 (default 1).\n"
         "  --labels LIST          Any of names,small-names,designations,distances.\n"
         "  --no-magnitudes        Draw every star as one pixel, without labels.\n"
         "  --colours              Show the stars in the colours of their spectral classes.\n"
         "  --constellations       Draw the constellation figures between their stars.\n"
         "  --grid                 Draw the galactic grid, every 30 degrees.\n"
         "  --select NAME          Mark that star as selected (found as --look-at finds it).\n"
         "\n"
         "Without --map the map is looked for as map.smp in the current directory,\n"
         "next to the program, then in the installed data directory.\n"
         "The observer travels first, then looks, then zooms. An unknown star name\n"
         "ends the program with exit code 2.\n";
}

std::string VersionText() { return std::string("Vantaro ") + VANTARO_VERSION + "\n"; }
