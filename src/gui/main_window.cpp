#include "gui/main_window.hpp"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QShowEvent>
#include <QStyleHints>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <array>
#include <climits>
#include <utility>
#include <vector>

#include "gui/icons.hpp"
#include "gui/map_view.hpp"
#include "gui/path_text.hpp"
#include "gui/user_dialogs.hpp"
#include "gui/waypoint_grid_model.hpp"
#include "io/utf8_path.hpp"
#include "ui_main_window.h"

namespace korvanta::gui {

namespace {

// The Qt window's placement: QWidget::saveGeometry() in Base64.
constexpr std::string_view kPlacementKey = "QtGeometry";

QString Text(const std::string& utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// Keeps the widget's place in its layout while it is hidden, so that nothing
// beside it moves when it shows.
void KeepPlaceWhenHidden(QWidget& widget) {
  QSizePolicy policy = widget.sizePolicy();
  policy.setRetainSizeWhenHidden(true);
  widget.setSizePolicy(policy);
}

// The distance from `point` to the nearest point of `area`.
int DistanceTo(const QRect& area, const QPoint& point) {
  const int dx = std::max({area.left() - point.x(), 0, point.x() - area.right()});
  const int dy = std::max({area.top() - point.y(), 0, point.y() - area.bottom()});
  return dx + dy;
}

// The focus frame over a grid without rows, which has no cell to draw one.
class FocusFrame : public QWidget {
 public:
  explicit FocusFrame(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
  }

 protected:
  void paintEvent(QPaintEvent* /*event*/) override {
    QStylePainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = rect().adjusted(1, 1, -1, -1);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
  }
};

}  // namespace

bool FileDialogRequested(const QStringList& arguments) {
  std::vector<std::string> texts;
  for (const QString& argument : arguments)
    texts.push_back(argument.toStdString());
  return korvanta::FileDialogRequested(texts);
}

MainWindow::MainWindow(const std::filesystem::path& app_dir, const FolderSource& source,
                       const QStringList& arguments, UserDialogs& dialogs, Clock clock,
                       QWidget* parent)
    : QWidget(parent),
      ui_(std::make_unique<Ui::MainWindow>()),
      dialogs_(dialogs),
      clock_(std::move(clock)) {
  ui_->setupUi(this);
  if (!clock_) {
    clock_ = [] {
      return std::chrono::duration_cast<std::chrono::milliseconds>(
          std::chrono::steady_clock::now().time_since_epoch());
    };
  }
  CreateTargetBoxes();

  // Each control's widget carries the control's name.
  for (const ControlInfo& info : Controls()) {
    QWidget* widget = findChild<QWidget*>(
        QString::fromUtf8(info.name.data(), static_cast<qsizetype>(info.name.size())));
    Q_ASSERT(widget != nullptr);
    widgets_[static_cast<std::size_t>(info.control)] = widget;
  }

  simulator_items_ = new QButtonGroup(this);
  simulator_items_->addButton(ui_->fs9Item, static_cast<int>(Simulator::kFs9));
  simulator_items_->addButton(ui_->fsxItem, static_cast<int>(Simulator::kFsx));
  simulator_items_->addButton(ui_->xPlaneItem, static_cast<int>(Simulator::kXPlane));
  for (const SimulatorInfo& item : kSimulators) {
    QAbstractButton* button = simulator_items_->button(static_cast<int>(item.simulator));
    button->setText(Text(std::string(item.caption)));
    button->installEventFilter(this);
  }

  for (const Control control : {Control::kSuper80Box, Control::kPlanNumberLabel,
                                Control::kPlanNumber, Control::kRunwayPrompt}) {
    KeepPlaceWhenHidden(*Widget(control));
  }
  // A long status text is elided to the line's width instead of widening
  // the window.
  ui_->statusLine->setSizePolicy(QSizePolicy::Ignored,
                                 ui_->statusLine->sizePolicy().verticalPolicy());
  ui_->statusLine->installEventFilter(this);
  // Enter goes to the model, which says what it does on each control.
  for (const ControlInfo& info : Controls())
    Widget(info.control)->installEventFilter(this);
  auto* run_key = new QShortcut(QKeySequence(Qt::Key_F5), this);
  connect(run_key, &QShortcut::activated, this,
          [this] { model_->KeyPressed(Key::kF5, ControlOf(QApplication::focusWidget()), Now()); });
  ui_->conversionButton->setIcon(ConvertGlyph());
  ui_->routeStringLine->setPlaceholderText(Text(std::string(kRouteStringCue)));
  // A typed 0 or an emptied box becomes the lowest number, not the last one.
  ui_->planNumber->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);

