#include "gui/main_window.hpp"

#include <QButtonGroup>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "app/ini_profile.hpp"
#include "gui/icons.hpp"
#include "gui/path_text.hpp"
#include "gui/rm_model.hpp"
#include "gui/user_dialogs.hpp"
#include "route/cp1252.hpp"
#include "route/numbers.hpp"
#include "ui_main_window.h"

namespace korvanta::gui {

namespace {

constexpr int kStartUpDelayMs = 200;

// The control states kept from one start of the program to the next, in the
// order the store writes them; the key is control + "_" + property.
struct PersistedState {
  std::string_view control;
  std::string_view property;
};

constexpr PersistedState kPersistedStates[] = {
    {"CheckBox1", "Checked"},  {"RxSpinEdit1", "Value"}, {"CheckBox2", "Checked"},
    {"CheckBox3", "Checked"},  {"CheckBox4", "Checked"}, {"CheckBox5", "Checked"},
    {"MadDog2006", "Checked"}, {"Tu154", "Checked"},     {"RadioGroup1", "ItemIndex"},
    {"CheckBox6", "Checked"},  {"CheckBox7", "Checked"}, {"CheckBox8", "Checked"},
    {"CheckBox9", "Checked"},
};

std::string KeyOf(const PersistedState& state) {
  return std::string(state.control) + "_" + std::string(state.property);
}

// The window's placement, kept beside the control states.
constexpr std::string_view kLeftKey = "Left";
constexpr std::string_view kTopKey = "Top";
constexpr std::string_view kWidthKey = "Width";
constexpr std::string_view kHeightKey = "Height";
constexpr std::string_view kMaximizedKey = "Maximized";

std::optional<bool> ReadBool(std::string_view text) {
  const QString value = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  if (value.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
    return true;
  if (value.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
    return false;
  return std::nullopt;
}

std::optional<int> ReadInt(std::string_view text) {
  const auto value = ReadInteger(text);
  if (!value || *value < INT32_MIN || *value > INT32_MAX)
    return std::nullopt;
  return static_cast<int>(*value);
}

const char* BoolText(bool value) {
  return value ? "True" : "False";
}

// Clears `flag` and enables `button` again when the run ends, however it ends.
class RunGuard {
 public:
  RunGuard(bool& flag, QWidget& button) : flag_(flag), button_(button) {
    flag_ = true;
    button_.setEnabled(false);
  }
  ~RunGuard() {
    flag_ = false;
    button_.setEnabled(true);
  }
  RunGuard(const RunGuard&) = delete;
  RunGuard& operator=(const RunGuard&) = delete;

 private:
  bool& flag_;
  QWidget& button_;
};

}  // namespace

bool FileDialogRequested(const QStringList& arguments) {
  return !arguments.isEmpty() && arguments.first().toUpper() == QLatin1String("/T");
}

// FormCreate: the folder set and the settings file are fixed here, once.
TForm1::TForm1(const std::filesystem::path& app_dir, const FolderSource& source,
               const QStringList& arguments, UserDialogs& dialogs, QWidget* parent)
    : QWidget(parent),
      ui_(std::make_unique<Ui::TForm1>()),
      dialogs_(dialogs),
      file_dialog_(FileDialogRequested(arguments)),
      folders_(BuildFolderSet(app_dir, source)),
      run_(folders_, airports_, *this) {
  ui_->setupUi(this);

  radio_group_ = new QButtonGroup(this);
  radio_group_->addButton(ui_->RadioGroup1Fs9, static_cast<int>(Simulator::kFs9));
  radio_group_->addButton(ui_->RadioGroup1Fsx, static_cast<int>(Simulator::kFsx));
  radio_group_->addButton(ui_->RadioGroup1XPlane, static_cast<int>(Simulator::kXPlane));

  model_ = new RmModel(run_.Rm(), this);
  ui_->DBGrid1->setModel(model_);
  ui_->DBGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);

  ui_->SpeedButton1->setIcon(ConvertGlyph());

  timer_ = new QTimer(this);
  timer_->setObjectName(QStringLiteral("Timer1"));
  timer_->setSingleShot(true);
  timer_->setInterval(kStartUpDelayMs);

  connect(timer_, &QTimer::timeout, this, &TForm1::Timer1Timer);
  connect(ui_->SpeedButton1, &QToolButton::clicked, this, &TForm1::SpeedButton1Click);
  connect(ui_->Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
  // An item that becomes selected, not every click: clicking the item that
  // is already selected picks nothing and must not tick the X-Plane box the
  // user has just unticked.
  connect(radio_group_, &QButtonGroup::idToggled, this, [this](int /*id*/, bool selected) {
    if (selected)
      RadioGroup1Click();
  });
  connect(ui_->CheckBox1, &QCheckBox::toggled, this, &TForm1::CheckBox1Click);
  connect(ui_->Tu154, &QCheckBox::toggled, this, &TForm1::Tu154Click);
  connect(ui_->CheckBox4, &QCheckBox::toggled, this, &TForm1::CheckBox4Click);

  ui_->Button1->setFocus();
}

TForm1::~TForm1() = default;

QCheckBox* TForm1::Box(std::string_view control) const {
  return findChild<QCheckBox*>(
      QString::fromLatin1(control.data(), static_cast<qsizetype>(control.size())));
}

// ---- start-up -------------------------------------------------------------

void TForm1::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (shown_ || event->spontaneous())
    return;
  shown_ = true;
  RestoreStates();
  FormStorage1RestorePlacement();
  FormShow();
}

// The store's restore: a missing key, or a value that does not read, leaves
// its control as it is. A check box that changes runs its click handler
// (toggled), as a user's click would.
void TForm1::RestoreStates() {
  try {
    // One read of the file for every key.
    const std::string settings = IniProfile(folders_.SettingsFile()).Text();
    const auto read = [&](std::string_view key, std::string_view fallback) {
      return IniLookup(settings, kStateSection, key).value_or(std::string(fallback));
    };
    for (const PersistedState& state : kPersistedStates) {
      const std::string key = KeyOf(state);
      if (state.property == "Checked") {
        QCheckBox* box = Box(state.control);
        const std::string value = read(key, BoolText(box->isChecked()));
        if (const auto checked = ReadBool(value))
          box->setChecked(*checked);
      } else if (state.control == "RxSpinEdit1") {
        QSpinBox* spin = ui_->RxSpinEdit1;
        const std::string value = read(key, std::to_string(spin->value()));
        const auto number = ReadDecimal(value);
        if (number && std::isfinite(*number)) {
          const double bounded =
              std::clamp(std::round(*number), double(spin->minimum()), double(spin->maximum()));
          spin->setValue(static_cast<int>(bounded));
        }
      } else {
        const std::string value = read(key, std::to_string(radio_group_->checkedId()));
        const auto index = ReadInt(value);
        if (index && *index >= 0 && *index < static_cast<int>(radio_group_->buttons().size())) {
          // Only the item; the start-up timer applies the selection.
          const QSignalBlocker quiet(radio_group_);
          radio_group_->button(*index)->setChecked(true);
        }
      }
    }

    // The placement, where it still fits on a screen.
    const auto left = ReadInt(read(kLeftKey, ""));
    const auto top = ReadInt(read(kTopKey, ""));
    const auto width = ReadInt(read(kWidthKey, ""));
    const auto height = ReadInt(read(kHeightKey, ""));
    if (width && height && *width > 0 && *height > 0) {
      const QSize least = minimumSizeHint();
      resize(std::max(*width, least.width()), std::max(*height, least.height()));
    }
    if (left && top) {
      const QRect wanted(QPoint(*left, *top), size());
      for (const QScreen* screen : QGuiApplication::screens()) {
        if (screen->availableGeometry().contains(wanted.center())) {
          move(*left, *top);
          break;
        }
      }
    }
    if (ReadBool(read(kMaximizedKey, "")).value_or(false)) {
      setWindowState(windowState() | Qt::WindowMaximized);
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "korvanta: the window's state is not restored: %s\n", e.what());
  }
}

// After the restore, the Super 80 box is shown exactly while the FS2004 box
// is ticked. A hidden box must not stay ticked either: it would rename the
// FS2004 plan without the user seeing why. Unticking it hides the plan
// number, which a restored TU154 tick still needs.
void TForm1::FormStorage1RestorePlacement() {
  const bool fs2004 = ui_->CheckBox4->isChecked();
  ui_->CheckBox1->setVisible(fs2004);
  if (!fs2004 && ui_->CheckBox1->isChecked()) {
    ui_->CheckBox1->setChecked(false);
    if (ui_->Tu154->isChecked())
      Tu154Click(true);
  }
}

void TForm1::FormShow() {
  timer_->start();
}

// Applies the restored selection, then loads the airport database with its
// progress in Panel1.
void TForm1::Timer1Timer() {
  timer_->stop();
  RadioGroup1Click();
  const AirportLoadResult result = LoadAirportDatabase(
      AirportDatabasePath(folders_.Fs9Dir), airports_, [this](std::size_t count) {
        ui_->Panel1->setText(QStringLiteral("Loading Routes ..... %1").arg(count));
        QCoreApplication::processEvents();
      });
  if (!result.loaded)
    ShowMessage(result.message);
  // Hidden also after a read error: a panel still saying "Loading" would
  // claim a load that has ended.
  ui_->Panel1->hide();
  emit StartUpDone();
}

// ---- selection and show/hide rules -----------------------------------------

void TForm1::RadioGroup1Click() {
  const int index = radio_group_->checkedId();
  if (index < 0)
    return;
  const SimulatorSelection& selection = SelectionOf(static_cast<Simulator>(index));
  for (const BoxSelection& rule : selection.boxes) {
    QCheckBox* box = Box(rule.control);
    if (box == nullptr)
      continue;
    switch (rule.rule) {
      case BoxRule::kKeep:
        break;
      case BoxRule::kEnable:
        box->setEnabled(true);
        break;
      case BoxRule::kOff:
        box->setChecked(false);
        box->setEnabled(false);
        break;
      case BoxRule::kEnableAndTick:
        box->setEnabled(true);
        box->setChecked(true);
        break;
    }
    if (!rule.caption.empty()) {
      box->setText(
          QString::fromUtf8(rule.caption.data(), static_cast<qsizetype>(rule.caption.size())));
    }
  }
  selection_ = selection.simulator;
  ProcessPendingEvents();
}

// The plan-number controls follow whichever of the two boxes changed last.
void TForm1::ShowPlanNumber(bool shown) {
  ui_->Label1->setVisible(shown);
  ui_->RxSpinEdit1->setVisible(shown);
}

void TForm1::CheckBox1Click(bool checked) {
  ShowPlanNumber(checked);
}

void TForm1::Tu154Click(bool checked) {
  ShowPlanNumber(checked);
}

void TForm1::CheckBox4Click(bool checked) {
  ui_->CheckBox1->setVisible(checked);
  if (!checked)
    ui_->CheckBox1->setChecked(false);
}

// ---- the buttons ---------------------------------------------------------

void TForm1::Button1Click() {
  ui_->Edit1->setFocus();
  ui_->Label3->show();
}

RunChoices TForm1::CurrentChoices() const {
  RunChoices choices;
  for (const TargetInfo& info : kTargets) {
    const QCheckBox* box = Box(info.control);
    if (box != nullptr && box->isChecked())
      choices.ticked.insert(info.target);
  }
  choices.super80 = ui_->CheckBox1->isChecked();
  choices.runway = Utf8ToCp1252(ui_->Edit1->text().toStdString());
  choices.plan_number = ui_->RxSpinEdit1->value();
  choices.simulator = selection_;
  choices.file_dialog = file_dialog_;
  return choices;
}

// The conversion run over the clipboard's text. The run lets the window
// repaint, so the button is refused until it has ended.
void TForm1::SpeedButton1Click() {
  if (running_)
    return;
  const RunGuard guard(running_, *ui_->SpeedButton1);
  progress_shown_ = false;
  ui_->Label3->hide();
  const std::string text = Utf8ToCp1252(QGuiApplication::clipboard()->text().toStdString());
  run_.Run(text, CurrentChoices());
  if (progress_shown_)
    ui_->Panel1->hide();
  model_->Refresh();
  ui_->DBGrid1->resizeColumnsToContents();
}

// ---- FrontEnd --------------------------------------------------------------

void TForm1::ShowMessage(const std::string& text) {
  model_->Refresh();
  dialogs_.ShowError(this, QString::fromStdString(text));
  ProcessPendingEvents();
}

std::optional<std::filesystem::path> TForm1::ChooseSaveFile(const SaveDialogRequest& asked) {
  SaveFileRequest request;
  request.folder = PathText(asked.folder);
  request.file_name = QFileInfo(last_save_path_).fileName();
  request.filter = QStringLiteral("Route file (*.rte)");
  request.default_suffix = QStringLiteral("rte");
  const std::optional<QString> chosen = dialogs_.ChooseSaveFile(this, request);
  if (!chosen || chosen->isEmpty())
    return std::nullopt;
  last_save_path_ = *chosen;
  return TextPath(*chosen);
}

void TForm1::SetStatus(const std::string& text) {
  ui_->Label4->setText(QString::fromStdString(text));
}

void TForm1::SetProgress(const std::string& text) {
  if (text.empty()) {
    ui_->Panel1->hide();
    return;
  }
  ui_->Panel1->setText(QString::fromStdString(text));
  ui_->Panel1->show();
  progress_shown_ = true;
}

void TForm1::ProcessPendingEvents() {
  model_->Refresh();
  QCoreApplication::processEvents();
}

void TForm1::OpenDocument(const std::filesystem::path& file) {
  dialogs_.OpenDocument(PathText(file));
}

// ---- closing ---------------------------------------------------------------

void TForm1::closeEvent(QCloseEvent* event) {
  SaveStates();
  QWidget::closeEvent(event);
}

// Writes the control states and the placement into section "TForm1" of the
// settings file; every other byte of the file stays as it was.
void TForm1::SaveStates() {
  try {
    std::vector<IniProfile::Entry> entries;
    for (const PersistedState& state : kPersistedStates) {
      std::string value;
      if (state.property == "Checked") {
        value = BoolText(Box(state.control)->isChecked());
      } else if (state.control == "RxSpinEdit1") {
        value = std::to_string(ui_->RxSpinEdit1->value());
      } else {
        value = std::to_string(radio_group_->checkedId());
      }
      entries.push_back({KeyOf(state), value});
    }
    // The position with the frame, as move() takes it back.
    const bool maximized = isMaximized();
    const QPoint at = maximized ? normalGeometry().topLeft() : pos();
    const QSize extent = maximized ? normalGeometry().size() : size();
    entries.push_back({std::string(kLeftKey), std::to_string(at.x())});
    entries.push_back({std::string(kTopKey), std::to_string(at.y())});
    entries.push_back({std::string(kWidthKey), std::to_string(extent.width())});
    entries.push_back({std::string(kHeightKey), std::to_string(extent.height())});
    entries.push_back({std::string(kMaximizedKey), BoolText(maximized)});
    IniProfile(folders_.SettingsFile()).Write(kStateSection, entries);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "korvanta: the window's state is not kept: %s\n", e.what());
  }
}

}  // namespace korvanta::gui
