// Plain pieces of the shell: the code page 1252 tables, label text drawing,
// the buffer-to-image copy and the map search.
#include <gtest/gtest.h>

#include <QFile>
#include <QFontMetrics>
#include <Qt>
#include <filesystem>
#include <set>

#include "TempDirectory.h"
#include "render/PixelBuffer.h"
#include "framework/Cp1252.h"
#include "shell/MapLocation.h"
#include "shell/TextDrawer.h"
#include "shell/WindowPainter.h"

TEST(Cp1252, DecodesEachRangeOfTheCodePage) {
  struct Row {
    const char* name;
    unsigned char byte;
    char16_t expected;
  } rows[] = {
      {"ascii", 'A', u'A'},
      {"euro", 0x80, 0x20AC},
      {"unassigned keeps value", 0x81, 0x0081},
      {"dagger", 0x86, 0x2020},
      {"y diaeresis high", 0x9F, 0x0178},
      {"no-break space", 0xA0, 0x00A0},
      {"degree sign", 0xB0, 0x00B0},
      {"last byte", 0xFF, 0x00FF},
  };
  for (const Row& row : rows) {
    const char byte = static_cast<char>(row.byte);
    const QString decoded = DecodeCp1252(std::string_view(&byte, 1));
    ASSERT_EQ(decoded.size(), 1) << row.name;
    EXPECT_EQ(decoded[0].unicode(), row.expected) << row.name;
  }
}

TEST(Cp1252, EveryByteRoundTripsAndForeignCharactersBecomeQuestionMarks) {
  std::string all;
  for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
  EXPECT_EQ(EncodeCp1252(DecodeCp1252(all)), all);
  EXPECT_EQ(EncodeCp1252(QString::fromUtf8("a\u4e2d\u00b0")), "a?\xB0");
}

TEST(TextDrawer, DrawsOpaqueCellsInTheTextColourClippedToTheBuffer) {
  const TextDrawer drawer(96.0);
  EXPECT_EQ(drawer.Font().pixelSize(), 11);  // 8 points at 96 dpi
  const QFontMetrics metrics(drawer.Font());
  const QRect cell(2, 3, metrics.horizontalAdvance("Sirius"), metrics.height());
  PixelBuffer buffer(60, 30);
  std::fill(buffer.words.begin(), buffer.words.end(), 0x1234);
  drawer.Draw(buffer, cell.x(), cell.y(), "Sirius", kColorBlue);
  drawer.Draw(buffer, -5, 25, "4.20", kColorOrange);  // cut off at the left and the bottom
  drawer.Draw(buffer, 40, 0, "", kColorBlue);         // nothing

  std::set<uint16_t> inCell, outside;
  for (int y = 0; y < buffer.height; ++y)
    for (int x = 0; x < buffer.width; ++x)
      (cell.contains(x, y) ? inCell : outside).insert(buffer.AtWindow(x, y));
  EXPECT_EQ(inCell, (std::set<uint16_t>{0x0000, 0x001F}));
  EXPECT_EQ(outside, (std::set<uint16_t>{0x0000, 0x1234, 0x7DE0}));
  EXPECT_EQ(buffer.AtWindow(cell.right() + 1, cell.y()), 0x1234);
  EXPECT_EQ(buffer.AtWindow(40, 0), 0x1234);
}

TEST(PixelBufferToImage, FlipsRowsAndWidensChannels) {
  PixelBuffer buffer(2, 2);
  buffer.words = {0x7FFF, 0x001F, 0x3DEF, 0x7C00};  // bottom row first
  const QImage image = PixelBufferToImage(buffer);
  EXPECT_EQ(image.pixel(0, 0), qRgb(123, 123, 123));
  EXPECT_EQ(image.pixel(1, 0), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(0, 1), qRgb(255, 255, 255));
  EXPECT_EQ(image.pixel(1, 1), qRgb(0, 0, 255));
}

TEST(MapLocation, TakesTheFirstExistingCandidate) {
  TempDirectory dir("map-location");
  const std::string program = dir.File("program");
  const std::string data = dir.File("data");
  const std::vector<std::string> candidates = MapCandidates(program, data);
  ASSERT_EQ(candidates.size(), 3u);
  EXPECT_EQ(candidates[0], "map.smp");
  EXPECT_EQ(ChooseMapPath({candidates[1], candidates[2]}), candidates[1]);  // none exists

  std::filesystem::create_directory(data);
  QFile(QString::fromStdString(candidates[2])).open(QIODevice::WriteOnly);
  EXPECT_EQ(ChooseMapPath({candidates[1], candidates[2]}), candidates[2]);
}
