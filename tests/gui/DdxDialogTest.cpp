// The dialog framework: layouts, members written on opening, checked reads
// on OK, nothing read on Cancel, change notifications, and the About box.
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <functional>

#include "AppFixture.h"
#include "framework/DialogUnits.h"
#include "interaction/CommandIds.h"
#include "interaction/StarNameDlg.h"
#include "shell/DdxDialog.h"

namespace {

// Three edits of the coordinates dialog: a double from 0 to 360, an int from
// 0 to 2000 and a free text, exchanged in that order.
class TestModel : public DialogModel {
 public:
  double m_dAngle = 57.29577951309314;
  int m_nCount = 100;
  std::string m_strText = "Alpha \xB0";
  std::vector<int> changes;

  int TemplateId() const override { return dlg::kTravelToPoint; }
  void DoDataExchange(DataExchange& dx) override {
    dx.Text(ctl::kEditX, m_dAngle);
    dx.MinMaxDouble(ctl::kEditX, m_dAngle, 0.0, 360.0);
    dx.Text(ctl::kEditY, m_nCount);
    dx.MinMaxInt(ctl::kEditY, m_nCount, 0, 2000);
    dx.Text(ctl::kEditZ, m_strText);
  }
  void OnEditChange(int id, DialogHost&) override { changes.push_back(id); }
};

// A caption and a close button only, a size that never changes, and room
// for the caption beside the title bar's icon and button.
void ExpectFixedDialogFrame(const QDialog& dialog) {
  const std::string caption = dialog.windowTitle().toStdString();
  constexpr Qt::WindowFlags kTitleBar =
      Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
  EXPECT_EQ(
      dialog.windowFlags() & (kTitleBar | Qt::WindowMinMaxButtonsHint | Qt::WindowContextHelpButtonHint),
      kTitleBar)
      << caption;
  EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize()) << caption;
  QFont bold = dialog.font();
  bold.setBold(true);
  const QFontMetrics metrics(bold);
  EXPECT_GT(dialog.width(), metrics.horizontalAdvance(dialog.windowTitle()) + 2 * metrics.height())
      << caption;
}

class DdxDialogTest : public ::testing::Test {
 protected:
  void Open() {
    m_dialog = std::make_unique<DdxDialog>(m_model, nullptr);
    m_dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_dialog.get()));
  }
  QLineEdit* Edit(int id) { return qobject_cast<QLineEdit*>(m_dialog->ControlById(id)); }
  void Click(int id) { QTest::mouseClick(m_dialog->ControlById(id), Qt::LeftButton); }

  TestModel m_model;
  std::unique_ptr<DdxDialog> m_dialog;
};

}  // namespace

TEST_F(DdxDialogTest, WritesMembersOnOpeningWithoutNotifications) {
  Open();
  EXPECT_EQ(m_dialog->windowTitle(), "Enter Coordinates");
  EXPECT_EQ(Edit(ctl::kEditX)->text(), "57.2957795130931");
  EXPECT_EQ(Edit(ctl::kEditY)->text(), "100");
  EXPECT_EQ(Edit(ctl::kEditZ)->text(), QString::fromUtf8("Alpha \u00b0"));
  EXPECT_TRUE(m_model.changes.empty());

  QTest::keyClicks(Edit(ctl::kEditZ), "x");
  EXPECT_EQ(m_model.changes, std::vector<int>{ctl::kEditZ});
}

TEST_F(DdxDialogTest, OkReadsEveryControlBack) {
  Open();
  Edit(ctl::kEditX)->setText(" 360 ");
  Edit(ctl::kEditY)->setText("0");
  Edit(ctl::kEditZ)->setText("Beta");
  Click(ctl::kOk);
  EXPECT_EQ(m_dialog->result(), QDialog::Accepted);
  EXPECT_FALSE(m_dialog->isVisible());
  EXPECT_EQ(m_model.m_dAngle, 360.0);
  EXPECT_EQ(m_model.m_nCount, 0);
  EXPECT_EQ(m_model.m_strText, "Beta");
}

