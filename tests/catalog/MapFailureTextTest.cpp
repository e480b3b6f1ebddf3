// The reason a map cannot be used, for every way that happens: named with the
// file, the record and byte offset, or the memory it needed; and running out
// of address space while loading is one of the reasons, not a crash.
#include "catalog/MapFailureText.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>

#include "MapBytes.h"
#include "TempDirectory.h"
#include "catalog/MapFileLoad.h"
#include "catalog/StarEntry.h"

namespace {

const MapRecord kFirst{1, 10, 20, 30, 40, "AB", "Long name of nineteen"};
const MapRecord kSecond{32349, -1234567, 8600000, 1, 1420000, "Q7", "Kelvar"};
const Bytes kGood = MapBytes({kFirst, kSecond});  // the second record starts at byte 59

Bytes Changed(size_t offset, unsigned char value) {
  Bytes bytes = kGood;
  bytes[offset] = value;
  return bytes;
}

Bytes Cut(size_t length) { return Bytes(kGood.begin(), kGood.begin() + static_cast<ptrdiff_t>(length)); }

std::string LoadFailure(const std::string& path) {
  StarCatalog catalog;
  MapDiagnosis diagnosis;
  if (LoadStarMapFile(catalog, path, diagnosis)) return "loaded";
  return MapFailureMessage(path, diagnosis);
}

TEST(MapFailureText, EveryReasonNamesTheFileAndWhere) {
  const struct {
    const char* name;
    std::optional<Bytes> bytes;  // none: no file; empty vector: an empty file
    const char* reason;
  } rows[] = {
      {"missing", std::nullopt, "cannot open the file: No such file or directory"},
      {"empty", Bytes{}, "not a map: the file is empty"},
      {"not a map", Bytes{'P', 'K', 3, 4, 20, 0, 0, 0},
       "not a map: it does not begin with \"starmap\" (byte offset 0 is 0x50)"},
      {"magic cut short", Bytes{'s', 't', 'a'},
       "truncated: the file ends at byte offset 3, inside the 15-byte header"},
      {"version", Changed(7, 3), "wrong header: format version 3 (byte offset 7), version 2 expected"},
      {"byte 8", Changed(8, 5), "wrong header: byte offset 8 holds 0x05, 0x00 expected"},
      {"byte 10", Changed(10, 0), "wrong header: byte offset 10 holds 0x00, 0x01 expected"},
      {"header cut short", Cut(12), "truncated: the file ends at byte offset 12, inside the 15-byte header"},
      {"count beyond the file", Changed(12, 232),
       "truncated: the count of 232 stars at byte offset 12 needs at least 4,887 bytes"},
      {"record cut short", Cut(69), "truncated: record 2 of 2 at byte offset 59 is cut short"},
      {"name not terminated", Cut(kGood.size() - 1),
       "cannot decode record 2 of 2: its tag or name at byte offset 81 has no terminator"},
  };
  TempDirectory directory("failure-text");
  for (const auto& row : rows) {
    const std::string path = directory.File("map.smp");
    std::filesystem::remove(path);
    if (row.bytes) directory.Write("map.smp", *row.bytes);
    EXPECT_EQ(LoadFailure(path), path + ": " + row.reason) << row.name;
  }
}

TEST(MapFailureText, DirectoryCannotBeOpened) {
  TempDirectory directory("failure-directory");
  EXPECT_EQ(LoadFailure(directory.File("")), directory.File("") + ": cannot open the file: Is a directory");
}

TEST(MapFailureText, UnreadableFileGivesTheSystemsReason) {
  if (geteuid() == 0) GTEST_SKIP() << "root reads any file";
  TempDirectory directory("failure-unreadable");
  const std::string path = directory.Write("map.smp", kGood);
  std::filesystem::permissions(path, std::filesystem::perms::none);
  EXPECT_EQ(LoadFailure(path), path + ": cannot open the file: Permission denied");
}

TEST(MapFailureText, MemoryReasonsGiveTheSizeNeeded) {
  const struct {
    const char* name;
    MapDiagnosis diagnosis;
    const char* reason;
  } rows[] = {
      {"largest map",
       {.rejection = MapRejection::OutOfMemory, .count = 16777215, .bytesNeeded = 16777215ull * 224},
       "not enough memory for 16,777,215 stars (3.5 GiB)"},
      {"one star",
       {.rejection = MapRejection::OutOfMemory, .count = 1, .bytesNeeded = 224},
       "not enough memory for 1 star (224 bytes)"},
      {"file's bytes",
       {.rejection = MapRejection::OutOfMemory, .bytesNeeded = 500000000},
       "not enough memory to read the file (476.8 MiB)"},
      {"just under a unit",
       {.rejection = MapRejection::OutOfMemory, .bytesNeeded = (1ull << 20) - 1},
       "not enough memory to read the file (1.0 MiB)"},
      {"read cut short",
       {.rejection = MapRejection::ReadFailed, .bytesNeeded = 1234567, .bytesRead = 4096},
       "cannot read the file: only 4,096 of its 1,234,567 bytes could be read"},
  };
  for (const auto& row : rows) EXPECT_EQ(MapFailureReason(row.diagnosis), row.reason) << row.name;
}

// Kilobytes of address space the process has mapped.
long MappedKilobytes() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.starts_with("VmSize:")) return std::stol(line.substr(7));
  return -1;
}

TEST(MapFailureText, AddressSpaceLimitIsReportedAsTheMemoryNeeded) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the sanitizer's shadow memory needs an unlimited address space";
#endif
  // A million minimal records: 21 MB of file, 224 MB of records, with 96 MB
  // of address space to spare for the rest.
  TempDirectory directory("failure-memory");
  const std::string path = directory.Write("map.smp", MapOfZeroRecords(1000000));

  int pipeEnds[2];
  ASSERT_EQ(pipe(pipeEnds), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const rlim_t limit = static_cast<rlim_t>(MappedKilobytes() + 96 * 1024) * 1024;
    const rlimit addressSpace{limit, limit};
    setrlimit(RLIMIT_AS, &addressSpace);
    const std::string failure = LoadFailure(path);
    (void)!write(pipeEnds[1], failure.data(), failure.size());
    _exit(0);
  }
  close(pipeEnds[1]);
  std::string failure;
  char buffer[256];
  for (ssize_t got; (got = read(pipeEnds[0], buffer, sizeof buffer)) > 0;) failure.append(buffer, got);
  close(pipeEnds[0]);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
  EXPECT_EQ(failure, path + ": not enough memory for 1,000,000 stars (213.6 MiB)");
}

}  // namespace
