// Feeds the loader random, truncated and mutated byte strings (seeded, so the
// run is repeatable). Whatever it gets, it must either load a catalogue whose
// strings are terminated inside their fields or reject and leave it empty.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

#include "MapBytes.h"
#include "catalog/StarCatalog.h"

namespace {

// Loads bytes and checks the catalogue's state after the result.
void LoadAndCheck(const Bytes& bytes, const char* what, size_t index) {
  SCOPED_TRACE(std::string(what) + " " + std::to_string(index));
  StarCatalog catalog;
  MapDiagnosis diagnosis;
  const int loaded = catalog.LoadStarMap(bytes.data(), bytes.size(), &diagnosis);
  if (!loaded) {
    ASSERT_EQ(catalog.m_nStars, 0);
    ASSERT_EQ(catalog.m_pStars, nullptr);
    ASSERT_NE(diagnosis.rejection, MapRejection::None);
    ASSERT_LE(diagnosis.offset, bytes.size());
    return;
  }
  ASSERT_EQ(diagnosis.rejection, MapRejection::None);
  ASSERT_EQ(static_cast<uint32_t>(catalog.m_nStars), diagnosis.count);
  ASSERT_LE(diagnosis.endOffset, bytes.size());
  for (int32_t i = 0; i < catalog.m_nStars; ++i) {
    const StarEntry& star = catalog.m_pStars[i];
    ASSERT_NE(std::memchr(star.szTag, 0, sizeof star.szTag), nullptr);
    ASSERT_NE(std::memchr(star.szName, 0, sizeof star.szName), nullptr);
    ASSERT_GE(star.nCatalogNumber, 0);
    ASSERT_LE(star.nCatalogNumber, 0xFFFFFF);
  }
}

// Every byte value equally likely.
unsigned char RandomByte(std::mt19937& random) {
  return static_cast<unsigned char>(std::uniform_int_distribution<int>(0, 255)(random));
}

Bytes SampleMap(std::mt19937& random, bool complemented) {
  std::uniform_int_distribution<int> length(0, 20);
  std::uniform_int_distribution<int> character('!', '~');
  std::uniform_int_distribution<int32_t> value(INT32_MIN, INT32_MAX);
  std::vector<MapRecord> records(6);
  for (MapRecord& record : records) {
    record = {static_cast<uint32_t>(value(random)) & 0xFFFFFF,
              value(random),
              value(random),
              value(random),
              value(random),
              "",
              ""};
    record.tag.resize(length(random) / 2);
    record.name.resize(length(random) * 8);  // some names run past 133 characters
    for (char& c : record.tag) c = static_cast<char>(character(random));
    for (char& c : record.name) c = static_cast<char>(character(random));
  }
  return MapBytes(records, complemented);
}

TEST(MapRobustness, EveryTruncationOfAGoodMapIsRejected) {
  std::mt19937 random(1);
  for (bool complemented : {false, true}) {
    const Bytes good = SampleMap(random, complemented);
    for (size_t length = 0; length < good.size(); ++length) {
      const Bytes cut(good.begin(), good.begin() + length);
      StarCatalog catalog;
      ASSERT_EQ(catalog.LoadStarMap(cut.data(), cut.size()), 0) << length;
      ASSERT_EQ(catalog.m_nStars, 0);
    }
  }
}

TEST(MapRobustness, MutatedMapsLoadSoundlyOrAreRejected) {
  std::mt19937 random(2);
  std::uniform_int_distribution<int> flips(1, 6);
  for (size_t round = 0; round < 10000; ++round) {
    Bytes bytes = SampleMap(random, round % 2 == 1);
    const int changes = flips(random);
    for (int i = 0; i < changes; ++i) {
      // Aim half the changes at the header and the first record, where the tests are.
      const size_t span = (i % 2 == 0) ? std::min<size_t>(bytes.size(), 40) : bytes.size();
      bytes[std::uniform_int_distribution<size_t>(0, span - 1)(random)] = RandomByte(random);
    }
    if (round % 3 == 0) bytes.resize(std::uniform_int_distribution<size_t>(0, bytes.size())(random));
    LoadAndCheck(bytes, "mutated", round);
  }
}

TEST(MapRobustness, RandomBytesBehindAValidHeaderLoadSoundlyOrAreRejected) {
  std::mt19937 random(3);
  std::uniform_int_distribution<size_t> length(0, 400);
  for (size_t round = 0; round < 10000; ++round) {
    // Small counts make complete decodes likely; terminators are made common.
    Bytes bytes = MapHeader(static_cast<uint32_t>(round % 12), round % 2 ? kComplementedSelector : 0);
    const size_t tail = length(random);
    for (size_t i = 0; i < tail; ++i) {
      const unsigned char b = RandomByte(random);
      bytes.push_back(b < 40 ? 0x00 : b < 80 ? 0xFF : b);
    }
    LoadAndCheck(bytes, "random tail", round);
  }
}

TEST(MapRobustness, RandomByteStringsAreRejected) {
  std::mt19937 random(4);
  std::uniform_int_distribution<size_t> length(0, 64);
  for (size_t round = 0; round < 2000; ++round) {
    Bytes bytes(length(random));
    for (unsigned char& b : bytes) b = RandomByte(random);
    StarCatalog catalog;
    EXPECT_EQ(catalog.LoadStarMap(bytes.data(), bytes.size()), 0);
  }
}

}  // namespace
