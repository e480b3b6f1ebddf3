// Star-name completion as the user types in either star dialog, and the two
// dialogs' data exchange.
#include "interaction/StarNameCompleter.h"

#include <gtest/gtest.h>

#include "CatalogFill.h"
#include "FakeDialog.h"
#include "interaction/CommandIds.h"
#include "interaction/StarNameDlg.h"

namespace {

const std::vector<TestStar> kStars = {
    {"Sirius", 1.0, 2.0, 3.0},
    {"Sirrah", 4.0, 5.0, 6.0},
    {"BD+5\xB0"
     "1668",
     7.0, 8.0, 9.0},  // a designation: the degree sign is the fifth byte
    {"Betelgeuse", 10.0, 11.0, 12.0},
    {"BD+12\xB0"
     "1",
     13.0, 14.0, 15.0},  // degree sign sixth: an ordinary name to the dialogs
    {"Vega", 16.0, 17.0, 18.0},
};

struct Step {
  enum Kind { Type, Backspace, SelectAll, Tick } kind;
  std::string text;
};
Step Type(std::string text) { return {Step::Type, std::move(text)}; }
Step Back() { return {Step::Backspace, ""}; }
Step All() { return {Step::SelectAll, ""}; }
Step Tick() { return {Step::Tick, ""}; }

struct Scenario {
  const char* name;
  std::vector<Step> steps;
  std::string text;      // the edit afterwards
  std::string selected;  // its selected characters
  int found;             // m_bFound
  int star;              // index of the star whose position is stored, or -1
};

template <typename Dialog>
class StarNameCompletion : public ::testing::Test {
 protected:
  StarNameCompletion() {
    FillCatalog(catalog, NamedStars(kStars));
    dialog.m_nStars = catalog.m_nStars;
    dialog.m_pStars = catalog.m_pStars;
  }

  void Run(const Scenario& scenario) {
    FakeDialogHost host(dialog);
    host.Open();
    for (const Step& step : scenario.steps) {
      switch (step.kind) {
        case Step::Type:
          host.Type(ctl::kEditName, step.text);
          break;
        case Step::Backspace:
          host.Backspace(ctl::kEditName);
          break;
        case Step::SelectAll:
          host.SelectAll(ctl::kEditName);
          break;
        case Step::Tick:
          host.SetCheck(ctl::kCheckDesignations, 1);
          break;
      }
    }
    EXPECT_EQ(host.edits[ctl::kEditName], scenario.text) << scenario.name;
    EXPECT_EQ(host.SelectedText(ctl::kEditName), scenario.selected) << scenario.name;
    EXPECT_EQ(host.selections[ctl::kEditName].end, static_cast<int>(scenario.text.size())) << scenario.name;
    EXPECT_EQ(dialog.m_bFound, scenario.found) << scenario.name;
    if (scenario.star >= 0) {
      EXPECT_EQ(dialog.m_dStarX, kStars[scenario.star].x) << scenario.name;
      EXPECT_EQ(dialog.m_dStarY, kStars[scenario.star].y) << scenario.name;
      EXPECT_EQ(dialog.m_dStarZ, kStars[scenario.star].z) << scenario.name;
    }
  }

