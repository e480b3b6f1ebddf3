// Travel, look and select by star name, as --render does them.
#include <gtest/gtest.h>

#include "ViewFixture.h"
#include "interaction/StarNameCompleter.h"
#include "view/ScriptedNavigation.h"

TEST_F(ViewTest, NavigationByNameFindsAsTheCompletionThenTravelsAndLooks) {
  FillCatalog(doc.m_catalog, NamedStars({{"Kelvar", 0.0, 0.0, 12.0},
                                         {"B+12\xB0"
                                          "345",
                                          0.0, 0.0, -30.0},
                                         {"Mirach", 1, 1, 1}}));
  EXPECT_EQ(FindStarAsTyped(doc.m_catalog, "Mir"), 2);
  EXPECT_EQ(FindStarAsTyped(doc.m_catalog, "mirach"), -1);  // case-sensitive
  EXPECT_EQ(FindStarAsTyped(doc.m_catalog, ""), -1);        // nothing typed, nothing completed
  const struct {
    NavigationScript script;
    const char* error;
  } failures[] = {
      {{"Vega", "", ""}, "--travel-to: no star is named 'Vega' (names are case-sensitive)"},
      {{"", "Vega", ""}, "--look-at: no star is named 'Vega' (names are case-sensitive)"},
      {{"Mirach", "Mirach", ""},
       "--look-at: the observer stands at 'Mirach', so there is no direction to look in"},
      {{"", "", "Vega"}, "--select: no star is named 'Vega' (names are case-sensitive)"},
  };
  for (const auto& row : failures) {
    view.m_dYaw = 0.25;
    EXPECT_EQ(RunNavigationScript(view, row.script), row.error);
    EXPECT_EQ(view.m_dYaw, 0.25);
    EXPECT_EQ(view.m_nSelectedStar, -1);
  }
  // The designation is found with designations included; it lies straight behind.
  ASSERT_EQ(RunNavigationScript(view, {"Kelvar", "B+12", "Mir"}), "");
  EXPECT_EQ(view.m_nSelectedStar, 2);  // found as the look is
  EXPECT_EQ(view.m_vPosition.z, 12.0);
  EXPECT_EQ(view.m_bMagnitudesValid, 1);
  EXPECT_EQ(view.m_dYaw, 3.1415926535898);
  EXPECT_EQ(view.m_dPitch, 0.0);
}
