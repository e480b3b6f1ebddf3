// The navigation commands: travel to coordinates or to a star, look at a star,
// look in a direction given in degrees.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

#include "ViewFixture.h"
#include "geometry/ViewBasis.h"
#include "interaction/CommandIds.h"
#include "interaction/LookAngles.h"

namespace {

class Navigation : public ViewTest {
 protected:
  // Star dialogs: type the text into the name edit, optionally tick the box, then OK.
  void TypeNameThenOk(const std::string& typed) {
    OnDialogs([typed](FakeDialogHost& host, DialogModel&) {
      host.Type(ctl::kEditName, typed);
      return host.PressOk();
    });
  }
  void ExpectBasisMatchesAngles() {
    const ViewBasis expected = ComputeBasis(view.m_dYaw, view.m_dPitch);
    EXPECT_EQ(view.m_vForward.x, expected.forward.x);
    EXPECT_EQ(view.m_vForward.y, expected.forward.y);
    EXPECT_EQ(view.m_vForward.z, expected.forward.z);
  }
  // The turn commands' cases start at (1, 2, 3) facing (yaw, pitch), with
  // the magnitudes marked stale.
  void StartTurnAt(double yaw, double pitch) {
    view.m_vPosition = Vector3D(1.0, 2.0, 3.0);
    view.m_dYaw = yaw;
    view.m_dPitch = pitch;
    ForgetMagnitudes();
  }
  // A turn sets the angles and the basis that goes with them, and neither
  // moves the viewer nor recomputes the magnitudes.
  void ExpectTurnedTo(double yaw, double pitch) {
    EXPECT_EQ(view.m_dYaw, yaw);
    EXPECT_EQ(view.m_dPitch, pitch);
    ExpectBasisMatchesAngles();
    EXPECT_EQ(view.m_vPosition.x, 1.0);
    EXPECT_EQ(view.m_vPosition.y, 2.0);
    EXPECT_EQ(view.m_vPosition.z, 3.0);
    EXPECT_FALSE(MagnitudesRecomputed());
  }
};

TEST_F(Navigation, TravelToPointShowsThePositionAndMovesOnOk) {
  std::vector<std::string> shown;
  OnDialogs([&](FakeDialogHost& host, DialogModel& model) {
    EXPECT_EQ(model.TemplateId(), dlg::kTravelToPoint);
    EXPECT_EQ(host.lastExchange, (std::vector<std::string>{"Text 1002", "Text 1003", "Text 1004"}));
    shown = {host.edits[ctl::kEditX], host.edits[ctl::kEditY], host.edits[ctl::kEditZ]};
    host.edits[ctl::kEditX] = "1e3";
    host.edits[ctl::kEditY] = " -2.5";
    host.edits[ctl::kEditZ] = "7";
    return host.PressOk();
  });
  ForgetMagnitudes();
  view.m_dYaw = 0.25;
  view.OnCommand(cmd::kTravelToPoint);
  EXPECT_EQ(shown, (std::vector<std::string>{"0", "0", "0"}));
  EXPECT_EQ(view.m_vPosition.x, 1000.0);
  EXPECT_EQ(view.m_vPosition.y, -2.5);
  EXPECT_EQ(view.m_vPosition.z, 7.0);
  EXPECT_EQ(view.m_dYaw, 0.25);  // the angles stay
  EXPECT_TRUE(MagnitudesRecomputed());
  EXPECT_EQ(view.m_bMagnitudesValid, 1);
  EXPECT_EQ(view.m_bProjectionDirty, 1);
  EXPECT_EQ(platform.invalidations, 1);
}

TEST_F(Navigation, TravelToPointConfirmedUnchangedUsesTheFifteenDigitForms) {
  struct Row {
    Vector3D start;
    Vector3D end;
  } rows[] = {
      {{0.0, 0.0, 0.0}, {0.0, 0.0, 0.0}},
      {{0.1, -2.0, 1e-7}, {0.1, -2.0, 1e-7}},
      {{1.0 / 3.0, 2.0 / 3.0, 57.295779513093144}, {0.333333333333333, 0.666666666666667, 57.2957795130931}},
  };
  ConfirmDialogsUnchanged();
  for (const Row& row : rows) {
    view.m_vPosition = row.start;
    view.OnTravelToPoint();
    EXPECT_EQ(view.m_vPosition.x, row.end.x);
    EXPECT_EQ(view.m_vPosition.y, row.end.y);
    EXPECT_EQ(view.m_vPosition.z, row.end.z);
  }
}

TEST_F(Navigation, TravelWithMagnitudeDrawingOffRecomputesNothing) {
  view.m_bMagnitudeDrawing = 0;
  view.m_bMagnitudesValid = 0;
  ForgetMagnitudes();
  ConfirmDialogsUnchanged();
  view.OnTravelToPoint();
  EXPECT_FALSE(MagnitudesRecomputed());
  EXPECT_EQ(view.m_bMagnitudesValid, 0);
  EXPECT_EQ(platform.invalidations, 1);
}

TEST_F(Navigation, CancelledOrRefusedDialogsChangeNothing) {
  view.m_vPosition = Vector3D(1.0, 2.0, 3.0);
  view.m_dYaw = 1.0;
  view.m_bProjectionDirty = 0;
  OnDialogs([](FakeDialogHost& host, DialogModel&) {
    for (int id : {ctl::kEditX, ctl::kEditU}) host.edits[id] = "abc";
    host.Type(ctl::kEditName, "Kel");
    return false;  // Cancel
  });
  for (int id : {cmd::kTravelToPoint, cmd::kTravelToStar, cmd::kViewToStar, cmd::kViewDirection})
    view.OnCommand(id);
  EXPECT_EQ(view.m_vPosition.z, 3.0);
  EXPECT_EQ(view.m_dYaw, 1.0);
  EXPECT_EQ(view.m_bProjectionDirty, 0);
  EXPECT_EQ(platform.invalidations, 0);
}

TEST_F(Navigation, TravelToStarMovesOntoTheStarFoundLast) {
  ForgetMagnitudes();
  TypeNameThenOk("Mi");
  view.OnCommand(cmd::kTravelToStar);
  EXPECT_EQ(view.m_vPosition.x, -20.0);
  EXPECT_EQ(view.m_vPosition.y, 0.5);
  EXPECT_EQ(view.m_vPosition.z, 7.25);
  EXPECT_TRUE(MagnitudesRecomputed());
  EXPECT_EQ(doc.m_catalog.m_pStars[1].dDistance, 0.0);  // standing on Mirach
  EXPECT_EQ(platform.invalidations, 1);
}

TEST_F(Navigation, StarDialogsWithoutAFoundStarDoNothing) {
  const char* texts[] = {"", "Zeta", "kel"};  // nothing typed, no match, wrong case
  for (const char* text : texts) {
    TypeNameThenOk(text);
    view.OnCommand(cmd::kTravelToStar);
    view.OnCommand(cmd::kViewToStar);
  }
  EXPECT_EQ(view.m_vPosition.x, 0.0);
  EXPECT_EQ(view.m_vPosition.z, 0.0);
  EXPECT_EQ(view.m_dYaw, 0.0);
  EXPECT_EQ(platform.invalidations, 0);
}

TEST_F(Navigation, StarDialogsSeeTheWholeCatalogue) {
  FillCatalog(doc.m_catalog, NamedStars({{"Alpha", 0, 0, 1}, {"Beta", 0, 0, 2}, {"Gamma", 5, 6, 7}}));
  TypeNameThenOk("G");
  view.OnCommand(cmd::kTravelToStar);
  EXPECT_EQ(view.m_vPosition.z, 7.0);
}

TEST_F(Navigation, LookAtAStar) {
  struct Row {
    const char* name;
    Vector3D star;
    double yaw, pitch;
  } rows[] = {
      {"straight ahead along +z", {0.0, 0.0, 5.0}, 0.0, 0.0},
      {"behind along -z", {0.0, 0.0, -5.0}, 3.1415926535898, 0.0},
      {"above along +y", {0.0, 5.0, 0.0}, 0.0, std::asin(1.0)},
      {"below along -y", {0.0, -5.0, 0.0}, 0.0, std::asin(-1.0)},
      {"right along +x", {5.0, 0.0, 0.0}, std::asin(1.0), 0.0},
      {"left in front is negative", {-5.0, 0.0, 5.0}, std::asin(-0.7071067811865475), 0.0},
      {"left behind", {-5.0, 0.0, -5.0}, 3.1415926535898 - std::asin(-0.7071067811865475), 0.0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    FillCatalog(doc.m_catalog,
                NamedStars({{"Target", row.star.x + 1.0, row.star.y + 2.0, row.star.z + 3.0}}));
    StartTurnAt(0.5, 0.5);
    TypeNameThenOk("T");
    view.OnCommand(cmd::kViewToStar);
    ExpectTurnedTo(row.yaw, row.pitch);
  }
}

TEST_F(Navigation, LookingAtAStarTurnsTheForwardVectorOntoIt) {
  FillCatalog(doc.m_catalog, NamedStars({{"Target", 3.0, -4.0, -12.0}}));
  TypeNameThenOk("T");
  view.OnCommand(cmd::kViewToStar);
  const Vector3D f = view.m_vForward;
  EXPECT_NEAR(f.x, 3.0 / 13.0, 1e-12);
  EXPECT_NEAR(f.y, -4.0 / 13.0, 1e-12);
  EXPECT_NEAR(f.z, -12.0 / 13.0, 1e-12);
}

TEST_F(Navigation, LookingAtAStarFromItsOwnPositionChangesNothing) {
  TypeNameThenOk("Kel");
  view.OnCommand(cmd::kTravelToStar);  // now standing on Kelvar
  view.m_dYaw = 0.5;
  view.m_dPitch = 0.25;
  platform.invalidations = 0;
  view.OnCommand(cmd::kViewToStar);
  EXPECT_EQ(view.m_dYaw, 0.5);
  EXPECT_EQ(view.m_dPitch, 0.25);
  EXPECT_EQ(platform.invalidations, 0);
}

TEST(LookAngles, DirectionsWithoutAUsableLengthAreRefused) {
  const Vector3D refused[] = {{0.0, 0.0, 0.0}, {1e200, 1e200, 0.0}, {1e-200, 0.0, 0.0}, {INFINITY, 0.0, 1.0}};
  for (const Vector3D& d : refused) {
    double yaw = 7.0;
    double pitch = 7.0;
    EXPECT_FALSE(LookAnglesTowards(d, yaw, pitch)) << d.x;
    EXPECT_EQ(yaw, 7.0);
    EXPECT_EQ(pitch, 7.0);
  }
}

TEST(LookAngles, StaysFiniteNearThePoles) {
  // Almost straight up: cos(pitch) is tiny, and d.x / cos(pitch) may exceed 1.
  const Vector3D nearPole[] = {{1e-9, 1.0, 0.0}, {-1e-9, 1.0, 1e-12}, {1e-17, -1.0, -1e-17}};
  for (const Vector3D& d : nearPole) {
    double yaw = 0.0;
    double pitch = 0.0;
    ASSERT_TRUE(LookAnglesTowards(d, yaw, pitch));
    EXPECT_TRUE(std::isfinite(yaw)) << d.x;
    EXPECT_TRUE(std::isfinite(pitch)) << d.x;
  }
}

TEST_F(Navigation, ViewDirectionShowsDegreesAndReadsThemBack) {
  struct Row {
    const char* name;
    double yaw, pitch;
    const char* u;  // shown
    const char* v;
    double yawAfter, pitchAfter;  // after OK with the text unchanged
  } rows[] = {
      {"start", 0.0, 0.0, "0", "0", 0.0, 0.0},
      {"yaw 1 comes back rounded", 1.0, 0.0, "57.2957795130931", "0", 0.9999999999999993, 0.0},
      {"both angles", 0.5, -0.25, "28.6478897565466", "-14.3239448782733",
       28.6478897565466 * 0.01745329251994, -14.3239448782733 * 0.01745329251994},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    StartTurnAt(row.yaw, row.pitch);
    std::string u, v;
    OnDialogs([&](FakeDialogHost& host, DialogModel& model) {
      EXPECT_EQ(model.TemplateId(), dlg::kViewDirection);
      u = host.edits[ctl::kEditU];
      v = host.edits[ctl::kEditV];
      return host.PressOk();
    });
    view.OnCommand(cmd::kViewDirection);
    EXPECT_EQ(u, row.u);
    EXPECT_EQ(v, row.v);
    ExpectTurnedTo(row.yawAfter, row.pitchAfter);
  }
}

TEST_F(Navigation, ViewDirectionChecksEachAngleInControlOrder) {
  struct Row {
    const char* name;
    const char* u;
    const char* v;
    int refused;  // 0 when accepted
  } rows[] = {
      {"inclusive bounds", "360", "-90", 0},
      {"other bounds", "0", "90", 0},
      {"U above 360", "360.0000001", "0", ctl::kEditU},
      {"negative U", "-28.6478897565466", "0", ctl::kEditU},
      {"V past the top", "0", "90.0000000000172", ctl::kEditV},
      {"V below", "0", "-90.5", ctl::kEditV},
      {"U not a number comes first", "abc", "abc", ctl::kEditU},
      {"V not a number", "10", "1O", ctl::kEditV},
  };
  for (const Row& row : rows) {
    OnDialogs([&](FakeDialogHost& host, DialogModel&) {
      host.edits[ctl::kEditU] = row.u;
      host.edits[ctl::kEditV] = row.v;
      const bool accepted = host.PressOk();
      EXPECT_EQ(host.refusedControl, row.refused) << row.name;
      if (row.refused == 0) {
        EXPECT_EQ(host.lastExchange, (std::vector<std::string>{"Text 1020", "MinMaxDouble 1020", "Text 1021",
                                                               "MinMaxDouble 1021"}));
      }
      return accepted;
    });
    view.m_dYaw = 0.0;
    view.OnCommand(cmd::kViewDirection);
    const double expectedYaw = row.refused == 0 ? *edit_text::ParseDouble(row.u) * 0.01745329251994 : 0.0;
    EXPECT_EQ(view.m_dYaw, expectedYaw) << row.name;
  }
}

TEST_F(Navigation, PitchAtTheMouseLookLimitMustBeEditedBeforeOk) {
  view.m_dPitch = 1.5707963267949;
  std::string shown;
  OnDialogs([&](FakeDialogHost& host, DialogModel&) {
    shown = host.edits[ctl::kEditV];
    EXPECT_FALSE(host.PressOk());
    EXPECT_EQ(host.refusedControl, ctl::kEditV);
    host.edits[ctl::kEditV] = "90";
    return host.PressOk();
  });
  view.OnCommand(cmd::kViewDirection);
  EXPECT_EQ(shown, "90.0000000000172");
  EXPECT_EQ(view.m_dPitch, 90.0 * 0.01745329251994);
}

}  // namespace