  timer_ = new QTimer(this);
  timer_->setObjectName(QStringLiteral("startUpTimer"));
  timer_->setSingleShot(true);

  model_ = std::make_unique<WindowModel>(app_dir, source, FileDialogRequested(arguments),
                                         static_cast<WindowView&>(*this));
  grid_model_ = new WaypointGridModel(model_->Waypoints(), this);
  ui_->grid->setModel(grid_model_);
  // Tab leaves the grid for the next control; the arrow keys move between
  // its cells.
  ui_->grid->setTabKeyNavigation(false);
  // The progress panel lies over the grid's first rows, below its header, as
  // in the Win32 window: showing it neither moves the grid nor covers the
  // header.
  ui_->FormLayout->removeWidget(ui_->progressPanel);
  ui_->progressPanel->setParent(ui_->grid->viewport());
  ui_->progressPanel->setAutoFillBackground(true);
  ui_->grid->viewport()->installEventFilter(this);
  PlaceProgressPanel();
  grid_focus_frame_ = new FocusFrame(ui_->grid->viewport());
  grid_focus_frame_->setObjectName(QStringLiteral("gridFocusFrame"));
  grid_focus_frame_->hide();
  ui_->grid->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  ui_->grid->horizontalHeader()->setStretchLastSection(true);
  ShowRouteMap();
  for (const ControlInfo& info : Controls())
    Render(info.control, model_->StateOf(info.control));

  connect(timer_, &QTimer::timeout, this, [this] { model_->TimerFired(); });
  connect(ui_->conversionButton, &QToolButton::clicked, this, &MainWindow::Convert);
  connect(ui_->goButton, &QPushButton::clicked, this, [this] { model_->GoClicked(); });
  connect(ui_->copyButton, &QPushButton::clicked, this, [this] { model_->CopyClicked(); });
  connect(simulator_items_, &QButtonGroup::idToggled, this, [this](int id, bool selected) {
    if (selected)
      model_->SimulatorSelected(static_cast<Simulator>(id));
  });
  for (const ControlInfo& info : Controls()) {
    if (auto* box = qobject_cast<QCheckBox*>(Widget(info.control))) {
      connect(box, &QCheckBox::toggled, this,
              [this, control = info.control](bool ticked) { model_->BoxTicked(control, ticked); });
    }
  }
  connect(ui_->runwayBox, &QLineEdit::textChanged, this,
          [this](const QString& text) { model_->RunwayEdited(text.toStdString()); });
  connect(ui_->planNumber, &QSpinBox::valueChanged, this,
          [this](int number) { model_->PlanNumberChanged(number); });

  AcceptFileInput();
  AddFoldersButton();
  ui_->goButton->setFocus();
}

// Files dropped onto the window and Ctrl+O convert a file like the clipboard.
void MainWindow::AcceptFileInput() {
  setAcceptDrops(true);
  auto* const open = new QShortcut(QKeySequence::Open, this);
  open->setObjectName(QStringLiteral("openShortcut"));
  connect(open, &QShortcut::activated, this, [this] { model_->OpenFile(Now()); });
}

namespace {

// The local files among the dropped items, in their order.
std::vector<std::filesystem::path> LocalFiles(const QMimeData* data) {
  std::vector<std::filesystem::path> files;
  if (data == nullptr || !data->hasUrls())
    return files;
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile())
      files.push_back(TextPath(url.toLocalFile()));
  }
  return files;
}

}  // namespace

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (!LocalFiles(event->mimeData()).empty())
    event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
  std::vector<std::filesystem::path> files = LocalFiles(event->mimeData());
  if (files.empty())
    return;
  event->acceptProposedAction();
  // The run starts once the drop has ended: the program the files were
  // dragged from waits for the end of the drop (XdndFinished on X11), and a
  // run may wait for the user at a save dialog or a message box.
  QMetaObject::invokeMethod(
      this, [this, files = std::move(files), at = Now()] { model_->FilesDropped(files, at); },
      Qt::QueuedConnection);
}

