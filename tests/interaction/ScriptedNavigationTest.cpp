// Travel and look by star name, as --render does them.
#include <gtest/gtest.h>

#include "ViewFixture.h"
#include "interaction/CommandIds.h"
#include "interaction/ScriptedNavigation.h"

namespace {

class ScriptedNavigation : public ViewTest {
 protected:
  ScriptedNavigation() {
    FillCatalog(doc.m_catalog, {{"Kelvar", 3.0, 4.0, 12.0},
                                {"B+12\xB0"
                                 "345",
                                 0.0, 0.0, -30.0},
                                {"Mirach", -20.0, 0.5, 7.25},
                                {"Mira", 1.0, 1.0, 1.0}});
  }
};

TEST_F(ScriptedNavigation, FindsAsTheCompletionTypedInOneGoWithDesignations) {
  const StarCatalog& catalog = doc.m_catalog;
  EXPECT_EQ(FindStarAsTyped(catalog, "Kelvar"), 0);
  EXPECT_EQ(FindStarAsTyped(catalog, "B+12"), 1);  // designations ticked
  EXPECT_EQ(FindStarAsTyped(catalog, "Mira"), 2);  // the first name that begins so
  EXPECT_EQ(FindStarAsTyped(catalog, "kelvar"), -1);
  EXPECT_EQ(FindStarAsTyped(catalog, ""), -1);
}

TEST_F(ScriptedNavigation, TravelsThenLooksAsTheDialogsDo) {
  ASSERT_EQ(RunNavigationScript(view, {"Kelvar", "B+12"}), "");
  EXPECT_EQ(view.m_vPosition.x, 3.0);
  EXPECT_EQ(view.m_vPosition.z, 12.0);
  EXPECT_EQ(view.m_bMagnitudesValid, 1);

  // The same look through the dialog gives the same angles.
  const double yaw = view.m_dYaw;
  const double pitch = view.m_dPitch;
  view.m_dYaw = view.m_dPitch = 0.0;
  OnDialogs([](FakeDialogHost& host, DialogModel&) {
    host.SetCheck(ctl::kCheckDesignations, 1);
    host.Replace(ctl::kEditName, "B+12");
    return host.PressOk();
  });
  view.OnViewToStar();
  EXPECT_EQ(view.m_dYaw, yaw);
  EXPECT_EQ(view.m_dPitch, pitch);
}

TEST_F(ScriptedNavigation, UnknownNamesAndNoDirectionAreErrorsNamingTheStar) {
  struct Row {
    const char* name;
    NavigationScript script;
    const char* error;
  };
  const Row rows[] = {
      {"travel", {"Vega", ""}, "--travel-to: no star is named 'Vega' (names are case-sensitive)"},
      {"look", {"", "Vega"}, "--look-at: no star is named 'Vega' (names are case-sensitive)"},
      {"look from the star itself",
       {"Kelvar", "Kelvar"},
       "--look-at: the observer stands at 'Kelvar', so there is no direction to look in"},
  };
  for (const Row& row : rows) {
    view.m_dYaw = 0.25;
    EXPECT_EQ(RunNavigationScript(view, row.script), row.error) << row.name;
    EXPECT_EQ(view.m_dYaw, 0.25) << row.name;
  }
}

}  // namespace
