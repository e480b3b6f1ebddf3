// Writers of the generated AT-HYG and Gaia inputs.
#include "ImportInputs.h"

#include <zlib.h>

#include <cmath>
#include <cstdio>
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

bool WriteGaiaFitsInput(const std::string& path, int64_t rows) {
  GaiaFitsTable table(path);
  std::mt19937_64 random(2025);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  constexpr int64_t kBlock = 1 << 16;
  GaiaTableBlock block;
  for (int64_t first = 0; first < rows; first += kBlock) {
    const int64_t count = std::min(kBlock, rows - first);
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
    table.Append(block);
  }
  return table.Close();
}