// The targets' tick boxes, created into the tick rows of the form around the
// Super 80 box and the plan number, which the form holds; the keyboard goes
// from the simulator items along the rows to the grid.
void MainWindow::CreateTargetBoxes() {
  QHBoxLayout* const rows[] = {ui_->TickRow1, ui_->TickRow2, ui_->TickRow3};
  static_assert(std::size(rows) == kTickRows);
  std::array<int, kTickRows> next_index{};
  QWidget* previous = ui_->xPlaneItem;
  for (const Control control : TickRowOrder()) {
    const ControlInfo& info = InfoOf(control);
    const auto row = static_cast<std::size_t>(info.place->row);
    QWidget* widget = nullptr;
    if (info.target) {
      auto* box = new QCheckBox(this);
      box->setObjectName(Text(std::string(info.name)));
      rows[row]->insertWidget(next_index[row], box);
      widget = box;
    } else {
      widget = findChild<QWidget*>(Text(std::string(info.name)));
    }
    ++next_index[row];
    if (widget->focusPolicy() & Qt::TabFocus) {
      setTabOrder(previous, widget);
      previous = widget;
    }
  }
  // The route string's line and Copy lie between the tick rows and the grid.
  setTabOrder(previous, ui_->routeStringLine);
  setTabOrder(ui_->routeStringLine, ui_->copyButton);
  setTabOrder(ui_->copyButton, ui_->grid);
}

// The map beside the grid draws the route the grid shows, and the two select
// the same row: a row selected in the grid is ringed on the map, a click on a
// mark selects its row.
void MainWindow::ShowRouteMap() {
  MapView& map = *ui_->mapView;
  map.SetPictureSource([this](const MapSize& size) { return model_->RouteMap(size); });
  connect(grid_model_, &QAbstractItemModel::modelReset, &map,
          [this] { ui_->mapView->ShowRoute(model_->Waypoints()); });
  connect(ui_->grid->selectionModel(), &QItemSelectionModel::selectionChanged, &map, [this] {
    const QModelIndexList rows = ui_->grid->selectionModel()->selectedRows();
    ui_->mapView->SelectRow(
        rows.isEmpty() ? std::nullopt : std::optional(static_cast<std::size_t>(rows[0].row())));
  });
  connect(&map, &MapView::MarkClicked, ui_->grid, [this](std::size_t row) {
    ui_->grid->selectRow(static_cast<int>(row));
    ui_->grid->scrollTo(grid_model_->index(static_cast<int>(row), 0));
  });
}

// A window destroyed while shown closes first, so that its states are kept
// while the model is still there.
MainWindow::~MainWindow() {
  if (isVisible())
    close();
  model_.reset();
}

void MainWindow::Convert() {
  model_->Convert(Now());
}

// ---- the user's actions ------------------------------------------------------

void MainWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!event->spontaneous()) {
    model_->WindowShown();
    // GO!!! has the focus as the window opens. Its focus mark shows as if
    // the keyboard had put it there (Qt draws it only once a key has moved
    // the focus), so that a keyboard user sees where Enter and Space act.
    setAttribute(Qt::WA_KeyboardFocusChange);
  }
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (model_ && !model_->CloseRequested()) {
    event->ignore();
    return;
  }
  QWidget::closeEvent(event);
}

