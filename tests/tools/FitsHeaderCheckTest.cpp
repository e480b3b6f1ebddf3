// FITS headers that CFITSIO cannot parse safely (an unquoted TTYPEn value of
// 70 characters or more, more columns than a FITS table has) are refused by the FITS source before CFITSIO
// reads them, whether the file is plain, compressed (gzip, bzip2, Unix compress) or in memory; values
// just short of that, or cards CFITSIO copies safely, are read as before.
#include <archive.h>
#include <archive_entry.h>
#include <gtest/gtest.h>
#include <zlib.h>

#include <filesystem>
#include <utility>
#include <vector>

#include "StarSource.h"
#include "ToolsTestSupport.h"

namespace {

const std::string kFixtures = VANTARO_FIXTURES_DIR;

// gaia.fits with header cards replaced (cards count from 0 in the file; the
// table's header is the second 2880-byte record).
std::string FitsWithCards(const std::vector<std::pair<int, std::string>>& cards) {
  std::string bytes = ReadBytes(kFixtures + "/gaia.fits");
  for (auto [card, text] : cards) {
    text.resize(80, ' ');
    bytes.replace(static_cast<size_t>(card) * 80, 80, text);
  }
  return bytes;
}

constexpr int kXtensionCard = 36;  // XTENSION= 'BINTABLE'
constexpr int kTfieldsCard = 43;   // TFIELDS =                   11
constexpr int kTtype1Card = 44;    // TTYPE1  = 'solution_id'
constexpr int kTunit4Card = 54;    // TUNIT4  = 'deg     '

void WriteGzip(const std::string& path, const std::string& bytes) {
  gzFile file = gzopen(path.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  ASSERT_EQ(gzwrite(file, bytes.data(), static_cast<unsigned>(bytes.size())), static_cast<int>(bytes.size()));
  ASSERT_EQ(gzclose(file), Z_OK);
}

// The other compressions CFITSIO reads, written through libarchive: a bzip2
// or Unix compress stream.
void WriteCompressed(const std::string& path, const std::string& bytes, int filter) {
  archive* out = archive_write_new();
  ASSERT_NE(out, nullptr);
  ASSERT_EQ(archive_write_set_format_raw(out), ARCHIVE_OK);
  ASSERT_EQ(archive_write_add_filter(out, filter), ARCHIVE_OK);
  ASSERT_EQ(archive_write_open_filename(out, path.c_str()), ARCHIVE_OK);
  archive_entry* entry = archive_entry_new();
  archive_entry_set_pathname(entry, "gaia.fits");
  archive_entry_set_filetype(entry, AE_IFREG);
  archive_entry_set_perm(entry, 0644);
  archive_entry_set_size(entry, static_cast<la_int64_t>(bytes.size()));
  ASSERT_EQ(archive_write_header(out, entry), ARCHIVE_OK);
  ASSERT_EQ(archive_write_data(out, bytes.data(), bytes.size()), static_cast<la_ssize_t>(bytes.size()));
  archive_entry_free(entry);
  ASSERT_EQ(archive_write_close(out), ARCHIVE_OK);
  archive_write_free(out);
}

TEST(FitsHeaderCheck, CardsCfitsioCannotTakeAreRefused) {
  const std::string a70(70, 'A');
  const std::string ttype1 = "TTYPE1  = " + a70;
  const std::string kLong = "header card 'TTYPE1': an unquoted value of 70 or more characters";
  const std::string a60 = a70.substr(10);
  const struct {
    const char* name;
    std::vector<std::pair<int, std::string>> cards;
    std::string refusal;  // what follows "path: HDU 2: "; "" when the file is read
  } rows[] = {
      {"70 characters", {{kTtype1Card, ttype1}}, kLong},
      {"71 characters, no blank after '='", {{kTtype1Card, "TTYPE1  =A" + a70}}, kLong},
      {"69 characters", {{kTtype1Card, "TTYPE1  =  " + a70.substr(1)}}, ""},
      {"a blank ends the value", {{kTtype1Card, "TTYPE1  = " + a70.substr(1) + " "}}, ""},
      {"a NUL ends the card",
       {{kTtype1Card, "TTYPE1  = " + a60 + std::string(1, '\0') + a70.substr(61)}},
       ""},
      {"quoted", {{kTtype1Card, "TTYPE1  = '" + a70.substr(2) + "'"}}, ""},
      {"a unit, copied safely", {{kTunit4Card, "TUNIT4  = " + a70}}, ""},
      {"a NUL in the extension's type",
       {{kXtensionCard, "XTENSION= 'BINTABLE" + std::string(1, '\0') + "x'"}, {kTtype1Card, ttype1}},
       kLong},
      {"a second TFIELDS card that says none",
       {{kTunit4Card, "TFIELDS =                    0"}, {kTunit4Card + 1, ttype1}},
       kLong},
      {"60,000,000 columns",
       {{kTfieldsCard, "TFIELDS =             60000000"}},
       "header card 'TFIELDS': 60000000 columns, more than the 999 a FITS table has"},
      {"a count that ends in a control character",
       {{kTfieldsCard, "TFIELDS =77777777\x01"}},
       "header card 'TFIELDS': no number of columns"},
      {"as many with an exponent",
       {{kTfieldsCard, "TFIELDS = +6E7"}},
       "header card 'TFIELDS': +6E7 columns, more than the 999 a FITS table has"},
  };
  TempDirectory dir("fits-header-check");
  for (const auto& row : rows) {
    const std::string bytes = FitsWithCards(row.cards);
    std::ofstream(dir.File("gaia.fits"), std::ios::binary) << bytes;
    WriteGzip(dir.File("gaia.fits.gz"), bytes);
    WriteCompressed(dir.File("gaia.fits.bz2"), bytes, ARCHIVE_FILTER_BZIP2);
    WriteCompressed(dir.File("gaia.fits.Z"), bytes, ARCHIVE_FILTER_COMPRESS);
    const bool refused = !row.refusal.empty();
    const std::string expected = ": HDU 2: " + row.refusal;
    for (const char* name : {"gaia.fits", "gaia.fits.gz", "gaia.fits.bz2", "gaia.fits.Z"}) {
      MakeMapOptions options;
      options.inputs = {dir.File(name)};
      options.output = dir.File("map.smp");
      std::string log;
      EXPECT_EQ(RunMakeMap(options, &log), refused ? kExitBadInput : kExitSuccess) << row.name << log;
      EXPECT_EQ(log.find(dir.File(name) + expected) != std::string::npos, refused) << row.name << log;
      EXPECT_EQ(std::filesystem::exists(dir.File("map.smp")), !refused) << row.name;
      std::filesystem::remove(dir.File("map.smp"));
    }
    std::string error;
    int code = kExitSuccess;
    const auto source = OpenGaiaFitsSource("m.fits", {}, &error, &code, bytes.data(), bytes.size());
    EXPECT_EQ(source == nullptr, refused) << row.name << error;
    if (refused) {
      EXPECT_TRUE(error.starts_with("m.fits" + expected)) << error;
    }
  }
}

}  // namespace
