// A view over a small catalogue with a fake platform, for the handler tests,
// plus helpers to script the dialogs it runs and to see whether the
// magnitudes were recomputed.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "FakeDialog.h"
#include "FakeViewPlatform.h"
#include "view/CommandUI.h"
#include "view/KeyboardTravel.h"
#include "view/SkyglassView.h"

struct TestStar {
  std::string name;
  double x;
  double y;
  double z;
};

// Replaces the catalogue's records.
inline void FillCatalog(StarCatalog& catalog, const std::vector<TestStar>& stars) {
  catalog.Allocate(static_cast<int32_t>(stars.size()));
  for (size_t i = 0; i < stars.size(); ++i) {
    StarEntry& entry = catalog.m_pStars[i];
    std::strncpy(entry.szName, stars[i].name.c_str(), sizeof entry.szName - 1);
    entry.vPos = Vector3D(stars[i].x, stars[i].y, stars[i].z);
    entry.dAbsMagnitude = 1.0;
  }
}

// Records what an update handler set.
struct RecordingCmdUI : CCmdUI {
  int check = -1;
  std::string text = "(none)";
  void Enable(bool) override {}
  void SetCheck(int checked) override { check = checked; }
  void SetText(std::string_view t) override { text = std::string(t); }
};

class ViewTest : public ::testing::Test {
 protected:
  ViewTest() {
    ResetTravelPressClock();
    FillCatalog(doc.m_catalog, {{"Kelvar", 3.0, 4.0, 12.0}, {"Mirach", -20.0, 0.5, 7.25}});
    doc.m_bMapPresent = 1;
  }

  // Marks the stored distances stale, so that a recomputation shows.
  void ForgetMagnitudes() {
    for (int i = 0; i < doc.m_catalog.m_nStars; ++i) doc.m_catalog.m_pStars[i].dDistance = -1.0;
  }
  bool MagnitudesRecomputed() const { return doc.m_catalog.m_pStars[0].dDistance >= 0.0; }

  // Every dialog the view runs is opened, handed to script, and closed with
  // the script's answer.
  void OnDialogs(std::function<bool(FakeDialogHost&, DialogModel&)> script) {
    platform.dialogHandler = [script](DialogModel& model) {
      FakeDialogHost host(model);
      host.Open();
      return script(host, model);
    };
  }
  // Dialogs confirmed with OK unchanged.
  void ConfirmDialogsUnchanged() {
    OnDialogs([](FakeDialogHost& host, DialogModel&) { return host.PressOk(); });
  }

  CSkyglassDoc doc;
  FakeViewPlatform platform;
  CSkyglassView view{doc, platform};
};