void MainWindow::CloseWindow() {
  QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

void MainWindow::RunDemo() {
  model_->RunDemo(Now());
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ui_->statusLine && event->type() == QEvent::Resize) {
    ShowStatusElided();
  } else if (watched == ui_->grid->viewport() && event->type() == QEvent::Resize) {
    PlaceProgressPanel();
    ShowGridFocusFrame();
  } else if (watched == ui_->grid &&
             (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
    QMetaObject::invokeMethod(this, &MainWindow::ShowGridFocusFrame, Qt::QueuedConnection);
  } else if (event->type() == QEvent::KeyPress && qobject_cast<QRadioButton*>(watched) != nullptr) {
    // The simulator items select as the Win32 window's radio buttons do,
    // wrapping round at the ends.
    const int key = static_cast<QKeyEvent*>(event)->key();
    const bool next = key == Qt::Key_Down || key == Qt::Key_Right;
    const bool previous = key == Qt::Key_Up || key == Qt::Key_Left;
    if ((next || previous) && model_->KeyPressed(next ? Key::kNextItem : Key::kPreviousItem,
                                                 Control::kSimulatorSelection, Now()))
      return true;
  } else if (event->type() == QEvent::KeyPress) {
    // Enter (the keypad's comes with the keypad's modifier) goes to the
    // model, which says what it does on the focused control.
    const auto* key = static_cast<QKeyEvent*>(event);
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
        (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier &&
        model_->KeyPressed(Key::kEnter, ControlOf(watched), Now()))
      return true;
  }
  return QWidget::eventFilter(watched, event);
}

// ---- drawing the model's states ----------------------------------------------

void MainWindow::Render(Control control, const ControlState& state) {
  QWidget* widget = Widget(control);
  if (control == Control::kGrid) {
    grid_model_->Refresh();
    FitGridColumns();
    ShowGridFocusFrame();
    return;
  }
  widget->setVisible(state.visible);
  widget->setEnabled(state.enabled);
  const QString caption = Text(state.caption);
  switch (control) {
    case Control::kSimulatorSelection:
      if (QAbstractButton* item = simulator_items_->button(state.value))
        item->setChecked(true);
      break;
    case Control::kPlanNumber:
      ui_->planNumber->setValue(state.value);
      ui_->planNumber->setToolTip(Text(state.tooltip));
      ui_->planNumber->setStyleSheet(state.marked ? QStringLiteral("QSpinBox { border: 2px solid "
                                                                   "#c00000; }")
                                                  : QString());
      break;
    case Control::kStatusLine:
      status_ = caption;
      ui_->statusLine->setToolTip(caption);
      ShowStatusElided();
      break;
    case Control::kRunwayBox:
      if (ui_->runwayBox->text() != caption)
        ui_->runwayBox->setText(caption);
      break;
    case Control::kRouteStringLine:
      // From its start: the departure, then the route.
      ui_->routeStringLine->setText(caption);
      ui_->routeStringLine->setCursorPosition(0);
      break;
    case Control::kConversionButton:
      break;  // a picture, no caption
    default:
      if (auto* box = qobject_cast<QCheckBox*>(widget)) {
        box->setText(caption);
        box->setChecked(state.ticked);
      } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(caption);
      } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->setText(caption);
      }
      break;
  }
}

// Shown while the grid without rows has the focus.
void MainWindow::ShowGridFocusFrame() {
  if (grid_focus_frame_ == nullptr)
    return;
  grid_focus_frame_->setGeometry(ui_->grid->viewport()->rect());
  grid_focus_frame_->setVisible(ui_->grid->hasFocus() && grid_model_->rowCount() == 0);
}

void MainWindow::PlaceProgressPanel() {
  QLabel& panel = *ui_->progressPanel;
  panel.setGeometry(0, 0, ui_->grid->viewport()->width(),
                    std::max(panel.minimumHeight(), panel.sizeHint().height()));
}

// Elided in the middle, so that the file name at the end stays in sight.
void MainWindow::ShowStatusElided() {
  QLabel& line = *ui_->statusLine;
  const int width = line.contentsRect().width();
  line.setText(width > 0 ? line.fontMetrics().elidedText(status_, Qt::ElideMiddle, width)
                         : status_);
}

// The columns fit their contents, and the grid is as wide as its columns
// with room for the vertical scroll bar, which the last column takes while
// the bar is hidden: a longer route never hides a column. The map beside the
// grid takes the rest of the window's width. The last column is measured
// unstretched: stretched, it would keep its earlier width as its least.
void MainWindow::FitGridColumns() {
  QTableView& grid = *ui_->grid;
  QHeaderView& header = *grid.horizontalHeader();
  header.setStretchLastSection(false);
  grid.resizeColumnsToContents();
  grid.setFixedWidth(header.length() + 2 * grid.frameWidth() +
                     grid.verticalScrollBar()->sizeHint().width());
  header.setStretchLastSection(true);
}

std::optional<Control> MainWindow::ControlOf(const QObject* widget) const {
  const auto* found = std::find(widgets_.begin(), widgets_.end(), widget);
  if (widget == nullptr || found == widgets_.end())
    return std::nullopt;
  return static_cast<Control>(found - widgets_.begin());
}

// The model moves the focus after a run the mouse may have started: the
// focus mark shows as if the keyboard had moved it, so that a keyboard user
// sees where it is.
void MainWindow::Focus(Control control) {
  setAttribute(Qt::WA_KeyboardFocusChange);
  QWidget* widget = Widget(control);
  // The selection takes the focus on its selected item.
  if (control == Control::kSimulatorSelection && simulator_items_->checkedButton() != nullptr)
    widget = simulator_items_->checkedButton();
  widget->setFocus(Qt::OtherFocusReason);
  widget->update();
}

