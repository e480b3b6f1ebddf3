// File > Save View As: the saved PNG is the picture --render makes of the same
// observer and switches, and without a map the no-map screen the window
// shows; a failed write says why and leaves no file; the file dialog is made
// once and answers each time.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QLineEdit>
#include <QPointer>
#include <QWheelEvent>

#include "AppFixture.h"
#include "interaction/CommandIds.h"
#include "shell/DdxDialog.h"
#include "shell/SaveView.h"

namespace {

class SaveViewTest : public AppFixture {
 protected:
  void SetUp() override {
    Start({CentreStar(),
           {2, 10.0, 4.0, 30.0, 1.0, "K0", "Kelvar"},
           {3, -6.0, -2.0, 25.0, 2.0, "G2", "Mirach"}});
    AnswerFileDialogs();
  }
  void AnswerFileDialogs() {
    Frame()->SetSaveFileNameAsker([this](QWidget&, const QString& suggested) {
      suggestions << suggested;
      return answer;
    });
  }
  QString Path(const char* name) const { return QString::fromStdString(m_dir.File(name)); }
  QStringList Files() const { return QDir(Path("")).entryList(QDir::Files | QDir::Hidden); }
  QByteArray Bytes(const QString& path) const {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  QString answer;  // what the file dialog answers
  QStringList suggestions;
};

class SaveNoMapTest : public SaveViewTest {
 protected:
  void SetUp() override {
    Start({});
    AnswerFileDialogs();
  }
};

// Types name into the star dialog that Ctrl+D opens, and confirms it.
void LookAtStarByDialog(QWidget& view, const char* name) {
  bool typed = false;
  ModalWatcher typist([&](QWidget& modal) {
    if (typed || qobject_cast<DdxDialog*>(&modal) == nullptr ||
        !modal.isAncestorOf(QApplication::focusWidget()))
      return;  // not before the dialog has the focus
    typed = true;
    QTest::keyClicks(QApplication::focusWidget(), name);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  });
  QTest::keyClick(&view, Qt::Key_D, Qt::ControlModifier);
  EXPECT_TRUE(typed);
}

// The real file dialog: a typed name is confirmed, then the same dialog
// comes back with the suggestion for a second save, which is cancelled.
TEST_F(SaveViewTest, TheFileDialogIsKeptFromOneSaveToTheNext) {
  QPointer<QFileDialog> first;
  QFileDialog* second = nullptr;
  int opened = 0;
  ModalWatcher answer([&](QWidget& modal) {
    auto* dialog = qobject_cast<QFileDialog*>(&modal);
    if (dialog == nullptr) return;
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(name, nullptr);
    if (++opened == 1) {
      first = dialog;
      name->setText(QStringLiteral("typed"));
      QTest::keyClick(name, Qt::Key_Return);
      return;
    }
    second = dialog;
    EXPECT_EQ(dialog->selectedFiles(), QStringList{Path("second.png")});
    QTest::keyClick(name, Qt::Key_Escape);
  });
  PngFileNameAsker ask;
  EXPECT_EQ(ask(*Frame(), Path("first.png")), Path("typed.png"));  // the default suffix added
  EXPECT_EQ(ask(*Frame(), Path("second.png")), QString());
  ASSERT_FALSE(first.isNull());
  EXPECT_EQ(second, first.data());
}

}  // namespace

// Travelled, turned towards a star, zoomed by the wheel and with names on,
// as a user would; then the same through --render.
TEST_F(SaveViewTest, SavesWhatRenderMakesOfTheSameView) {
  Route(cmd::kNames);
  QTest::keyClick(ViewWidget(), Qt::Key_Up);
  LookAtStarByDialog(*ViewWidget(), "Kelvar");
  const QPointF at(30, 30);
  QWheelEvent notch(at, ViewWidget()->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, {},
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(ViewWidget(), &notch);
  ASSERT_EQ(View().m_vPosition.z, 2.0);
  ASSERT_EQ(View().m_dZoom, 1.4);

  answer = Path("saved.png");
  Frame()->activateWindow();  // back from the dialog, for the shortcut
  ASSERT_TRUE(QTest::qWaitForWindowActive(Frame()));
  QTest::keyClick(ViewWidget(), Qt::Key_S, Qt::ControlModifier);
  ASSERT_EQ(suggestions.size(), 1);
  EXPECT_EQ(suggestions[0], QDir::current().filePath("vantaro-view.png"));

  const QSize size = ViewWidget()->size();
  const ProcessResult run =
      RunVantaro({"--render", Path("rendered.png"), "--map", Path("map.smp"), "--size",
                  QString("%1x%2").arg(size.width()).arg(size.height()), "--position", "0,0,2", "--look-at",
                  "Kelvar", "--zoom", "1.4", "--labels", "names"});
  ASSERT_EQ(run.exitCode, 0) << run.errorText.toStdString();
  const QImage saved(Path("saved.png"));
  const QImage rendered(Path("rendered.png"));
  ASSERT_EQ(saved.size(), size);
  EXPECT_TRUE(saved == rendered);
  EXPECT_TRUE(Bytes(Path("saved.png")) == Bytes(Path("rendered.png")));  // the one PNG writer
  int blue = 0;                                                          // the names are in the picture
  for (int y = 0; y < saved.height(); ++y)
    for (int x = 0; x < saved.width(); ++x) blue += saved.pixel(x, y) == qRgb(0, 0, 255);
  EXPECT_GT(blue, 20);

  Route(cmd::kSaveViewAs);  // the next dialog starts at the file saved
  ASSERT_EQ(suggestions.size(), 2);
  EXPECT_EQ(suggestions[1], Path("saved.png"));
}

TEST_F(SaveViewTest, AFailedWriteSaysWhyAndLeavesNoFile) {
  const QStringList before = Files();
  struct Row {
    const char* name;
    QString path;
  } rows[] = {
      {"into a missing directory", Path("missing/view.png")},
      {"onto a directory", Path("")},
  };
  for (const Row& row : rows) {
    answer = row.path;
    MessageBoxWatcher boxes;
    Route(cmd::kSaveViewAs);
    ASSERT_EQ(boxes.Texts().size(), 1u) << row.name;
    const QString prefix = "Cannot save the view as \"" + QDir::toNativeSeparators(row.path) + "\": ";
    EXPECT_TRUE(boxes.Texts()[0].startsWith(prefix)) << boxes.Texts()[0].toStdString();
    EXPECT_GT(boxes.Texts()[0].size(), prefix.size()) << row.name;  // with the reason
    EXPECT_EQ(Files(), before) << row.name;
  }
  EXPECT_FALSE(QFile::exists(Path("missing/view.png")));

  answer.clear();  // cancelled: nothing written, nothing said
  MessageBoxWatcher boxes;
  Route(cmd::kSaveViewAs);
  QTest::qWait(30);
  EXPECT_TRUE(boxes.Texts().empty());
  EXPECT_EQ(Files(), before);
}

TEST_F(SaveNoMapTest, SavesTheNoMapScreenAsTheWindowShowsIt) {
  answer = Path("saved.png");
  Route(cmd::kSaveViewAs);
  const QImage saved = QImage(Path("saved.png")).convertToFormat(QImage::Format_RGB32);
  // The no-map screen's 640 by 480 area; the view leaves the rest of the window unpainted.
  const QImage shown = ViewWidget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_TRUE(saved.copy(0, 0, 640, 480) == shown.copy(0, 0, 640, 480));
  EXPECT_NE(saved.pixel(30, 30), qRgb(0, 0, 0));  // within the red message
}
