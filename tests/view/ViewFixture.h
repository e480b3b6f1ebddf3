// The view's test fixture: a view over a small catalogue (two named stars)
// with a fake platform, plus helpers to load other stars, to script the
// dialogs it runs and to see whether the magnitudes were recomputed.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "CatalogFill.h"
#include "FakeDialog.h"
#include "FakeViewPlatform.h"
#include "command/CommandUI.h"
#include "view/KeyboardTravel.h"
#include "view/SkyglassView.h"

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
    LoadMap(NamedStars({{"Kelvar", 3.0, 4.0, 12.0}, {"Mirach", -20.0, 0.5, 7.25}}));
  }

  // Replaces the map's stars.
  void LoadMap(const std::vector<StarEntry>& stars) {
    FillCatalog(doc.m_catalog, stars);
    doc.m_bMapPresent = 1;
  }
  const StarEntry& Star(int i) const { return doc.m_catalog.m_pStars[i]; }

  // Notes the magnitudes as they are, so that a recomputation shows.
  void ForgetMagnitudes() { m_forgottenMagnitudes = doc.m_catalog.MagnitudesStamp(); }
  bool MagnitudesRecomputed() const { return doc.m_catalog.MagnitudesStamp() != m_forgottenMagnitudes; }

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

  uint64_t m_forgottenMagnitudes = 0;
  CSkyglassDoc doc{"unused.smp"};
  FakeViewPlatform platform;
  CSkyglassView view{doc, platform};
};
