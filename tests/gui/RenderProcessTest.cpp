// vantaro --render as a separate process: the PNG of a map; exit code 1 with
// the reason for a map that cannot be used; exit code 2 with a message for
// bad values and unknown star names; the overlays: the grid, the selection's
// marker, the figures file's check.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProcess>

#include "GuiTestSupport.h"
#include "TempDirectory.h"

namespace {

class RenderProcessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TestStar labelled = CentreStar();
    labelled.absoluteMagnitude = 1.0;  // bright enough for its name
    m_dir.Write("map.smp", TestMapBytes({labelled}));
  }
  QString Path(const char* name) const { return QString::fromStdString(m_dir.File(name)); }

  TempDirectory m_dir{"render-process"};
};

}  // namespace

TEST_F(RenderProcessTest, WritesTheStarBufferAsPng) {
  const ProcessResult run = RunVantaro({"--render", Path("out.png"), "--map", Path("map.smp"), "--size",
                                        "320x240", "--labels", "names", "--no-magnitudes"});
  ASSERT_EQ(run.exitCode, 0) << run.errorText.toStdString();
  const QImage image(Path("out.png"));
  ASSERT_EQ(image.size(), QSize(320, 240));
  EXPECT_EQ(image.pixel(160, 240 - 1 - 120), qRgb(255, 255, 255));  // one white pixel without magnitudes
  EXPECT_EQ(image.pixel(10, 10), qRgb(0, 0, 0));
}

TEST_F(RenderProcessTest, ColoursTintTheStarByItsClass) {
  const ProcessResult run =
      RunVantaro({"--render", Path("out.png"), "--map", Path("map.smp"), "--size", "320x240", "--colours"});
  ASSERT_EQ(run.exitCode, 0) << run.errorText.toStdString();
  const QImage image(Path("out.png"));
  // The centre star's class A: 5-bit channels 25, 26, 31, widened to 8 bits.
  EXPECT_EQ(image.pixel(159, 240 - 1 - 120), qRgb(206, 214, 255));
}

TEST_F(RenderProcessTest, DrawsLabelsInTheLabelColour) {
  const ProcessResult run =
      RunVantaro({"--render", Path("out.png"), "--map", Path("map.smp"), "--labels", "names"});
  ASSERT_EQ(run.exitCode, 0) << run.errorText.toStdString();
  const QImage image(Path("out.png"));
  int blue = 0;
  for (int y = 240; y < 260; ++y)
    for (int x = 320; x < 370; ++x) blue += image.pixel(x, y) == qRgb(0, 0, 255);
  EXPECT_GT(blue, 10);  // "Centre", right of and below the star's label point
}

TEST_F(RenderProcessTest, MapThatCannotBeUsedFailsWithItsReasonAndWritesNothing) {
  for (const BrokenMap& map : BrokenMaps()) {
    const std::string path = m_dir.File("broken.smp");
    PlaceBrokenMap(map, path);
    const ProcessResult run =
        RunVantaro({"--render", Path("out.png"), "--map", QString::fromStdString(path)});
    EXPECT_EQ(run.exitCode, 1) << map.name;
    EXPECT_TRUE(run.errorText.contains(QString::fromStdString("vantaro: " + path + ": " + map.reason + "\n")))
        << map.name << ": " << run.errorText.toStdString();
    EXPECT_FALSE(QFile::exists(Path("out.png"))) << map.name;
  }
}

TEST_F(RenderProcessTest, MapTooLargeForTheAddressSpaceSaysHowMuchItNeeded) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the sanitizer's shadow memory needs an unlimited address space";
#endif
  // Two million minimal records: 42 MB of file, 427 MiB of records, more than
  // the 350 MB of address space the program is given.
  m_dir.Write("large.smp", MapOfZeroRecords(2000000));
  QProcess shell;
  shell.start("/bin/sh", {"-c", "ulimit -v 350000 && exec \"$0\" --render \"$1\" --map \"$2\"",
                          VANTARO_EXECUTABLE, Path("out.png"), Path("large.smp")});
  ASSERT_TRUE(shell.waitForFinished(30000));
  EXPECT_EQ(shell.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(shell.exitCode(), 1);
  const QString errorText = QString::fromLocal8Bit(shell.readAllStandardError());
  EXPECT_TRUE(errorText.contains(QString::fromStdString(
      "vantaro: " + m_dir.File("large.smp") + ": not enough memory for 2,000,000 stars (427.2 MiB)\n")))
      << errorText.toStdString();
  EXPECT_FALSE(QFile::exists(Path("out.png")));
}

