#include "gui/folders_dialog.hpp"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <utility>

#include "gui/path_text.hpp"
#include "gui/user_dialogs.hpp"

namespace korvanta::gui {

namespace {

// Room for a folder path without the dialog growing with it.
constexpr int kFolderWidth = 380;

QString Text(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QPushButton* LineButton(const QString& caption, const QString& name, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  // Enter anywhere in the dialog is OK.
  button->setAutoDefault(false);
  return button;
}

}  // namespace

FoldersDialog::FoldersDialog(FoldersDialogModel model, UserDialogs& dialogs, Confirm confirm,
                             QWidget* parent)
    : QDialog(parent), model_(std::move(model)), dialogs_(dialogs), confirm_(std::move(confirm)) {
  setObjectName(QStringLiteral("foldersDialog"));
  setWindowTitle(QStringLiteral("Folders"));
  auto* grid = new QGridLayout;
  // Created line by line, left to right: the order Tab takes.
  for (std::size_t i = 0; i < model_.Lines().size(); ++i) {
    const FolderLine& line = model_.Lines()[i];
    const QString key = Text(line.key);
    const int row = static_cast<int>(i);
    LineWidgets widgets;
    auto* caption = new QLabel(Text(line.caption), this);
    widgets.folder = new QLineEdit(this);
    widgets.folder->setObjectName(QStringLiteral("folder") + key);
    widgets.folder->setReadOnly(true);
    widgets.folder->setMinimumWidth(kFolderWidth);
    caption->setBuddy(widgets.folder);
    widgets.origin = new QLabel(this);
    widgets.origin->setObjectName(QStringLiteral("origin") + key);
    QPushButton* browse =
        LineButton(QStringLiteral("Browse…"), QStringLiteral("browse") + key, this);
    widgets.reset =
        LineButton(QStringLiteral("Reset to automatic"), QStringLiteral("reset") + key, this);
    grid->addWidget(caption, row, 0);
    grid->addWidget(widgets.folder, row, 1);
    grid->addWidget(widgets.origin, row, 2);
    grid->addWidget(browse, row, 3);
    grid->addWidget(widgets.reset, row, 4);
    connect(browse, &QPushButton::clicked, this, [this, i] { Browse(i); });
    connect(widgets.reset, &QPushButton::clicked, this, [this, i] { Reset(i); });
    lines_.push_back(widgets);
    ShowLine(i);
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(buttons);
}

void FoldersDialog::ShowLine(std::size_t line) {
  const FolderLine& shown = model_.Lines()[line];
  lines_[line].folder->setText(Text(shown.folder));
  lines_[line].folder->setCursorPosition(0);
  lines_[line].folder->setToolTip(Text(shown.folder));
  lines_[line].origin->setText(Text(shown.origin));
  lines_[line].reset->setEnabled(shown.resettable);
}

void FoldersDialog::Browse(std::size_t line) {
  const FolderChoiceRequest request = model_.ChoiceRequest(line);
  const std::optional<QString> chosen =
      dialogs_.ChooseFolder(this, Text(request.title), PathText(request.start_in));
  if (!chosen || chosen->isEmpty())
    return;
  model_.Choose(line, TextPath(*chosen));
  ShowLine(line);
}

void FoldersDialog::Reset(std::size_t line) {
  // The button is disabled as it is pressed: the focus goes on to the next
  // line's folder rather than nowhere, as in the Win32 window.
  if (lines_[line].reset->hasFocus())
    focusNextChild();
  model_.Reset(line);
  ShowLine(line);
}

void FoldersDialog::accept() {
  if (confirm_(model_))
    QDialog::accept();
}

}  // namespace korvanta::gui
