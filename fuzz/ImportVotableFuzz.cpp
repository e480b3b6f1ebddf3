// Fuzz target for the importer's VOTable reader: the XML through expat, the
// FIELDs and their types, TABLEDATA cells (in chunks on threads, and the
// single parser reading on from where a chunk cannot be parsed alone), base64
// streams and the BINARY and BINARY2 rows cut from them. The first byte chooses what the rest is:
//   0: a VOTable document;  1: the same, gzip-compressed;
//   2, 3: the bytes of a BINARY (2) or BINARY2 (3) stream, base64-encoded
//   here into a table of the archive's columns, so that row decoding is
//   reached without the fuzzer having to find base64 first.
#include <unistd.h>
#include <zlib.h>

#include <cstdint>
#include <string>

#include "ExitCodes.h"
#include "ReadStarSource.h"

namespace {

constexpr const char* kFields =
    "<?xml version=\"1.0\"?>\n<VOTABLE version=\"1.4\"><RESOURCE><TABLE>\n"
    "<FIELD name=\"source_id\" datatype=\"long\"><VALUES null=\"0\"/></FIELD>\n"
    "<FIELD name=\"designation\" datatype=\"char\" arraysize=\"*\"/>\n"
    "<FIELD name=\"ra\" datatype=\"double\"/><FIELD name=\"dec\" datatype=\"double\"/>\n"
    "<FIELD name=\"parallax\" datatype=\"double\"/><FIELD name=\"parallax_over_error\" datatype=\"float\"/>\n"
    "<FIELD name=\"phot_g_mean_mag\" datatype=\"float\"/><FIELD name=\"bp_rp\" datatype=\"float\"/>\n"
    "<FIELD name=\"spectraltype_esphs\" datatype=\"unicodeChar\" arraysize=\"4\"/>\n"
    "<FIELD name=\"r_med_geo\" datatype=\"float\"/><FIELD name=\"flags\" datatype=\"bit\" arraysize=\"3\"/>\n"
    "<DATA>";

std::string Base64(const uint8_t* data, size_t size) {
  const char* alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  for (size_t i = 0; i < size; i += 3) {
    const size_t left = std::min<size_t>(3, size - i);
    uint32_t group = 0;
    for (size_t k = 0; k < 3; ++k) group = group << 8 | (k < left ? data[i + k] : 0u);
    for (size_t k = 0; k < 4; ++k) out.push_back(k <= left ? alphabet[(group >> (18 - 6 * k)) & 63] : '=');
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  static const std::string path = "/tmp/vantaro-votable-fuzz-" + std::to_string(getpid());
  const int mode = data[0] % 4;
  std::string document;
  if (mode >= 2) {
    const char* serialisation = mode == 2 ? "BINARY" : "BINARY2";
    document = std::string(kFields) + "<" + serialisation + "><STREAM encoding=\"base64\">" +
               Base64(data + 1, size - 1) + "</STREAM></" + serialisation +
               "></DATA></TABLE></RESOURCE></VOTABLE>";
  } else {
    document.assign(reinterpret_cast<const char*>(data + 1), size - 1);
  }
  gzFile file = gzopen(path.c_str(), mode == 1 ? "wb1" : "wbT");
  if (!file) return 0;
  if (!document.empty()) gzwrite(file, document.data(), static_cast<unsigned>(document.size()));
  gzclose(file);

  std::string error;
  int code = kExitSuccess;
  const auto source = OpenVotableSource(path, StarSourceOptions{}, &error, &code);
  ReadStarSource(source, error, [](const CatalogStar&, RowSkip) {});
  return 0;
}