TEST_F(RenderProcessTest, BadValuesExitWithCodeTwoAndAMessage) {
  const ProcessResult badSize = RunVantaro({"--render", Path("x.png"), "--size", "321x240"});
  EXPECT_EQ(badSize.exitCode, 2);
  EXPECT_TRUE(badSize.errorText.contains("--size")) << badSize.errorText.toStdString();
  EXPECT_EQ(RunVantaro({"--render", Path("x.png"), "--view", "0,91"}).exitCode, 2);
  const ProcessResult unknown =
      RunVantaro({"--render", Path("x.png"), "--map", Path("map.smp"), "--look-at", "Vega"});
  EXPECT_EQ(unknown.exitCode, 2);
  EXPECT_TRUE(unknown.errorText.contains("'Vega'")) << unknown.errorText.toStdString();
  EXPECT_FALSE(QFile::exists(Path("x.png")));
}

TEST_F(RenderProcessTest, AnUnwritableOutputIsAnErrorWithTheReason) {
  const ProcessResult run = RunVantaro({"--render", Path("missing/out.png"), "--map", Path("map.smp")});
  EXPECT_EQ(run.exitCode, 1);
  const QString prefix = "vantaro: cannot write the image '" + Path("missing/out.png") + "': ";
  EXPECT_TRUE(run.errorText.contains(prefix)) << run.errorText.toStdString();
  EXPECT_FALSE(run.errorText.contains(prefix + "\n"));  // with the reason
  EXPECT_FALSE(QFile::exists(Path("missing/out.png")));
}

TEST_F(RenderProcessTest, TheGridAndTheSelectionMarkerAreDrawn) {
  const QPoint centre(160, 240 - 1 - 120);
  auto render = [&](QStringList extra) {
    const ProcessResult run = RunVantaro(
        QStringList{"--render", Path("out.png"), "--map", Path("map.smp"), "--size", "320x240"} + extra);
    EXPECT_EQ(run.exitCode, 0) << run.errorText.toStdString();
    return QImage(Path("out.png"));
  };
  auto yellowNearCentre = [&](const QImage& image) {
    int count = 0;
    for (int dy = -7; dy <= 7; ++dy)
      for (int dx = -7; dx <= 7; ++dx) count += image.pixel(centre + QPoint(dx, dy)) == qRgb(255, 255, 0);
    return count;
  };
  const QImage plain = render({});
  EXPECT_EQ(plain.pixel(10, centre.y()), qRgb(0, 0, 0));
  EXPECT_EQ(yellowNearCentre(plain), 0);
  // Looking towards the galactic centre, the equator is the centre row.
  EXPECT_NE(render({"--grid"}).pixel(10, centre.y()), qRgb(0, 0, 0));
  EXPECT_GT(yellowNearCentre(render({"--select", "Cen"})), 8);

  const ProcessResult unknown =
      RunVantaro({"--render", Path("x.png"), "--map", Path("map.smp"), "--select", "Vega"});
  EXPECT_EQ(unknown.exitCode, 2);
  EXPECT_TRUE(unknown.errorText.contains("--select: no star is named 'Vega'"))
      << unknown.errorText.toStdString();
}

// "figures.txt" in the current directory comes first: a broken one is
// reported once, naming its line, and the frame is drawn without figures.
TEST_F(RenderProcessTest, AMalformedFiguresFileIsReportedOnceAndLeftOut) {
  m_dir.Write("figures.txt", "figure\tOri\tOrion\nstar\t1\t0\t0\tten\n");
  const ProcessResult run = RunVantaro(
      {"--render", Path("out.png"), "--map", Path("map.smp"), "--size", "320x240", "--constellations"},
      QString::fromStdString(m_dir.File("")));
  ASSERT_EQ(run.exitCode, 0) << run.errorText.toStdString();
  EXPECT_EQ(run.errorText.count("vantaro:"), 1) << run.errorText.toStdString();
  EXPECT_TRUE(
      run.errorText.contains("vantaro: figures.txt, line 2: a star's number or position is not a number; "
                             "running without constellation "
                             "figures"))
      << run.errorText.toStdString();
  EXPECT_EQ(QImage(Path("out.png")).pixel(160, 240 - 1 - 120), qRgb(255, 255, 255));  // the star, as without
}