void MainWindow::StartTimer(std::chrono::milliseconds delay) {
  timer_->start(delay);
}

void MainWindow::ProcessPendingEvents() {
  QCoreApplication::processEvents();
}

std::chrono::milliseconds MainWindow::Now() const {
  return clock_();
}

std::chrono::milliseconds MainWindow::DoubleClickTime() const {
  return std::chrono::milliseconds(QGuiApplication::styleHints()->mouseDoubleClickInterval());
}

// The clipboard's Unicode text as UTF-8, whatever form the copying program
// offered it in; the run decodes it as it decodes any input.
std::string MainWindow::ClipboardText() {
  return QGuiApplication::clipboard()->text().toStdString();
}

bool MainWindow::PutClipboardText(const std::string& text) {
  QGuiApplication::clipboard()->setText(Text(text));
  return true;
}

// ---- the placement -------------------------------------------------------------

std::optional<std::filesystem::path> MainWindow::ChooseOpenFile(
    const std::filesystem::path& folder) {
  const std::optional<QString> chosen = dialogs_.ChooseOpenFile(this, PathText(folder));
  if (!chosen)
    return std::nullopt;
  return TextPath(*chosen);
}

std::string_view MainWindow::PlacementKey() const {
  return kPlacementKey;
}

std::string MainWindow::SavePlacement() {
  return saveGeometry().toBase64().toStdString();
}

void MainWindow::RestorePlacement(const std::string& saved,
                                  const std::optional<OldPlacement>& old) {
  if (!saved.empty()) {
    restoreGeometry(QByteArray::fromBase64(QByteArray::fromStdString(saved)));
  } else if (old) {
    const QSize least = minimumSizeHint();
    resize(std::max(old->width, least.width()), std::max(old->height, least.height()));
    move(old->left, old->top);
    if (old->maximized)
      setWindowState(windowState() | Qt::WindowMaximized);
  }
  BringOntoNearestScreen();
}

// A window whose saved place is not whole on a screen (a screen since
// removed, a changed arrangement, a frame dragged mostly off) is pulled whole
// onto the screen nearest to it, with its title bar in sight.
void MainWindow::BringOntoNearestScreen() {
  if (isMaximized() || isFullScreen())
    return;  // the window manager places it on its screen
  const QRect frame = frameGeometry();
  const QScreen* nearest = nullptr;
  int nearest_distance = INT_MAX;
  for (const QScreen* screen : QGuiApplication::screens()) {
    const QRect area = screen->availableGeometry();
    if (area.contains(frame))
      return;
    const int distance = DistanceTo(area, frame.center());
    if (distance < nearest_distance) {
      nearest = screen;
      nearest_distance = distance;
    }
  }
  if (nearest == nullptr)
    return;
  const QRect area = nearest->availableGeometry();
  const int x = std::clamp(frame.left(), area.left(),
                           std::max(area.left(), area.right() - frame.width() + 1));
  const int y =
      std::clamp(frame.top(), area.top(), std::max(area.top(), area.bottom() - frame.height() + 1));
  move(x, y);
}

// ---- what the run asks of the user -----------------------------------------

void MainWindow::ShowMessage(const std::string& text) {
  dialogs_.ShowError(this, Text(text));
}

std::optional<std::filesystem::path> MainWindow::ChooseSaveFile(const SaveDialogRequest& asked) {
  SaveFileRequest request;
  request.folder = PathText(asked.folder);
  request.file_name = Text(asked.file_name);
  request.filter = Text(asked.filter_name) + QStringLiteral(" (*.") + Text(asked.extension) + ')';
  request.default_suffix = Text(asked.extension);
  request.title = Text(asked.title);
  const std::optional<QString> chosen = dialogs_.ChooseSaveFile(this, request);
  if (!chosen || chosen->isEmpty())
    return std::nullopt;
  return TextPath(*chosen);
}

bool MainWindow::OpenDocument(const std::filesystem::path& file) {
  return dialogs_.OpenDocument(PathText(file));
}

void MainWindow::StartUpEnded() {
  emit StartUpDone();
}

}  // namespace korvanta::gui
