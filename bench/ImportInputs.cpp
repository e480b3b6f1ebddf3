// Writers of the generated AT-HYG and Gaia inputs (FITS and VOTable).
#include "ImportInputs.h"

#include <zlib.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <numbers>
#include <random>

#include "GaiaFitsTable.h"

namespace {

constexpr double kMaxParsecs = 650.0;

// A direction and distance: uniform on the sky, density falling off with
// distance (uniform in r).
struct Place {
  double raDegrees, decDegrees, parsecs;
};

Place RandomPlace(std::mt19937_64& random) {
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  const double ra = 360.0 * unit(random);
  const double dec = std::asin(2.0 * unit(random) - 1.0) * 180.0 / std::numbers::pi;
  return {ra, dec, 1.0 + (kMaxParsecs - 1.0) * unit(random)};
}

}  // namespace

bool WriteAtHygInput(const std::string& path, int64_t rows, bool gzip) {
  gzFile file = gzopen(path.c_str(), gzip ? "wb6" : "wbT");
  if (!file) return false;
  gzputs(file,
         "id,tyc,gaia,hyg,hip,hd,hr,gl,bayer,flam,con,proper,ra,dec,pos_src,dist,x0,y0,z0,dist_src,mag,"
         "absmag,ci,"
         "mag_src,rv,rv_src,pm_ra,pm_dec,pm_src,vx,vy,vz,spect,spect_src\n");
  std::mt19937_64 random(2024);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  const char* types[] = {"G8 IV", "K0", "A2 V", "", "F5", "M1 III", "", "B9"};
  char line[512];
  for (int64_t id = 1; id <= rows; ++id) {
    const Place place = RandomPlace(random);
    const double ra = place.raDegrees * std::numbers::pi / 180.0,
                 dec = place.decDegrees * std::numbers::pi / 180.0;
    const double d = place.parsecs;
    const double mag = 6.0 + 6.0 * unit(random);
    const bool named = id % 1000 == 0;
    const int length = std::snprintf(
        line, sizeof line,
        "%lld,%d-%d-1,%llu,,%s,%d,,,,,Psc,%s,%.8f,%.8f,T,%.4f,%.4f,%.4f,%.4f,G_R3,%.3f,%.3f,%.3f,T,%.3f,G_R3,"
        "%.3f,%.3f,G_R3,%.2f,%.2f,%.2f,%s,T\n",
        static_cast<long long>(id), static_cast<int>(id % 9537) + 1, static_cast<int>(id % 1999) + 1,
        static_cast<unsigned long long>(2443095153084654208ULL + static_cast<uint64_t>(id) * 7919),
        named ? std::to_string(id / 10).c_str() : "", static_cast<int>(id % 359000) + 1,
        named ? "Generated Star" : "", place.raDegrees / 15.0, place.decDegrees, d,
        d * std::cos(dec) * std::cos(ra), d * std::cos(dec) * std::sin(ra), d * std::sin(dec), mag,
        mag - 5.0 * std::log10(d) + 5.0, 2.0 * unit(random) - 0.2, 100.0 * unit(random) - 50.0,
        200.0 * unit(random) - 100.0, 200.0 * unit(random) - 100.0, 60.0 * unit(random) - 30.0,
        60.0 * unit(random) - 30.0, 60.0 * unit(random) - 30.0, types[id % 8]);
    if (gzwrite(file, line, static_cast<unsigned>(length)) != length) {
      gzclose(file);
      return false;
    }
  }
  return gzclose(file) == Z_OK;
}

namespace {

constexpr int64_t kGaiaBlock = 1 << 16;

// Rows first .. first + count - 1 of the generated Gaia table.
void FillGaiaBlock(std::mt19937_64& random, int64_t first, int64_t count, GaiaTableBlock& block) {
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  block = GaiaTableBlock();
  for (int64_t i = 0; i < count; ++i) {
    const Place place = RandomPlace(random);
    const long long sourceId = 4472832130942575872LL + (first + i) * 131;
    block.sourceId.push_back(sourceId);
    block.designation.push_back("Gaia DR3 " + std::to_string(sourceId));
    block.ra.push_back(place.raDegrees);
    block.dec.push_back(place.decDegrees);
    block.parallax.push_back(1000.0 / place.parsecs);
    block.parallaxOverError.push_back(5.0 + 100.0 * unit(random));
    block.gMag.push_back(8.0 + 12.0 * unit(random));
    block.bpRp.push_back(3.0 * unit(random));
  }
}

void AppendBigEndian(std::string& out, uint64_t bits, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) out.push_back(static_cast<char>(bits >> (8 * i)));
}

void AppendDouble(std::string& out, double value) {
  uint64_t bits;
  std::memcpy(&bits, &value, 8);
  AppendBigEndian(out, bits, 8);
}

void AppendFloat(std::string& out, double value) {
  const auto single = static_cast<float>(value);
  uint32_t bits;
  std::memcpy(&bits, &single, 4);
  AppendBigEndian(out, bits, 4);
}