  StarCatalog catalog;
  Dialog dialog;
};

using StarDialogs = ::testing::Types<CTravelToStarDlg, CViewToStarDlg>;
TYPED_TEST_SUITE(StarNameCompletion, StarDialogs);

TYPED_TEST(StarNameCompletion, CompletesWhileTyping) {
  const std::string kDesignation = kStars[2].name;
  const Scenario scenarios[] = {
      {"first letter completes, tail selected", {Type("S")}, "Sirius", "irius", 1, 0},
      {"next letter completes again", {Type("Si")}, "Sirius", "rius", 1, 0},
      {"earlier record wins a shared prefix", {Type("Sir")}, "Sirius", "ius", 1, 0},
      {"longer prefix reaches the later record", {Type("Sirr")}, "Sirrah", "ah", 1, 1},
      {"letter that fits no name", {Type("Sx")}, "Sx", "", 0, -1},
      {"whole name typed: empty selection at the end", {Type("Sirius")}, "Sirius", "", 1, 0},
      {"wrong case finds nothing", {Type("s")}, "s", "", 0, -1},
      {"backspace removes the tail, keeps the star", {Type("Sirr"), Back()}, "Sirr", "", 1, 1},
      {"backspace then typing completes again",
       {Type("Sirr"), Back(), Back(), Type("i")},
       "Sirius",
       "us",
       1,
       0},
      {"select all and type: not longer, no completion", {Type("Si"), All(), Type("B")}, "B", "", 1, 0},
      {"the next letter completes", {Type("Si"), All(), Type("Be")}, "Betelgeuse", "telgeuse", 1, 3},
      {"designations skipped while unticked", {Type("B")}, "Betelgeuse", "etelgeuse", 1, 3},
      {"designations found while ticked", {Tick(), Type("B")}, kDesignation, kDesignation.substr(1), 1, 2},
      {"only a designation fits", {Type("BD+5")}, "BD+5", "", 0, -1},
      {"degree sign not fifth is a plain name",
       {Type("BD+1")},
       kStars[4].name,
       kStars[4].name.substr(4),
       1,
       4},
      {"ticking alone changes nothing", {Type("B"), Tick()}, "Betelgeuse", "etelgeuse", 1, 3},
      {"ticking counts at the next growth",
       {Type("B"), Tick(), Type("D")},
       kDesignation,
       kDesignation.substr(2),
       1,
       2},
      {"no match then match again", {Type("Vx"), Back(), Back(), Type("V")}, "Vega", "ega", 1, 5},
  };
  for (const Scenario& scenario : scenarios) {
    this->dialog = TypeParam();
    this->dialog.m_nStars = this->catalog.m_nStars;
    this->dialog.m_pStars = this->catalog.m_pStars;
    this->Run(scenario);
  }
}

TYPED_TEST(StarNameCompletion, EmptyCatalogueFindsNothing) {
  this->dialog.m_nStars = 0;
  this->dialog.m_pStars = nullptr;
  this->Run({"empty catalogue", {Type("S")}, "S", "", 0, -1});
}

TEST(StarNameDialogs, ExchangeOrderDiffers) {
  CTravelToStarDlg travel;
  FakeDialogHost travelHost(travel);
  travelHost.Open();
  EXPECT_EQ(travelHost.lastExchange, (std::vector<std::string>{"Control 1018", "Text 1018", "Check 1019"}));
  EXPECT_EQ(travel.TemplateId(), 135);
  CViewToStarDlg look;
  FakeDialogHost lookHost(look);
  lookHost.Open();
  EXPECT_EQ(lookHost.lastExchange, (std::vector<std::string>{"Control 1018", "Check 1019", "Text 1018"}));
  EXPECT_EQ(look.TemplateId(), 136);
}

TEST(StarNameDialogs, OkReadsTheControlsWithoutSearching) {
  StarCatalog catalog;
  FillCatalog(catalog, NamedStars(kStars));
  CTravelToStarDlg dialog;
  dialog.m_nStars = catalog.m_nStars;
  dialog.m_pStars = catalog.m_pStars;
  FakeDialogHost host(dialog);
  host.Open();
  host.Type(ctl::kEditName, "Sirr");
  host.edits[ctl::kEditName] = "Vega";  // changed without a notification
  EXPECT_TRUE(host.PressOk());
  EXPECT_EQ(dialog.m_strName, "Vega");
  EXPECT_EQ(dialog.m_dStarX, kStars[1].x);  // still the star found last
}

TEST(FindStarByPrefix, MatchesBytesFromTheStart) {
  StarCatalog catalog;
  FillCatalog(catalog, NamedStars(kStars));
  struct Row {
    const char* prefix;
    bool designations;
    int index;
  } rows[] = {{"Sir", false, 0}, {"irius", false, -1}, {"Vega", false, 5}, {"Vegas", false, -1},
              {"BD", false, 4},  {"BD", true, 2},      {"", false, 0}};
  for (const Row& row : rows)
    EXPECT_EQ(FindStarByPrefix(catalog.m_pStars, catalog.m_nStars, row.prefix, row.designations), row.index)
        << row.prefix;
}

}  // namespace