TEST_F(DdxDialogTest, AFailedCheckKeepsTheDialogOpenWithTheFocusOnItsControl) {
  struct Row {
    const char* name;
    const char* angle;
    const char* count;
    int failingControl;
    const char* message;
  } rows[] = {
      {"angle not a number", "north", "5", ctl::kEditX, "Please enter a number."},
      {"angle out of range", "360.5", "5", ctl::kEditX, "Please enter a number between 0 and 360."},
      {"count not an integer", "10", "2.5", ctl::kEditY, "Please enter an integer."},
      {"count out of range", "10", "2001", ctl::kEditY, "Please enter an integer between 0 and 2000."},
  };
  for (const Row& row : rows) {
    m_model = TestModel();
    Open();
    Edit(ctl::kEditX)->setText(row.angle);
    Edit(ctl::kEditY)->setText(row.count);
    MessageBoxWatcher boxes;
    Click(ctl::kOk);
    EXPECT_EQ(boxes.Texts(), std::vector<QString>{row.message}) << row.name;
    EXPECT_TRUE(m_dialog->isVisible()) << row.name;
    QWidget* failing = m_dialog->ControlById(row.failingControl);
    EXPECT_TRUE(QTest::qWaitFor([&] { return failing->hasFocus(); }, 1000)) << row.name;
    EXPECT_EQ(m_model.m_strText, "Alpha \xB0") << row.name;  // reading stopped before it
  }
}

TEST_F(DdxDialogTest, CancelReadsNothing) {
  Open();
  Edit(ctl::kEditX)->setText("1");
  Edit(ctl::kEditY)->setText("nonsense");
  Click(ctl::kCancel);
  EXPECT_EQ(m_dialog->result(), QDialog::Rejected);
  EXPECT_EQ(m_model.m_dAngle, 57.29577951309314);
  EXPECT_EQ(m_model.m_nCount, 100);
}

TEST(DialogLayouts, CaptionsControlsAndButtonOrder) {
  struct Row {
    int templateId;
    const char* caption;
    std::vector<int> edits;
    int checkBox;
  } rows[] = {
      {dlg::kTravelToPoint, "Enter Coordinates", {ctl::kEditX, ctl::kEditY, ctl::kEditZ}, 0},
      {dlg::kTravelToStar, "Enter Name", {ctl::kEditName}, ctl::kCheckDesignations},
      {dlg::kViewToStar, "Enter Name", {ctl::kEditName}, ctl::kCheckDesignations},
      {dlg::kViewDirection, "Enter Coordinates", {ctl::kEditU, ctl::kEditV}, 0},
      {dlg::kOptions, "Options", {ctl::kEditTolerance}, 0},
  };
  for (const Row& row : rows) {
    struct Layout : DialogModel {
      int id;
      int TemplateId() const override { return id; }
      void DoDataExchange(DataExchange&) override {}
    } model;
    model.id = row.templateId;
    DdxDialog dialog(model, nullptr);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), row.caption);
    for (int id : row.edits) EXPECT_NE(qobject_cast<QLineEdit*>(dialog.ControlById(id)), nullptr) << id;
    if (row.checkBox != 0) {
      EXPECT_EQ(qobject_cast<QCheckBox*>(dialog.ControlById(row.checkBox))->text(),
                "Also &Durchmusterung designations");
    }
    auto* ok = qobject_cast<QPushButton*>(dialog.ControlById(ctl::kOk));
    QWidget* cancel = dialog.ControlById(ctl::kCancel);
    ASSERT_NE(cancel, nullptr);
    EXPECT_TRUE(ok->isDefault());
    EXPECT_EQ(cancel->x() < ok->x(), row.templateId == dlg::kOptions) << row.caption;
    ExpectFixedDialogFrame(dialog);
  }
}

TEST(StarNameDialog, TypingCompletesTheNameWithTheTailSelected) {
  StarEntry stars[2] = {};
  std::snprintf(stars[0].szName, sizeof stars[0].szName, "Sirius");
  std::snprintf(stars[1].szName, sizeof stars[1].szName, "Vega");
  stars[1].vPos = Vector3D(1.0, 2.0, 3.0);
  CTravelToStarDlg model;
  model.m_nStars = 2;
  model.m_pStars = stars;
  DdxDialog dialog(model, nullptr);
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  auto* name = qobject_cast<QLineEdit*>(dialog.ControlById(ctl::kEditName));
  name->setFocus();
  QTest::keyClicks(name, "Ve");
  EXPECT_EQ(name->text(), "Vega");
  EXPECT_EQ(name->selectedText(), "ga");
  EXPECT_EQ(name->cursorPosition(), 4);
  EXPECT_EQ(model.m_bFound, 1);
  EXPECT_EQ(model.m_dStarZ, 3.0);
}

