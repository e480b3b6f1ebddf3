// The read-only file and the archive route into the loader.
#include "catalog/MapFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "MapBytes.h"
#include "TempDirectory.h"
#include "catalog/StarCatalog.h"

namespace {

TEST(ReadOnlyFile, MissingFileFailsWithTheSystemsTextAndIsNotCreated) {
  TempDirectory directory("missing");
  const std::string path = directory.File("absent.smp");
  ReadOnlyFile file;
  std::string errorText;
  EXPECT_FALSE(file.Open(path, &errorText));
  EXPECT_FALSE(file.IsOpen());
  EXPECT_EQ(errorText, std::strerror(ENOENT));
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_EQ(file.GetLength(), 0u);
}

TEST(ReadOnlyFile, DirectoryIsRefused) {
  TempDirectory directory("directory");
  ReadOnlyFile file;
  std::string errorText;
  EXPECT_FALSE(file.Open(directory.File(""), &errorText));
  EXPECT_EQ(errorText, std::strerror(EISDIR));
}

TEST(ReadOnlyFile, ReportsLengthWithoutMovingAndReads) {
  TempDirectory directory("read");
  const std::string path = directory.Write("data", {1, 2, 3, 4, 5});
  ReadOnlyFile file;
  ASSERT_TRUE(file.Open(path));
  unsigned char first[2] = {};
  EXPECT_EQ(file.Read(first, 2), 2u);
  EXPECT_EQ(file.GetLength(), 5u);
  unsigned char rest[8] = {};
  EXPECT_EQ(file.Read(rest, sizeof rest), 3u);
  EXPECT_EQ(rest[0], 3);
  file.Close();
  EXPECT_FALSE(file.IsOpen());
}

TEST(ReadOnlyFile, LargeReadsDeliverTheFileFromTheCurrentPosition) {
  // Over 64 MiB, so the read is shared out in pieces; bytes differ with their offset.
  TempDirectory directory("large-read");
  Bytes bytes((size_t{64} << 20) + 4099);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<unsigned char>(i * 2654435761u >> 24);
  const std::string path = directory.Write("large", bytes);
  struct Row {
    size_t skipped;  // read first, through the stream's buffer
    size_t extra;    // asked for beyond the end of the file
  };
  for (const Row row : {Row{0, 0}, Row{3, 3}, Row{4100, 0}}) {
    SCOPED_TRACE(row.skipped);
    ReadOnlyFile file;
    ASSERT_TRUE(file.Open(path));
    Bytes skipped(row.skipped + 1);
    ASSERT_EQ(file.Read(skipped.data(), row.skipped), row.skipped);
    Bytes rest(bytes.size() - row.skipped + row.extra);
    ASSERT_EQ(file.Read(rest.data(), rest.size()), bytes.size() - row.skipped);
    EXPECT_TRUE(
        std::equal(bytes.begin() + static_cast<std::ptrdiff_t>(row.skipped), bytes.end(), rest.begin()));
    EXPECT_EQ(file.Read(skipped.data(), 1), 0u);  // the stream stands at the end
  }
}

TEST(LoadArchive, LoadsTheWholeFileAndDiagnosesItsFaults) {
  TempDirectory directory("archive");
  const MapRecord star{32349, -1234567, 8600000, 1, 1420000, "Q7", "Kelvar"};
  Bytes bytes = MapBytes({star});
  ReadOnlyFile good;
  ASSERT_TRUE(good.Open(directory.Write("good.smp", bytes)));
  LoadArchive goodArchive(good);
  StarCatalog catalog;
  MapDiagnosis diagnosis;
  ASSERT_EQ(catalog.LoadStarMap(goodArchive, &diagnosis), 1);
  EXPECT_EQ(catalog.m_nStars, 1);
  EXPECT_EQ(diagnosis.endOffset, bytes.size());

  bytes.pop_back();
  ReadOnlyFile cut;
  ASSERT_TRUE(cut.Open(directory.Write("cut.smp", bytes)));
  LoadArchive cutArchive(cut);
  EXPECT_EQ(catalog.LoadStarMap(cutArchive, &diagnosis), 0);
  EXPECT_EQ(catalog.m_nStars, 0);
  EXPECT_EQ(diagnosis.rejection, MapRejection::UnterminatedString);
}

TEST(LoadArchive, ReadThatStopsShortRejectsTheMap) {
  // A file read from part-way delivers fewer bytes than its length; the rest
  // of the buffer must not be taken for data (here: the missing terminator).
  // The long name makes the buffer large enough to come zero-filled from the
  // system, so taking its tail for data would load the file.
  TempDirectory directory("short-read");
  Bytes bytes = {'x', 'y', 'z'};
  const Bytes map = MapBytes({{1, 0, 0, 0, 0, "T", std::string(300000, 'n')}});
  bytes.insert(bytes.end(), map.begin(), map.end() - 1);
  ReadOnlyFile file;
  ASSERT_TRUE(file.Open(directory.Write("offset.smp", bytes)));
  unsigned char skipped[3];
  ASSERT_EQ(file.Read(skipped, 3), 3u);
  LoadArchive archive(file);
  StarCatalog catalog;
  MapDiagnosis diagnosis;
  EXPECT_EQ(catalog.LoadStarMap(archive, &diagnosis), 0);
  EXPECT_EQ(diagnosis.rejection, MapRejection::ReadFailed);
  EXPECT_EQ(diagnosis.bytesRead, bytes.size() - 3);
  EXPECT_EQ(diagnosis.bytesNeeded, bytes.size());
}

}  // namespace
