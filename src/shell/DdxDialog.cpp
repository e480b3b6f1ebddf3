// Building a dialog from its layout rows, and its data exchange.
#include "shell/DdxDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpacerItem>
#include <QVBoxLayout>
#include <algorithm>

#include "interaction/CommandIds.h"
#include "shell/AppIcons.h"
#include "shell/CommandTable.h"
#include "shell/DialogLayouts.h"
#include "framework/DialogUnits.h"
#include "shell/WidgetDataExchange.h"

namespace {

constexpr int kEditMinimumWidth = 160;
constexpr int kIconSize = 32;
// Besides its text a title bar holds the window icon, up to three buttons
// (some window managers keep minimise and maximise even on fixed-size
// dialogs) and the frame's edges: about six text heights.
constexpr int kTitleBarExtraHeights = 6;

}  // namespace

DdxDialog::DdxDialog(DialogModel& model, QWidget* parent) : QDialog(parent), m_model(model) {
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                 Qt::MSWindowsFixedSizeDialogHint);
  setModal(true);
  const DialogLayout* layout = FindDialogLayout(model.TemplateId());
  if (layout != nullptr) setWindowTitle(QString::fromLatin1(layout->caption));
  if (layout != nullptr && layout->placement != nullptr)
    PlaceControls(*layout->placement);
  else
    BuildControls(layout);
  UpdateData(false);
  SelectFirstEdit();
}

int DdxDialog::CaptionWidth() const {
  QFont titleFont = font();
  titleFont.setBold(true);  // title bars mostly use a bold face
  const QFontMetrics metrics(titleFont);
  return metrics.horizontalAdvance(windowTitle()) + kTitleBarExtraHeights * metrics.height();
}

void DdxDialog::BuildControls(const DialogLayout* layout) {
  auto* grid = new QGridLayout;
  if (layout != nullptr) {
    int row = 0;
    for (const DialogRow& entry : layout->rows) AddRow(*grid, row++, entry);
  }
  auto* outer = new QVBoxLayout(this);
  outer->setSizeConstraint(QLayout::SetFixedSize);
  outer->addLayout(grid);
  outer->addLayout(CreateButtons(layout != nullptr ? layout->buttons : DialogButtons::OkCancel));
  outer->addSpacerItem(new QSpacerItem(CaptionWidth(), 0, QSizePolicy::Fixed, QSizePolicy::Fixed));
}

void DdxDialog::PlaceControls(const DialogPlacement& placement) {
  const DialogUnits units = DialogUnits::ForFont(font());
  auto* icon = new QLabel(this);
  icon->setPixmap(AppIconPixmap(kIconSize));
  icon->setGeometry(QRect(units.ToPixels(placement.icon).topLeft(), QSize(kIconSize, kIconSize)));
  auto* text = new QLabel(QString::fromLatin1(placement.text), this);
  text->setTextFormat(Qt::PlainText);
  text->setGeometry(units.ToPixels(placement.textRect));
  CreateOkButton()->setGeometry(units.ToPixels(placement.ok));
  setFixedSize(std::max(units.ToPixelsX(placement.cx), CaptionWidth()), units.ToPixelsY(placement.cy));
}

void DdxDialog::SelectFirstEdit() {
  // Typing then replaces the text instead of adding to it.
  const QList<QLineEdit*> edits = findChildren<QLineEdit*>(Qt::FindDirectChildrenOnly);
  if (edits.isEmpty()) return;
  edits.first()->setFocus(Qt::OtherFocusReason);
  edits.first()->selectAll();
}

void DdxDialog::AddRow(QGridLayout& grid, int row, const DialogRow& entry) {
  const QString label = QString::fromLatin1(entry.label);
  switch (entry.kind) {
    case DialogRowKind::Edit: {
      auto* edit = new QLineEdit(this);
      edit->setMinimumWidth(kEditMinimumWidth);
      auto* caption = new QLabel(label, this);
      caption->setBuddy(edit);
      grid.addWidget(caption, row, 0);
      grid.addWidget(edit, row, 1);
      if (entry.trailing != nullptr)
        grid.addWidget(new QLabel(QString::fromLatin1(entry.trailing), this), row, 2);
      const int id = entry.id;
      connect(edit, &QLineEdit::textChanged, this, [this, id] {
        if (!m_writingControls) m_model.OnEditChange(id, *this);
      });
      m_controls[id] = edit;
      break;
    }
    case DialogRowKind::Check: {
      auto* box = new QCheckBox(label, this);
      grid.addWidget(box, row, 0, 1, 3);
      m_controls[entry.id] = box;
      break;
    }
  }
}

// Buttons stay auto-default: a focused button becomes the default for as long
// as it has the focus, so Enter on Cancel cancels.
QPushButton* DdxDialog::CreateOkButton() {
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &DdxDialog::accept);
  m_controls[ctl::kOk] = ok;
  return ok;
}

QHBoxLayout* DdxDialog::CreateButtons(DialogButtons order) {
  QPushButton* ok = CreateOkButton();
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  connect(cancel, &QPushButton::clicked, this, &DdxDialog::reject);
  m_controls[ctl::kCancel] = cancel;

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  if (order == DialogButtons::CancelOk) {
    buttons->addWidget(cancel);
    setTabOrder(cancel, ok);  // Tab walks the buttons from left to right
  }
  buttons->addWidget(ok);
  if (order == DialogButtons::OkCancel) buttons->addWidget(cancel);
  return buttons;
}

QWidget* DdxDialog::ControlById(int controlId) const {
  const auto found = m_controls.find(controlId);
  return found == m_controls.end() ? nullptr : found->second;
}

bool DdxDialog::UpdateData(bool saveAndValidate) {
  WidgetDataExchange exchange(saveAndValidate, m_controls);
  m_writingControls = !saveAndValidate;
  m_model.DoDataExchange(exchange);
  m_writingControls = false;
  if (!exchange.Failed()) return true;
  ReportFailure(exchange.Failure().controlId, exchange.Failure().message);
  return false;
}

void DdxDialog::ReportFailure(int controlId, const QString& message) {
  QMessageBox::warning(this, QString::fromLatin1(kAppTitle), message);
  QWidget* control = ControlById(controlId);
  if (control == nullptr) return;
  activateWindow();
  control->setFocus(Qt::OtherFocusReason);
  if (auto* edit = qobject_cast<QLineEdit*>(control)) edit->selectAll();
}

void DdxDialog::SetEditSelection(int controlId, int start, int end) {
  auto* edit = qobject_cast<QLineEdit*>(ControlById(controlId));
  if (edit == nullptr) return;
  const int length = static_cast<int>(edit->text().size());
  start = std::clamp(start, 0, length);
  end = (end < 0) ? length : std::clamp(end, start, length);
  edit->setSelection(start, end - start);  // leaves the caret at end, scrolled into view
}

void DdxDialog::accept() {
  if (UpdateData(true)) QDialog::accept();
}