TEST_F(AppFixture, AboutBoxShowsIconTextAndOk) {
  Start({CentreStar()});
  QStringList seen;
  ModalWatcher watcher([&](QWidget& modal) {
    auto* about = qobject_cast<DdxDialog*>(&modal);
    if (about == nullptr) return;
    seen << about->windowTitle();
    for (const QLabel* label : about->findChildren<QLabel*>())
      seen << (label->pixmap().isNull() ? label->text() : QStringLiteral("icon"));
    seen << (about->ControlById(ctl::kCancel) == nullptr ? "no cancel" : "cancel");
    // 217 x 49 dialog units, OK to the right of the text.
    const DialogUnits units = DialogUnits::ForFont(about->font());
    EXPECT_EQ(about->size(), QSize(units.ToPixelsX(217), units.ToPixelsY(49)));
    QWidget* ok = about->ControlById(ctl::kOk);
    for (const QLabel* label : about->findChildren<QLabel*>()) EXPECT_GT(ok->x(), label->geometry().right());
    ExpectFixedDialogFrame(*about);
    QTest::mouseClick(ok, Qt::LeftButton);
  });
  EXPECT_TRUE(Route(cmd::kAppAbout));
  EXPECT_EQ(seen, (QStringList{"About Vantaro", "icon", "Vantaro Version 1.0", "no cancel"}));
}

// Keys typed into the dialog a command opens: the first edit's text is
// selected, so typing replaces it; Enter presses the focused button, or OK.
TEST_F(AppFixture, DialogKeysAsOnTheDesktop) {
  Start({CentreStar()});
  struct Row {
    const char* name;
    int command;
    const char* keys;  // '\t' Tab, '\n' Enter, other characters typed
    std::function<double(CSkyglassView&)> read;
    double expected;
  };
  const auto tolerance = [](CSkyglassView& v) { return double(v.m_nMagTolerance); };
  const auto x = [](CSkyglassView& v) { return v.m_vPosition.x; };
  const auto yaw = [](CSkyglassView& v) { return v.m_dYaw; };
  const Row rows[] = {
      {"typing replaces the tolerance", cmd::kOptions, "500\n", tolerance, 500.0},
      {"Enter on Cancel (left of OK) cancels", cmd::kOptions, "777\t\n", tolerance, 500.0},
      {"Enter back in the edit means OK", cmd::kOptions, "777\t\t\t\n", tolerance, 777.0},
      {"typing replaces X", cmd::kTravelToPoint, "5\n", x, 5.0},
      {"Enter on Cancel does not travel", cmd::kTravelToPoint, "9\t\t\t\t\n", x, 5.0},
      {"typing replaces U", cmd::kViewDirection, "90\n", yaw, 90.0 * 0.01745329251994},
      {"Enter on Cancel does not turn", cmd::kViewDirection, "10\t\t\t\n", yaw, 90.0 * 0.01745329251994},
  };
  for (const Row& row : rows) {
    MessageBoxWatcher refusals;
    bool typed = false;
    ModalWatcher typist([&](QWidget& modal) {
      // The keys wait until the dialog has the focus: on a busy machine it may
      // be shown a moment before it gets it.
      if (typed || qobject_cast<DdxDialog*>(&modal) == nullptr ||
          !modal.isAncestorOf(QApplication::focusWidget()))
        return;
      typed = true;
      for (const char* key = row.keys; *key != 0; ++key) {
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        if (*key == '\t')
          QTest::keyClick(focus, Qt::Key_Tab);
        else if (*key == '\n')
          QTest::keyClick(focus, Qt::Key_Return);
        else
          QTest::keyClick(focus, *key);
      }
      if (modal.isVisible()) static_cast<QDialog&>(modal).reject();  // the keys left it open
    });
    Route(row.command);
    EXPECT_TRUE(typed) << row.name;
    EXPECT_TRUE(refusals.Texts().empty()) << row.name;
    EXPECT_EQ(row.read(View()), row.expected) << row.name;
  }
}