// Base64 of bytes in lines of 76 characters; a tail of fewer than 3 bytes is
// left in bytes unless last.
void AppendBase64(std::string& out, std::string& bytes, size_t* column, bool last) {
  static const char* alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  const size_t whole = last ? bytes.size() : bytes.size() / 3 * 3;
  for (size_t i = 0; i < whole; i += 3) {
    const size_t left = std::min<size_t>(3, whole - i);
    uint32_t group = 0;
    for (size_t k = 0; k < 3; ++k)
      group = group << 8 | (k < left ? static_cast<unsigned char>(bytes[i + k]) : 0u);
    for (size_t k = 0; k < 4; ++k) {
      out.push_back(k <= left ? alphabet[(group >> (18 - 6 * k)) & 63] : '=');
      if (++*column == 76) {
        out.push_back('\n');
        *column = 0;
      }
    }
  }
  bytes.erase(0, whole);
}

// The archive's columns of the FITS input, as gaiadr3.gaia_source types them.
constexpr const char* kVotableHead =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<VOTABLE version=\"1.4\" xmlns=\"http://www.ivoa.net/xml/VOTable/v1.3\">\n"
    "<RESOURCE type=\"results\">\n<TABLE>\n"
    "<FIELD datatype=\"long\" name=\"source_id\" ucd=\"meta.id;meta.main\"/>\n"
    "<FIELD arraysize=\"*\" datatype=\"char\" name=\"designation\" ucd=\"meta.id;meta.main\"/>\n"
    "<FIELD datatype=\"double\" name=\"ra\" ucd=\"pos.eq.ra;meta.main\" unit=\"deg\"/>\n"
    "<FIELD datatype=\"double\" name=\"dec\" ucd=\"pos.eq.dec;meta.main\" unit=\"deg\"/>\n"
    "<FIELD datatype=\"double\" name=\"parallax\" ucd=\"pos.parallax.trig\" unit=\"mas\"/>\n"
    "<FIELD datatype=\"float\" name=\"parallax_over_error\" ucd=\"stat.snr;pos.parallax\"/>\n"
    "<FIELD datatype=\"float\" name=\"phot_g_mean_mag\" ucd=\"phot.mag;em.opt\" unit=\"mag\"/>\n"
    "<FIELD datatype=\"float\" name=\"bp_rp\" ucd=\"phot.color;em.opt.B;em.opt.R\" unit=\"mag\"/>\n"
    "<DATA>\n";
constexpr const char* kVotableTail = "</DATA>\n</TABLE>\n</RESOURCE>\n</VOTABLE>\n";

}  // namespace

bool WriteGaiaFitsInput(const std::string& path, int64_t rows) {
  GaiaFitsTable table(path);
  std::mt19937_64 random(2025);
  GaiaTableBlock block;
  for (int64_t first = 0; first < rows; first += kGaiaBlock) {
    FillGaiaBlock(random, first, std::min(kGaiaBlock, rows - first), block);
    table.Append(block);
  }
  return table.Close();
}

bool WriteGaiaVotableInput(const std::string& path, int64_t rows, bool binary2) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  std::string out = kVotableHead;
  out += binary2 ? "<BINARY2>\n<STREAM encoding=\"base64\">\n" : "<TABLEDATA>\n";
  std::mt19937_64 random(2025);
  GaiaTableBlock block;
  std::string bytes;
  size_t column = 0;
  bool written = true;
  for (int64_t first = 0; first < rows && written; first += kGaiaBlock) {
    FillGaiaBlock(random, first, std::min(kGaiaBlock, rows - first), block);
    char line[512];
    for (size_t i = 0; i < block.ra.size(); ++i) {
      if (binary2) {
        bytes.push_back('\0');  // no nulls among the 8 fields
        AppendBigEndian(bytes, static_cast<uint64_t>(block.sourceId[i]), 8);
        AppendBigEndian(bytes, block.designation[i].size(), 4);
        bytes += block.designation[i];
        AppendDouble(bytes, block.ra[i]);
        AppendDouble(bytes, block.dec[i]);
        AppendDouble(bytes, block.parallax[i]);
        AppendFloat(bytes, block.parallaxOverError[i]);
        AppendFloat(bytes, block.gMag[i]);
        AppendFloat(bytes, block.bpRp[i]);
      } else {
        const int length = std::snprintf(
            line, sizeof line,
            "<TR><TD>%lld</TD><TD>%s</TD><TD>%.15g</TD><TD>%.15g</TD><TD>%.15g</TD><TD>%.7g</TD><TD>%.7g</TD>"
            "<TD>%.7g</TD></TR>\n",
            block.sourceId[i], block.designation[i].c_str(), block.ra[i], block.dec[i], block.parallax[i],
            block.parallaxOverError[i], block.gMag[i], block.bpRp[i]);
        out.append(line, static_cast<size_t>(length));
      }
    }
    if (binary2) AppendBase64(out, bytes, &column, false);
    written = std::fwrite(out.data(), 1, out.size(), file) == out.size();
    out.clear();
  }
  if (binary2) AppendBase64(out, bytes, &column, true);
  out += binary2 ? "\n</STREAM>\n</BINARY2>\n" : "</TABLEDATA>\n";
  out += kVotableTail;
  written = written && std::fwrite(out.data(), 1, out.size(), file) == out.size();
  return std::fclose(file) == 0 && written;
}
