// Runs the GUI tests inside one QApplication on the offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);  // closing the frame in a test ends nothing
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
