// A running application (document, frame and view) on a small map written
// by the test, shown on the offscreen platform.
#pragma once

#include <gtest/gtest.h>

#include <QTest>
#include <memory>

#include "GuiTestSupport.h"
#include "TempDirectory.h"
#include "shell/MainFrame.h"
#include "shell/SkyglassApp.h"
#include "shell/SkyglassViewWidget.h"

class AppFixture : public ::testing::Test {
 protected:
  // Starts on a map of these stars; an empty list starts without a map file.
  void Start(const std::vector<TestStar>& stars) {
    const std::string mapPath = m_dir.File("map.smp");
    if (!stars.empty()) m_dir.Write("map.smp", TestMapBytes(stars));
    m_app = std::make_unique<CSkyglassApp>(mapPath);
    std::string error;
    ASSERT_TRUE(m_app->InitInstance(std::nullopt, &error)) << error;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Frame()));
    Frame()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Frame()));
  }

  CMainFrame* Frame() { return m_app->DocTemplate().Frame(); }
  SkyglassViewWidget* ViewWidget() { return m_app->DocTemplate().View(); }
  CSkyglassView& View() { return ViewWidget()->View(); }
  bool Route(int id) { return m_app->DocTemplate().Router().Route(id); }
  // A point of the view in the frame window's coordinates.
  QPoint InWindow(QPoint inView) { return ViewWidget()->mapTo(Frame(), inView); }

  TempDirectory m_dir{"app"};
  std::unique_ptr<CSkyglassApp> m_app;
};
