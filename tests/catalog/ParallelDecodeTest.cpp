// The loader's parallel decoder against the serial reference decoder: the
// same records byte for byte (working values and unused field bytes too) and
// the same diagnosis, on random maps of sizes around the chunk and walk
// boundaries, in both encodings, whole, cut short or damaged.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "MapBytes.h"
#include "MapLoadComparison.h"
#include "catalog/MapFailureText.h"

namespace {

constexpr int64_t kChunk = kRecordsPerDecodeChunk;

// Random text of length bytes, with the other encoding's terminator among the characters.
std::string RandomText(std::mt19937& random, size_t length, bool complemented) {
  std::uniform_int_distribution<int> character(1, 254);
  std::string text(length, 'x');
  for (char& c : text)
    c = static_cast<char>(random() % 16 == 0 ? (complemented ? 0x00 : 0xFF) : character(random));
  return text;
}

// Mostly short strings; some empty, some longer than eight bytes, some longer than their field.
size_t RandomLength(std::mt19937& random, size_t width) {
  switch (random() % 8) {
    case 0:
      return 0;
    case 1:
      return width - 1 + random() % 3;  // around the widest that fits
    case 2:
      return width + random() % 200;  // cut in the field
    default:
      return random() % 12;
  }
}

Bytes RandomMap(int64_t count, bool complemented, uint32_t seed) {
  std::mt19937 random(seed);
  std::vector<MapRecord> records(static_cast<size_t>(count));
  for (MapRecord& record : records) {
    record = {static_cast<uint32_t>(random()) & 0xFFFFFF,
              static_cast<int32_t>(random()),
              static_cast<int32_t>(random()),
              static_cast<int32_t>(random()),
              static_cast<int32_t>(random()),
              "",
              ""};
    record.tag = RandomText(random, RandomLength(random, 10), complemented);
    record.name = RandomText(random, RandomLength(random, 134), complemented);
  }
  Bytes bytes = MapBytes(records, complemented);
  bytes.insert(bytes.end(), random() % 30, 0xAB);  // bytes after the last record are ignored
  return bytes;
}

// Loads bytes with the loader (by default as LoadStarMap does, else on
// recordsPerChunk-record chunks and up to workers threads) and with the
// reference, and expects the same outcome.
void ExpectSameAsReference(const Bytes& bytes, int64_t recordsPerChunk = 0, unsigned workers = 0) {
  MapLoad fast;
  MapLoad reference;
  fast.loaded = recordsPerChunk == 0 ? fast.catalog.LoadStarMap(bytes.data(), bytes.size(), &fast.diagnosis)
                                     : LoadInChunks(fast.catalog, bytes.data(), bytes.size(), fast.diagnosis,
                                                    recordsPerChunk, workers);
  reference.loaded = ReferenceLoadStarMap(reference.catalog, bytes.data(), bytes.size(), reference.diagnosis);
  EXPECT_TRUE(SameLoad(fast, reference))
      << MapFailureReason(fast.diagnosis) << " at " << fast.diagnosis.offset << ", reference "
      << MapFailureReason(reference.diagnosis) << " at " << reference.diagnosis.offset;
}

const int64_t kSizes[] = {0, 1, kChunk - 1, kChunk, kChunk + 1, 2 * kChunk + 5};

TEST(ParallelDecode, WholeMapsMatchTheReference) {
  for (const bool complemented : {false, true})
    for (const int64_t count : kSizes) {
      SCOPED_TRACE(std::to_string(count) + (complemented ? " complemented" : " plain"));
      ExpectSameAsReference(RandomMap(count, complemented, static_cast<uint32_t>(count)));
    }
}

TEST(ParallelDecode, CutAndDamagedMapsAreRejectedLikeTheReference) {
  std::mt19937 random(7);
  for (const bool complemented : {false, true}) {
    const Bytes whole = RandomMap(2 * kChunk + 11, complemented, 99);
    std::uniform_int_distribution<size_t> offset(0, whole.size() - 1);
    for (int round = 0; round < 30; ++round) {
      SCOPED_TRACE(round);
      Bytes bytes = whole;
      switch (round % 3) {
        case 0:  // cut in each chunk in turn: a record or a string there runs into the end
          bytes.resize(whole.size() * static_cast<size_t>(round / 3 + 1) / 11 + random() % 64);
          break;
        case 1:  // a damaged byte, then cut: string ends move and the walk meets the end elsewhere
          bytes[offset(random)] = static_cast<unsigned char>(random());
          bytes.resize(bytes.size() - random() % 400);
          break;
        default: {  // a count that differs from the records: too many for the bytes, or one more
          const uint32_t count = round % 2 ? 0xFFFFFF : ReadU24(whole.data() + kMapCountOffset) + 1;
          for (int i = 0; i < 3; ++i)
            bytes[kMapCountOffset + i] = static_cast<unsigned char>(count >> (8 * i));
        }
      }
      ExpectSameAsReference(bytes);
    }
  }
}

TEST(ParallelDecode, TinyChunksOnManyThreadsMatchTheReference) {
  std::mt19937 random(11);
  for (const int64_t recordsPerChunk : {1, 2, 5})
    for (const unsigned workers : {1u, 3u, 8u}) {
      SCOPED_TRACE(std::to_string(recordsPerChunk) + " per chunk, workers " + std::to_string(workers));
      const Bytes whole = RandomMap(150, workers % 2 == 0, static_cast<uint32_t>(recordsPerChunk));
      ExpectSameAsReference(whole, recordsPerChunk, workers);
      for (int cut = 0; cut < 20; ++cut)
        ExpectSameAsReference(Bytes(whole.begin(), whole.begin() + random() % whole.size()), recordsPerChunk,
                              workers);
    }
}

}  // namespace
