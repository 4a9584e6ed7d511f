// The real window on the offscreen platform, on a temporary program folder and
// folder tree. Message boxes and dialogs are answered by AnsweringDialogs.

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHash>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStyleHints>
#include <QStyleOptionButton>
#include <QStyleOptionToolButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <algorithm>
#include <array>
#include <chrono>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "gui/folders_dialog.hpp"
#include "gui/main_window.hpp"
#include "gui/map_view.hpp"
#include "gui/path_text.hpp"
#include "gui/user_dialogs.hpp"
#include "io/utf8_path.hpp"
#include "settings/folder_source.hpp"
#include "settings/ini_profile.hpp"
#include "text/cp1252.hpp"

namespace korvanta::gui {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const fs::path& file, const std::string& bytes) {
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << bytes;
}

// A program folder, a documents folder and both simulators' folders.
struct Tree {
  QTemporaryDir dir;
  fs::path root = TextPath(dir.path());
  fs::path app = root / "app";
  fs::path docs = root / "docs";
  fs::path fs9 = root / "fs9";
  fs::path fsx = root / "fsx";
  FixedFolderSource source;

  explicit Tree(bool with_airports = true) {
    for (const fs::path& folder :
         {app, docs / "Flight Simulator Files", docs / "Flight Simulator X Files",
          fs9 / "MADDOG2008/Routes", fs9 / "Level-D Simulations/navdata/Flightplans", fsx}) {
      fs::create_directories(folder);
    }
    if (with_airports) {
      fs::create_directories(fs9 / "Fmcwp/NAVDATA");
      fs::copy_file(fs::path(KORVANTA_TEST_DATA) / "wpNavApt.txt",
                    fs9 / "Fmcwp/NAVDATA/wpNavApt.txt");
    }
    source.documents = docs;
    source.fs9 = fs9;
    source.fsx = fsx;
  }
};

class AnsweringDialogs : public UserDialogs {
 public:
  QStringList errors;
  std::vector<SaveFileRequest> requests;
  std::deque<std::optional<QString>> answers;  // the save dialog is cancelled once they run out
  QStringList opened;
  std::function<void()> on_error;

  void ShowError(QWidget*, const QString& text) override {
    errors << text;
    if (on_error)
      on_error();
  }
  std::optional<QString> ChooseSaveFile(QWidget*, const SaveFileRequest& request) override {
    requests.push_back(request);
    if (answers.empty())
      return std::nullopt;
    const auto answer = answers.front();
    answers.pop_front();
    return answer;
  }
  std::optional<QString> folder_answer;
  std::optional<QString> ChooseFolder(QWidget*, const QString&, const QString&) override {
    return folder_answer;
  }
  std::optional<QString> open_answer;
  std::optional<QString> ChooseOpenFile(QWidget*, const QString&) override { return open_answer; }
  bool OpenDocument(const QString& file) override {
    opened << file;
    return true;
  }
};

// The window's clock: the steady clock, moved on where a test would
// otherwise wait.
class TestClock {
 public:
  std::chrono::milliseconds Now() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch()) +
           skipped_;
  }
  // Lets the system's double-click time pass, so that the next click on the
  // conversion button is not taken for the second half of a double-click.
  void WaitOutDoubleClick() {
    skipped_ +=
        std::chrono::milliseconds(QGuiApplication::styleHints()->mouseDoubleClickInterval() + 1);
  }

 private:
  std::chrono::milliseconds skipped_{};
};

// A tree, the dialogs' answers and a window shown on them.
struct Session {
  Tree tree;
  AnsweringDialogs dialogs;
  TestClock clock;
  std::unique_ptr<MainWindow> window;

  explicit Session(bool with_airports = true) : tree(with_airports) {}

  // Shows a new window and waits for its start-up timer to finish.
  bool Start(const QStringList& arguments = {}) {
    window = std::make_unique<MainWindow>(tree.app, tree.source, arguments, dialogs,
                                          [this] { return clock.Now(); });
    QSignalSpy done(window.get(), &MainWindow::StartUpDone);
    window->show();
    return done.wait(10000);
  }
};

template <typename T = QWidget>
T* Control(const QWidget& window, const char* name) {
  T* control = window.findChild<T*>(QLatin1String(name));
  if (control == nullptr)
    qFatal("no control %s", name);
  return control;
}

void Click(const QWidget& window, const QString& names) {
  for (const QString& name : names.split(' ', Qt::SkipEmptyParts)) {
    Control<QAbstractButton>(window, name.toLatin1().constData())->click();
  }
}

void TickEveryEnabledBox(const QWidget& window) {
  for (QCheckBox* box : window.findChildren<QCheckBox*>()) {
    if (box->isEnabled())
      box->setChecked(true);
  }
}

QString Text(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// Waits until `landed` holds: a click that a letter key starts lands when the
// button's pressed look ends, a tenth of a second after the key.
bool Landed(const std::function<bool()>& landed) {
  return QTest::qWaitFor(landed, 2000);
}

// The simulator selection's item of `simulator`.
QAbstractButton* SimulatorItem(const QWidget& window, Simulator simulator) {
  static constexpr const char* kItemNames[] = {"fs9Item", "fsxItem", "xPlaneItem"};
  static_assert(std::size(kItemNames) == kSimulatorCount);
  return Control<QAbstractButton>(window, kItemNames[static_cast<std::size_t>(simulator)]);
}

// A control as its widget draws it: the caption where the widget shows the
// model's, shown, enabled, the tick of a box, the value of the plan number and
// of the selection.
QString Drawn(const MainWindow& window, korvanta::Control control) {
  const QWidget* widget = Control(window, std::string(InfoOf(control).name).c_str());
  QString caption;
  int value = 0;
  if (const auto* label = qobject_cast<const QLabel*>(widget))
    caption = control == korvanta::Control::kStatusLine ? label->toolTip() : label->text();
  else if (const auto* edit = qobject_cast<const QLineEdit*>(widget))
    caption = edit->text();
  else if (const auto* button = qobject_cast<const QAbstractButton*>(widget);
           button != nullptr && control != korvanta::Control::kConversionButton)
    caption = button->text();
  if (const auto* spin = qobject_cast<const QSpinBox*>(widget))
    value = spin->value();
  if (control == korvanta::Control::kSimulatorSelection) {
    while (value + 1 < static_cast<int>(kSimulatorCount) &&
           !SimulatorItem(window, static_cast<Simulator>(value))->isChecked())
      ++value;
  }
  const auto* box = qobject_cast<const QCheckBox*>(widget);
  return QString("%1|%2|%3|%4|%5")
      .arg(caption)
      .arg(!widget->isHidden())
      .arg(widget->isEnabled())
      .arg(box != nullptr && box->isChecked())
      .arg(value);
}

// The same for the model's state of the control.
QString Held(const MainWindow& window, korvanta::Control control) {
  using enum korvanta::Control;
  const ControlState& state = window.Model().StateOf(control);
  const bool captioned = control != kConversionButton && control != kGrid &&
                         control != kSimulatorSelection && control != kPlanNumber;
  const bool valued = control == kPlanNumber || control == kSimulatorSelection;
  return QString("%1|%2|%3|%4|%5")
      .arg(captioned ? QString::fromStdString(state.caption) : QString())
      .arg(state.visible)
      .arg(state.enabled)
      .arg(IsTickBox(control) && state.ticked)
      .arg(valued ? state.value : 0);
}

// The example route as a browser on Linux puts it on the clipboard (UTF-8),
// with a waypoint name that Windows-1252 can only partly hold.
std::string PutExampleRouteOnClipboard() {
  std::string cp1252 = ReadFile(fs::path(KORVANTA_TEST_DATA) / "example_route.txt");
  const std::string::size_type at = cp1252.find(" TOBAK\r\n");
  if (at == std::string::npos)
    qFatal("unexpected example route");
  std::string utf8 = Cp1252ToUtf8(cp1252);
  utf8.insert(Cp1252ToUtf8(cp1252.substr(0, at)).size() + 6, " \u20ac\u0141");  // "€Ł"
  QGuiApplication::clipboard()->setText(QString::fromStdString(utf8));
  cp1252.insert(at + 6, " \x80?");
  return cp1252;
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void designState();
  void startUpOrder();
  void conversionWritesTheTickedTargets();
  void missingAirportDatabase();
  void loadProgressInPanel();
  void fsxSelectionConverts();
  void boxesDrawTheModelsStates();
  void statesKeptAcrossStarts();
  void saveDialogOffered_data();
  void saveDialogOffered();
  void saveDialogRemembersTheLastPath();
  void saveDialogSetUp();
  void conversionRefusedWhileRunning();
  void closingWaitsForTheRun();
  void doubleClickMakesOneRun();
  void focusReturnsToTheConversionButton();
  void keyboardAlone();
  void foldersDialogSetsAndResetsAFolder();
  void longStatusElidedInTheMiddle();
  void controlsKeepTheirPlace();
  void tickBoxesFitTheWindow();
  void placementKeptOverRestarts();
  void placementOffEveryScreenComesBack();
  void gridColumnsFit();
  void droppedFileConverts();
  void planNumberBox();
  void simulatorItemsWrapRound();
  void emptyGridShowsItsFocus();
  void routeStringLineAndAltYCopy();
  void mapFollowsTheGrid();
};

// The window as it is created draws every control's state from the model,
// and the items their captions.
void MainWindowTest::designState() {
  Tree tree;
  AnsweringDialogs dialogs;
  const MainWindow window(tree.app, tree.source, {}, dialogs);
  for (const ControlInfo& info : Controls())
    QCOMPARE(Drawn(window, info.control), Held(window, info.control));
  for (const SimulatorInfo& item : kSimulators) {
    QCOMPARE(SimulatorItem(window, item.simulator)->text(), Text(item.caption));
  }
  const auto* spin = Control<QSpinBox>(window, "planNumber");
  QCOMPARE(spin->minimum(), kPlanNumberMin);
  QCOMPARE(spin->maximum(), kPlanNumberMax);
}

// The window as it opens: its caption and size, the three items side by side,
// and the focus on GO!!!, first in the tab order.
void MainWindowTest::startUpOrder() {
  Session session;
  auto& [tree, dialogs, clock, window] = session;
  WriteFile(tree.app / "korvanta.ini", "[TForm1]\r\nRadioGroup1_ItemIndex=2\r\n");
  window = std::make_unique<MainWindow>(tree.app, tree.source, QStringList{}, dialogs);
  QSignalSpy done(window.get(), &MainWindow::StartUpDone);
  window->show();

  // Shown: the item is restored, but the selection waits for the timer.
  QVERIFY(Control<QAbstractButton>(*window, "xPlaneItem")->isChecked());
  QVERIFY(!Control<QCheckBox>(*window, "xplaneBox")->isChecked());
  // The item's enabled states are applied before the window shows.
  QVERIFY(!Control(*window, "fs2004Box")->isEnabled());
  QVERIFY(!Control(*window, "progressPanel")->isHidden());
  const auto* timer = window->findChild<QTimer*>(QStringLiteral("startUpTimer"));
  QVERIFY(timer != nullptr && timer->isActive() && timer->isSingleShot());
  QCOMPARE(timer->interval(), 200);
  QVERIFY(done.wait(10000));
  QVERIFY(Control<QCheckBox>(*window, "xplaneBox")->isChecked());
  QVERIFY(!Control(*window, "fs2004Box")->isEnabled());
  QVERIFY(Control(*window, "progressPanel")->isHidden());

  QCOMPARE(window->windowTitle(), QString("Quillberton to FS2004/FSX  plan"));
  QCOMPARE(window->size(), QSize(638, 448));
  QVERIFY(QTest::qWaitForWindowActive(window.get()));
  QCOMPARE(QApplication::focusWidget(), Control(*window, "goButton"));
  const int row = Control(*window, "fs9Item")->y();
  QCOMPARE(Control(*window, "fsxItem")->y(), row);
  QCOMPARE(Control(*window, "xPlaneItem")->y(), row);
  QStringList tab_order;
  for (QWidget* w = window->nextInFocusChain(); w != window.get(); w = w->nextInFocusChain()) {
    if ((w->focusPolicy() & Qt::TabFocus) && !w->objectName().startsWith("qt_"))
      tab_order << w->objectName();
  }
  // GO!!!, the runway, the conversion button, the items, Folders…, then the
  // tick rows' controls in the rows' order, the route string's line, Copy,
  // then the grid.
  QStringList designed = {"goButton", "runwayBox",  "conversionButton", "fs9Item",
                          "fsxItem",  "xPlaneItem", "foldersButton"};
  for (const korvanta::Control control : TickRowOrder()) {
    if (IsTickBox(control) || control == korvanta::Control::kPlanNumber)
      designed << Text(InfoOf(control).name);
  }
  designed << "routeStringLine"
           << "copyButton"
           << "grid";
  QCOMPARE(tab_order, designed);
}

void MainWindowTest::conversionWritesTheTickedTargets() {
  Session session;
  QVERIFY(session.Start());
  auto& [tree, dialogs, clock, window] = session;
  QVERIFY(Control(*window, "progressPanel")->isHidden());
  const std::string route_text = PutExampleRouteOnClipboard();

  Click(*window, "fs2004Box maddogBox kmlBox goButton");
  QVERIFY(!Control(*window, "runwayPrompt")->isHidden());
  Control<QLineEdit>(*window, "runwayBox")->setText("25R");
  Click(*window, "conversionButton");

  QCOMPARE(dialogs.errors, QStringList());
  QVERIFY(Control(*window, "runwayPrompt")->isHidden());
  QCOMPARE(ReadFile(tree.app / "route.txt"), route_text);
  QVERIFY(ReadFile(tree.app / "temp.tmp").find("25R") != std::string::npos);
  QVERIFY(fs::exists(tree.docs / "Flight Simulator Files/IFR ALPHA_INTL to BETA FIELD.pln"));
  QVERIFY(fs::exists(tree.fs9 / "MADDOG2008/Routes/EAAAEBBB.mdr"));
  QVERIFY(fs::exists(tree.fs9 / "routes/EAAAEBBB.rts"));
  QVERIFY(fs::is_empty(tree.fs9 / "Level-D Simulations/navdata/Flightplans"));
  const QString kml = PathText(tree.docs / "ALPHA_INTL-BETA FIELD.kml");
  QCOMPARE(dialogs.opened, QStringList{kml});
  QVERIFY(QFileInfo::exists(kml));
  QCOMPARE(Control<QLabel>(*window, "statusLine")->text(), QString("File EAAAEBBB.mdr created"));

  // The grid: Waypoints as the last parse left it, in UTF-8, with the elevations of
  // the airport database loaded at start-up.
  const QAbstractItemModel* grid = Control<QTableView>(*window, "grid")->model();
  QCOMPARE(grid->rowCount(), 5);
  QStringList titles;
  for (int c = 0; c < grid->columnCount(); ++c)
    titles << grid->headerData(c, Qt::Horizontal).toString();
  QCOMPARE(titles, QString("id lat lon alt route typ freq track").split(' '));
  QCOMPARE(grid->index(0, 0).data().toString(), QString("EAAA"));
  QCOMPARE(grid->index(0, 1).data().toString(), QString::fromUtf8("N50\u00b002'00.00\""));
  QCOMPARE(grid->index(0, 3).data().toInt(), 364);
  QCOMPARE(grid->index(4, 3).data().toInt(), 50);
  QCOMPARE(grid->index(1, 4).data().toString(), QString("UL602"));
}

void MainWindowTest::missingAirportDatabase() {
  Session session(false);
  QVERIFY(session.Start());
  auto& [tree, dialogs, clock, window] = session;
  QCOMPARE(dialogs.errors.size(), 1);
  QVERIFY(dialogs.errors[0].startsWith(
      "No airport list at " + PathText(*tree.source.fs9 / "Fmcwp/NAVDATA/wpNavApt.txt") + ". "));
  QCOMPARE(Control(*window, "statusLine")->toolTip(), "No airport list: airport elevation 0");
  QVERIFY(Control(*window, "progressPanel")->isHidden());

  // The conversion still works, with every elevation 0.
  PutExampleRouteOnClipboard();
  Click(*window, "conversionButton");
  const QAbstractItemModel* grid = Control<QTableView>(*window, "grid")->model();
  QCOMPARE(grid->rowCount(), 5);
  QCOMPARE(grid->index(0, 3).data().toInt(), 0);
  QVERIFY(fs::exists(tree.fs9 / "routes/EAAAEBBB.rts"));
}

void MainWindowTest::loadProgressInPanel() {
  Tree tree;
  std::string lines;
  for (int i = 0; i < 250; ++i)
    lines += std::string(24, 'X') + "EZZZ\r\n";
  WriteFile(tree.fs9 / "Fmcwp/NAVDATA/wpNavApt.txt", lines);
  AnsweringDialogs dialogs;
  MainWindow window(tree.app, tree.source, {}, dialogs);
  const auto* panel = Control<QLabel>(window, "progressPanel");
  QCOMPARE(panel->text(), QString("Loading Routes ....."));

  // The load lets the window process its events at every caption.
  QStringList captions;
  QTimer watch;
  connect(&watch, &QTimer::timeout, [&] {
    if (!panel->isHidden() && (captions.isEmpty() || captions.last() != panel->text()))
      captions << panel->text();
  });
  watch.start(0);
  QSignalSpy done(&window, &MainWindow::StartUpDone);
  window.show();
  QVERIFY(done.wait(10000));
  QCOMPARE(captions, QStringList({"Loading Routes .....", "Loading Routes ..... 0",
                                  "Loading Routes ..... 100", "Loading Routes ..... 200"}));
  QVERIFY(panel->isHidden());
}

void MainWindowTest::fsxSelectionConverts() {
  Session session;
  QVERIFY(session.Start());
  auto& [tree, dialogs, clock, window] = session;
  PutExampleRouteOnClipboard();
  Click(*window, "fsxItem fs2004Box conversionButton");
  QCOMPARE(dialogs.errors, QStringList());
  QVERIFY(fs::exists(tree.docs / "Flight Simulator X Files/IFR ALPHA_INTL to BETA FIELD.pln"));
  QVERIFY(fs::exists(tree.fsx / "routes/EAAAEBBB.rts"));
  QVERIFY(!fs::exists(tree.fs9 / "routes"));
}

// The controls as the window draws them match the model's states through
// selections and ticks, the show/hide rules' included (the rules themselves
// are the model's).
void MainWindowTest::boxesDrawTheModelsStates() {
  Session session;
  QVERIFY(session.Start());
  auto& [tree, dialogs, clock, window] = session;
  const auto compare = [&](const QString& step) {
    for (const ControlInfo& info : Controls()) {
      const QString drawn = Drawn(*window, info.control);
      QVERIFY2(drawn == Held(*window, info.control),
               qPrintable(step + ": " + Text(info.name) + " " + drawn));
    }
  };
  const QStringList steps = {"fsxItem", "tick", "xPlaneItem", "xplaneBox",
                             "fs9Item", "tick", "fsxItem",    "fs9Item"};
  for (const QString& step : steps) {
    if (step == "tick")
      TickEveryEnabledBox(*window);
    else
      Click(*window, step);
    compare(step);
  }
}

void MainWindowTest::statesKeptAcrossStarts() {
  Session session;
  auto& [tree, dialogs, clock, window] = session;
  const std::string settings =
      "; folders of the add-ons\r\n[Main]\r\nLVLDFolder = C:\\LVLD\\  \r\n\r\n"
      "[Other]\nkey=value\n";
  WriteFile(tree.app / "korvanta.ini", settings);
  {
    QVERIFY(session.Start());
    Click(*window, "fs2004Box super80Box tu154Box kmlBox xplane11Box");
    Control<QSpinBox>(*window, "planNumber")->setValue(42);
    window->resize(700, 520);
    window->close();
  }
  const std::string kept = ReadFile(tree.app / "korvanta.ini");
  QCOMPARE(kept.substr(0, settings.size()), settings);
  // What the user did in the window reached the kept states (their keys and
  // order are the model's), with the window's own placement.
  const std::pair<std::string, std::string> keys[] = {
      {"CheckBox1_Checked", "True"}, {"RxSpinEdit1_Value", "42"},   {"CheckBox4_Checked", "True"},
      {"Tu154_Checked", "True"},     {"CheckBox8_Checked", "True"}, {"XPlane11_Checked", "True"},
      {"Gpx_Checked", "False"}};
  for (const auto& [key, value] : keys)
    QCOMPARE(IniLookup(kept, "TForm1", key).value_or("(missing)"), value);
  QVERIFY(IniLookup(kept, "TForm1", "QtGeometry").has_value());

  {
    QVERIFY(session.Start());
    QVERIFY(Control<QCheckBox>(*window, "fs2004Box")->isChecked());
    QVERIFY(Control<QCheckBox>(*window, "super80Box")->isChecked());
    QVERIFY(!Control(*window, "super80Box")->isHidden());
    QVERIFY(!Control(*window, "planNumber")->isHidden());  // the handlers ran
    QVERIFY(Control<QCheckBox>(*window, "kmlBox")->isChecked());
    QVERIFY(Control<QCheckBox>(*window, "xplane11Box")->isChecked());
    QVERIFY(!Control<QCheckBox>(*window, "gpxBox")->isChecked());
    QVERIFY(!Control<QCheckBox>(*window, "pmdgBox")->isChecked());
    QCOMPARE(Control<QSpinBox>(*window, "planNumber")->value(), 42);
    QCOMPARE(window->size(), QSize(700, 520));
    Click(*window, "xPlaneItem");
    window->close();
  }
  {
    // The restored selection is applied by the start-up timer.
    QVERIFY(session.Start());
    QVERIFY(Control<QAbstractButton>(*window, "xPlaneItem")->isChecked());
    QVERIFY(Control<QCheckBox>(*window, "xplaneBox")->isChecked());
    QVERIFY(!Control(*window, "fs2004Box")->isEnabled());
    QVERIFY(Control<QCheckBox>(*window, "xplane11Box")->isChecked());
    window->close();
  }
  QCOMPARE(ReadFile(tree.app / "korvanta.ini").substr(0, settings.size()), settings);
  QCOMPARE(dialogs.errors, QStringList());
}

void MainWindowTest::saveDialogOffered_data() {
  QTest::addColumn<QStringList>("arguments");
  QTest::addColumn<bool>("offered");
  // The window hands its arguments to the model's rule, which the model's
  // tests spell out.
  QTest::newRow("/T") << QStringList{"/T"} << true;
  QTest::newRow("no argument") << QStringList{} << false;
}

void MainWindowTest::saveDialogOffered() {
  QFETCH(QStringList, arguments);
  QFETCH(bool, offered);
  Session session;
  auto& [tree, dialogs, clock, window] = session;
  const QString chosen = PathText(tree.root / "mine.rte");
  dialogs.answers.push_back(chosen);
  QVERIFY(session.Start(arguments));
  PutExampleRouteOnClipboard();
  Click(*window, "maddogBox conversionButton");

  const fs::path automatic = tree.fs9 / "MADDOG2008/Routes/EAAAEBBB.mdr";
  QCOMPARE(static_cast<int>(dialogs.requests.size()), offered ? 1 : 0);
  QCOMPARE(QFileInfo::exists(chosen), offered);
  QCOMPARE(fs::exists(automatic), !offered);
  if (!offered)
    return;
  const SaveFileRequest& request = dialogs.requests.front();
  QCOMPARE(request.folder, PathText(tree.fs9 / "MADDOG2008/Routes"));
  QCOMPARE(request.file_name, QString("EAAAEBBB.mdr"));
  QCOMPARE(request.filter, QString("MadDog 2008 route (*.mdr)"));
  QCOMPARE(request.default_suffix, QString("mdr"));
  QCOMPARE(request.title, QString("Save the MadDog 2008 route"));
  QCOMPARE(Control<QLabel>(*window, "statusLine")->text(), "File " + chosen + " created");
}

void MainWindowTest::saveDialogRemembersTheLastPath() {
  Session session;
  auto& [tree, dialogs, clock, window] = session;
  const QString chosen = PathText(tree.root / "first.rte");
  dialogs.answers = {chosen, std::nullopt};  // Level-D confirms, MadDog cancels
  QVERIFY(session.Start({"/T"}));
  PutExampleRouteOnClipboard();
  Click(*window, "leveldBox maddogBox conversionButton");
  clock.WaitOutDoubleClick();
  Click(*window, "conversionButton");  // both cancelled

  // Each writer's dialog holds the name last confirmed in it, else the
  // automatic one.
  QCOMPARE(dialogs.errors, QStringList());
  QCOMPARE(static_cast<int>(dialogs.requests.size()), 4);
  QCOMPARE(dialogs.requests[0].folder,
           PathText(tree.fs9 / "Level-D Simulations/navdata/Flightplans"));
  QStringList names;
  for (const SaveFileRequest& request : dialogs.requests)
    names << request.title + ": " + request.file_name;
  QCOMPARE(names, QStringList({"Save the Level-D 767 route: EAAAEBBB.rte",
                               "Save the MadDog 2008 route: EAAAEBBB.mdr",
                               "Save the Level-D 767 route: first.rte",
                               "Save the MadDog 2008 route: EAAAEBBB.mdr"}));
  QVERIFY(QFileInfo::exists(chosen));
  // Cancelled: the automatic name.
  QVERIFY(fs::exists(tree.fs9 / "MADDOG2008/Routes/EAAAEBBB.mdr"));
  QVERIFY(fs::exists(tree.fs9 / "Level-D Simulations/navdata/Flightplans/EAAAEBBB.rte"));
  QCOMPARE(Control<QLabel>(*window, "statusLine")->text(), QString("File EAAAEBBB.mdr created"));
}

void MainWindowTest::saveDialogSetUp() {
  QTemporaryDir folder;
  QFileDialog dialog;
  ConfigureSaveDialog(
      dialog, {folder.path(), "first.rte", "Route file (*.rte)", "rte", "Save the PMDG route"});
  QCOMPARE(dialog.windowTitle(), QString("Save the PMDG route"));
  QCOMPARE(dialog.acceptMode(), QFileDialog::AcceptSave);
  QCOMPARE(dialog.directory().absolutePath(), QDir(folder.path()).absolutePath());
  QCOMPARE(dialog.nameFilters(), QStringList{"Route file (*.rte)"});
  QCOMPARE(dialog.defaultSuffix(), QString("rte"));
  QCOMPARE(dialog.selectedFiles(), QStringList{QDir(folder.path()).filePath("first.rte")});
}

void MainWindowTest::conversionRefusedWhileRunning() {
  Session session;
  QVERIFY(session.Start());
  auto& [tree, dialogs, clock, window] = session;
  QGuiApplication::clipboard()->setText(QStringLiteral("hello\r\n"));  // no route
  auto* button = Control<QAbstractButton>(*window, "conversionButton");

  // At the run's first message box the user presses the button again, and a
  // queued press arrives at the handler.
  bool pressed = false;
  bool enabled_during_run = true;
  dialogs.on_error = [&] {
    if (pressed)
      return;
    pressed = true;
    enabled_during_run = button->isEnabled();
    button->click();
    QMetaObject::invokeMethod(window.get(), "Convert", Qt::DirectConnection);
  };
  Click(*window, "fs2004Box maddogBox conversionButton");
  QVERIFY(!enabled_during_run);
  // Two ticked targets, one message: the route did not read.
  QCOMPARE(dialogs.errors, QStringList{"Wrong format"});
  QVERIFY(button->isEnabled());
}

// The window closed during a run stays until the run has ended, then closes
// and keeps the states.
void MainWindowTest::closingWaitsForTheRun() {
  Session session;
  QVERIFY(session.Start());
  auto& [tree, dialogs, clock, window] = session;
  QGuiApplication::clipboard()->setText(QStringLiteral("hello\r\n"));  // no route
  bool closed_during_run = true;
  dialogs.on_error = [&] { closed_during_run = window->close(); };
  Click(*window, "maddogBox conversionButton");
  QVERIFY(!closed_during_run);
  QVERIFY(window->isVisible());
  QTRY_VERIFY(!window->isVisible());
  QCOMPARE(IniLookup(ReadFile(tree.app / "korvanta.ini"), "TForm1", "MadDog2006_Checked"),
           std::optional<std::string>("True"));
}

void MainWindowTest::doubleClickMakesOneRun() {
  Session session;
  QVERIFY(session.Start());
  auto& [tree, dialogs, clock, window] = session;
  PutExampleRouteOnClipboard();
  Click(*window, "fsnavBox");
  fs::create_directories(tree.fs9 / "Modules/FSNavigator/plan");
  auto* button = Control<QAbstractButton>(*window, "conversionButton");
  QTest::mouseDClick(button, Qt::LeftButton);
  QTest::mouseClick(button, Qt::LeftButton);
  QCOMPARE(dialogs.errors, QStringList());
  QVERIFY(fs::exists(tree.fs9 / "Modules/FSNavigator/plan/EAAA-EBBB001.fsn"));
  QVERIFY(!fs::exists(tree.fs9 / "Modules/FSNavigator/plan/EAAA-EBBB002.fsn"));
  clock.WaitOutDoubleClick();
  QTest::mouseClick(button, Qt::LeftButton);
  QVERIFY(fs::exists(tree.fs9 / "Modules/FSNavigator/plan/EAAA-EBBB002.fsn"));
}

// After a run started with Space the focus is back on the button (not on the
// simulator selection, where an arrow key would switch the simulator), and
// Enter starts the next run.
void MainWindowTest::focusReturnsToTheConversionButton() {
  Session session;
  QVERIFY(session.Start());
  auto& [tree, dialogs, clock, window] = session;
  QVERIFY(QTest::qWaitForWindowActive(window.get()));
  QGuiApplication::clipboard()->setText(QStringLiteral("hello\r\n"));  // no route
  auto* button = Control(*window, "conversionButton");
  button->setFocus();
  QTest::keyClick(button, Qt::Key_Space);
  QCOMPARE(Control<QLabel>(*window, "statusLine")->text(), QString("Wrong format"));
  QCOMPARE(QApplication::focusWidget(), button);
  clock.WaitOutDoubleClick();
  PutExampleRouteOnClipboard();
  QTest::keyClick(button, Qt::Key_Return);
  QVERIFY(fs::exists(tree.fs9 / "routes/EAAAEBBB.rts"));
  QCOMPARE(QApplication::focusWidget(), button);
  QVERIFY(Control<QAbstractButton>(*window, "fs9Item")->isChecked());

  // After a run the mouse started, the button looks focused too.
  clock.WaitOutDoubleClick();
  QTest::mouseClick(button, Qt::LeftButton);
  QCOMPARE(QApplication::focusWidget(), button);
  QStyleOptionToolButton look;
  look.initFrom(button);
  QVERIFY(look.state.testFlags(QStyle::State_HasFocus | QStyle::State_KeyboardFocusChange));
}

// With the keyboard alone, from the runway box: under each simulator, picked
// with the arrow keys, Tab goes round every shown and enabled control in the
// designed order (the grid, filled by a first run, does not keep it; the
// selection's stop is its checked item), Space ticks each box on the way and
// the keypad's Enter unticks it on the way back with Shift+Tab. Under FS9
// each box's Alt+letter reaches and ticks it unless it is hidden or the
// selection has turned it off, and Space unticks it again on a way back where
// the arrow keys move on from the buttons and boxes (the letters under every
// selection are the model's). The items' Alt+letters pick them;
// GO!!!'s (and Enter on GO!!!) leads to the runway box, Tab from there to the
// conversion button, and Space, either Enter and F5 run.
void MainWindowTest::keyboardAlone() {
  using enum korvanta::Control;
  Session session;
  QVERIFY(session.Start());
  auto& [tree, dialogs, clock, window] = session;
  QVERIFY(QTest::qWaitForWindowActive(window.get()));
  const WindowModel& model = window->Model();
  const auto focused = [] { return QApplication::focusWidget(); };
  const auto press = [&](Qt::Key key, Qt::KeyboardModifiers held = Qt::NoModifier) {
    QTest::keyClick(focused(), key, held);
  };
  const auto alt = [&](char letter) {
    QTest::keyClick(window.get(), Qt::Key(letter), Qt::AltModifier);
  };
  QHash<QWidget*, korvanta::Control> controls;
  const auto widget = [&](korvanta::Control control) {
    QWidget* found = Control(*window, std::string(InfoOf(control).name).c_str());
    controls.insert(found, control);
    return found;
  };
  QList<QAbstractButton*> items;
  for (const char* name : {"fs9Item", "fsxItem", "xPlaneItem"})
    items << Control<QAbstractButton>(*window, name);
  QList<QWidget*> order = {widget(kGoButton), widget(kRunwayBox), widget(kConversionButton)};
  for (QAbstractButton* item : items)
    order << item;
  order << Control(*window, "foldersButton");
  for (const korvanta::Control control : TickRowOrder()) {
    if (IsTickBox(control) || control == kPlanNumber)
      order << widget(control);
  }
  order << widget(kRouteStringLine) << widget(kCopyButton) << widget(kGrid);
  // Where Tab (step 1) or Shift+Tab (step -1) goes from `from` by the design.
  const auto next_stop = [&](QWidget* from, qsizetype step) {
    qsizetype at = order.indexOf(from);
    do {
      at = (at + step + order.size()) % order.size();
    } while (!order[at]->isVisible() || !order[at]->isEnabled() ||
             (items.contains(order[at]) && !static_cast<QAbstractButton*>(order[at])->isChecked()));
    return order[at];
  };
  // Once round from the runway box, turning every box on the way over. With
  // `arrows` the arrow keys move on from a button or a box as Tab does.
  const auto round = [&](qsizetype step, Qt::Key tick_key, bool arrows = false) {
    do {
      if (auto* box = qobject_cast<QCheckBox*>(focused())) {
        const bool was = box->isChecked();
        press(tick_key, tick_key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        QVERIFY2(box->isChecked() != was, qPrintable(box->objectName()));
        QCOMPARE(model.StateOf(controls.value(box)).ticked, !was);
      }
      QWidget* const expected = next_stop(focused(), step);
      if (arrows && qobject_cast<QAbstractButton*>(focused()) && !items.contains(focused()))
        press(step > 0 ? Qt::Key_Down : Qt::Key_Up);
      else
        press(Qt::Key_Tab, step > 0 ? Qt::NoModifier : Qt::ShiftModifier);
      QCOMPARE(focused(), expected);
    } while (focused() != widget(kRunwayBox));
  };

  // GO!!! has the focus as the window opens, and shows it: Enter presses it.
  QCOMPARE(focused(), widget(kGoButton));
  QStyleOptionButton look;
  look.initFrom(widget(kGoButton));
  QVERIFY(look.state.testFlags(QStyle::State_HasFocus | QStyle::State_KeyboardFocusChange));
  press(Qt::Key_Return);
  QCOMPARE(focused(), widget(kRunwayBox));
  QVERIFY(widget(kRunwayPrompt)->isVisible());
  // A run with no box ticked fills the grid, which Tab must still leave.
  PutExampleRouteOnClipboard();
  press(Qt::Key_F5);
  QCOMPARE(Control<QTableView>(*window, "grid")->model()->rowCount(), 5);
  std::array<bool, kTargetCount> enabled{};
  enabled.fill(true);
  for (const SimulatorInfo& simulator : kSimulators) {
    const auto index = static_cast<qsizetype>(simulator.simulator);
    alt(MnemonicOf(InfoOf(kRunwayLabel).caption));
    QCOMPARE(focused(), widget(kRunwayBox));
    if (index > 0) {
      press(Qt::Key_Tab);
      press(Qt::Key_Tab);
      QCOMPARE(focused(), items[index - 1]);
      press(Qt::Key_Right);
      QCOMPARE(focused(), items[index]);
      press(Qt::Key_Tab, Qt::ShiftModifier);
      press(Qt::Key_Tab, Qt::ShiftModifier);
    }
    QVERIFY(items[index]->isChecked());
    QCOMPARE(model.AppliedSimulator(), simulator.simulator);
    // A box the selection keeps stays as the selection before left it.
    for (const TargetDescriptor& target : Targets()) {
      const BoxRule rule = target.on_selection[static_cast<std::size_t>(index)].rule;
      bool& usable = enabled[static_cast<std::size_t>(target.target)];
      usable = rule == BoxRule::kKeep ? usable : rule != BoxRule::kOff;
      const auto* box = static_cast<QCheckBox*>(widget(BoxOf(target.target)));
      QVERIFY2(box->isEnabled() == usable, target.cli_name.data());
      if (rule == BoxRule::kOff || rule == BoxRule::kEnableAndTick)
        QVERIFY2(box->isChecked() == (rule != BoxRule::kOff), target.cli_name.data());
    }
    const auto ticks = [&] {
      QList<bool> out;
      for (const ControlInfo& info : Controls())
        out << model.StateOf(info.control).ticked;
      return out;
    };
    const QList<bool> before = ticks();
    round(1, Qt::Key_Space);
    round(-1, Qt::Key_Enter);
    if (QTest::currentTestFailed())
      return;
    QCOMPARE(ticks(), before);
    if (simulator.simulator != Simulator::kFs9)
      continue;
    // Under FS9, each box's letter along the rows: it reaches the box at once
    // and ticks it when the pressed look ends, all of them together. A box that
    // cannot be ticked (X-Pla&ne is off, Flight1 hidden until the FS2004 tick
    // lands) keeps its tick.
    std::vector<std::pair<QCheckBox*, bool>> usable;
    std::vector<std::pair<QCheckBox*, bool>> unusable;
    for (const korvanta::Control control : TickRowOrder()) {
      auto* box = qobject_cast<QCheckBox*>(widget(control));
      if (box == nullptr)
        continue;
      const bool was = box->isChecked();
      const bool reachable = box->isVisible() && box->isEnabled();
      alt(MnemonicOf(box->text().toStdString()));
      if (reachable) {
        QCOMPARE(focused(), box);
        usable.emplace_back(box, was);
      } else {
        unusable.emplace_back(box, was);
      }
    }
    QVERIFY(!unusable.empty());
    QVERIFY(Landed([&] {
      return std::ranges::all_of(
          usable, [](const auto& pair) { return pair.first->isChecked() != pair.second; });
    }));
    for (const auto& [box, was] : unusable)
      QVERIFY2(box->isChecked() == was, qPrintable(box->objectName()));
    alt(MnemonicOf(InfoOf(kRunwayLabel).caption));
    round(-1, Qt::Key_Space, true);
    if (QTest::currentTestFailed())
      return;
    QCOMPARE(ticks(), before);
  }
  // The items' letters pick them (the FSX item's works as these two do).
  for (const std::size_t index : {2, 0}) {
    alt(MnemonicOf(kSimulators[index].caption));
    QVERIFY(Landed([&] { return items[static_cast<qsizetype>(index)]->isChecked(); }));
    QCOMPARE(model.AppliedSimulator(), kSimulators[index].simulator);
  }

  // The plan number's label leads to it while the TU154 box shows it.
  for (const Target target : {Target::kFs2004, Target::kMadDog, Target::kTu154})
    alt(MnemonicOf(DescriptorOf(target).caption));
  QVERIFY(Landed([&] {
    return model.StateOf(BoxOf(Target::kFs2004)).ticked &&
           model.StateOf(BoxOf(Target::kMadDog)).ticked && widget(kPlanNumber)->isVisible();
  }));
  alt(MnemonicOf(InfoOf(kPlanNumberLabel).caption));
  QCOMPARE(focused(), widget(kPlanNumber));
  alt(MnemonicOf(DescriptorOf(Target::kTu154).caption));
  alt(MnemonicOf(InfoOf(kGoButton).caption));
  QVERIFY(Landed([&] {
    return !model.StateOf(BoxOf(Target::kTu154)).ticked && focused() == widget(kRunwayBox);
  }));
  QVERIFY(widget(kRunwayPrompt)->isVisible());
  press(Qt::Key_Tab);
  QCOMPARE(focused(), widget(kConversionButton));
  const fs::path plan = tree.fs9 / "MADDOG2008/Routes/EAAAEBBB.mdr";
  const std::pair<Qt::Key, Qt::KeyboardModifiers> run_keys[] = {{Qt::Key_Space, Qt::NoModifier},
                                                                {Qt::Key_Return, Qt::NoModifier},
                                                                {Qt::Key_Enter, Qt::KeypadModifier},
                                                                {Qt::Key_F5, Qt::NoModifier}};
  for (const auto& [key, held] : run_keys) {
    clock.WaitOutDoubleClick();
    fs::remove(plan);
    press(key, held);
    QVERIFY2(fs::exists(plan), qPrintable(QKeySequence(key).toString()));
    QVERIFY(fs::exists(tree.fs9 / "routes/EAAAEBBB.rts"));
    QCOMPARE(focused(), widget(kConversionButton));
  }
  QCOMPARE(dialogs.errors, QStringList());
}

// Ctrl+Comma opens the Folders dialog; Browse… and OK save the chosen
// folder, which the next start shows; Reset to automatic and OK remove it.
void MainWindowTest::foldersDialogSetsAndResetsAFolder() {
  Session session;
  QVERIFY(session.Start());
  const fs::path chosen = session.tree.root / "pmdg";
  fs::create_directories(chosen);
  session.dialogs.folder_answer = PathText(chosen);
  const fs::path settings = session.tree.app / "korvanta.ini";
  const auto open_dialog = [&]() -> FoldersDialog* {
    if (!QTest::qWaitForWindowActive(session.window.get()))
      return nullptr;
    QTest::keyClick(session.window.get(), Qt::Key_Comma, Qt::ControlModifier);
    auto* dialog = session.window->findChild<FoldersDialog*>(QStringLiteral("foldersDialog"));
    return dialog != nullptr && dialog->isVisible() ? dialog : nullptr;
  };
  const auto press_ok = [](FoldersDialog& dialog) {
    dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
  };
  for (const bool restarted : {false, true}) {
    FoldersDialog* dialog = open_dialog();
    QVERIFY(dialog != nullptr);
    auto* folder = Control<QLineEdit>(*dialog, "folderPMDGFolder");
    if (!restarted) {
      Click(*dialog, "browsePMDGFolder");
      QCOMPARE(Control<QLabel>(*dialog, "originPMDGFolder")->text(),
               QStringLiteral("settings key"));
      press_ok(*dialog);
      QVERIFY(QTest::qWaitFor([&] { return !dialog->isVisible(); }));
      QCOMPARE(IniProfile(settings).Read("Main", "PMDGFolder", ""), PathToUtf8(chosen));
      session.window.reset();
      QVERIFY(session.Start());
      continue;
    }
    QCOMPARE(folder->text(), PathText(chosen));
    Click(*dialog, "resetPMDGFolder");
    QVERIFY(folder->text().isEmpty());
    press_ok(*dialog);
    QCOMPARE(IniProfile(settings).Read("Main", "PMDGFolder", "none"), std::string("none"));
  }
}

void MainWindowTest::longStatusElidedInTheMiddle() {
  Session session;
  auto& [tree, dialogs, clock, window] = session;
  const fs::path deep =
      tree.root / std::string(120, 'd') / "Level-D Simulations/navdata/Flightplans";
  fs::create_directories(deep);
  WriteFile(tree.app / "korvanta.ini", "[Main]\r\nLVLDFolder=" + deep.string() + "\r\n");
  QVERIFY(session.Start());
  PutExampleRouteOnClipboard();
  const QSize before = window->size();
  Click(*window, "leveldBox conversionButton");
  QCOMPARE(dialogs.errors, QStringList());
  const auto* line = Control<QLabel>(*window, "statusLine");
  const QString whole = "File " + PathText(deep / "EAAAEBBB.rte") + " created";
  QCOMPARE(line->toolTip(), whole);
  QVERIFY(line->text().contains(QChar(0x2026)));
  QVERIFY(line->text().endsWith("EAAAEBBB.rte created"));
  QVERIFY(line->text().startsWith("File "));
  QVERIFY(line->fontMetrics().horizontalAdvance(line->text()) <= line->contentsRect().width());
  QCOMPARE(window->size(), before);
}

// Nothing moves when Flight1 or the plan number shows.
void MainWindowTest::controlsKeepTheirPlace() {
  Session session;
  QVERIFY(session.Start());
  auto& [tree, dialogs, clock, window] = session;
  QTest::qWait(50);
  QStringList names = {"fs2004Box",        "tu154Box", "maddogBox", "pmdgBox",
                       "conversionButton", "goButton", "fs9Item"};
  const auto places = [&] {
    QList<QPoint> out;
    for (const QString& name : names)
      out << Control(*window, name.toLatin1().constData())->pos();
    return out;
  };
  const QList<QPoint> before = places();
  Click(*window, "fs2004Box super80Box goButton");
  QTest::qWait(50);
  QVERIFY(!Control(*window, "planNumber")->isHidden());
  QCOMPARE(places(), before);
}

// At the window's design size every tick box shows its whole caption, inside
// the window, clear of the others and of the grid below them; the same with
// Flight1 and the plan number shown.
void MainWindowTest::tickBoxesFitTheWindow() {
  Session session;
  QVERIFY(session.Start());
  auto& [tree, dialogs, clock, window] = session;
  QCOMPARE(window->size(), QSize(638, 448));
  Click(*window, "fs2004Box super80Box");
  QTest::qWait(50);
  QList<QWidget*> controls;
  for (QWidget* widget : window->findChildren<QWidget*>()) {
    if (widget->isVisible() &&
        (qobject_cast<QCheckBox*>(widget) != nullptr || widget->objectName() == "planNumber" ||
         widget->objectName() == "planNumberLabel"))
      controls << widget;
  }
  // Every tick box, the plan number and its label.
  QCOMPARE(controls.size(), static_cast<qsizetype>(Targets().size()) + 3);
  const QRect grid = Control(*window, "grid")->geometry();
  for (int i = 0; i < controls.size(); ++i) {
    const QWidget& a = *controls[i];
    const QByteArray name = a.objectName().toLatin1();
    QVERIFY2(window->rect().contains(a.geometry()), name);
    QVERIFY2(a.width() >= a.sizeHint().width(), name);
    QVERIFY2(a.geometry().bottom() < grid.top(), name);
    for (int j = i + 1; j < controls.size(); ++j) {
      QVERIFY2(!a.geometry().intersects(controls[j]->geometry()),
               name + " and " + controls[j]->objectName().toLatin1());
    }
  }
}

// The placement is the toolkit's own: ten restarts leave the window where it was.
void MainWindowTest::placementKeptOverRestarts() {
  Session session;
  auto& [tree, dialogs, clock, window] = session;
  QVERIFY(session.Start());
  window->move(40, 30);  // whole on the screen
  window->resize(700, 520);
  const QRect wanted = window->geometry();
  window->close();
  for (int i = 0; i < 10; ++i) {
    QVERIFY(session.Start());
    QCOMPARE(window->geometry(), wanted);
    window->close();
  }
  const std::string kept = ReadFile(tree.app / "korvanta.ini");
  QVERIFY(IniLookup(kept, "TForm1", "QtGeometry").has_value());
}

void MainWindowTest::placementOffEveryScreenComesBack() {
  Session session;
  auto& [tree, dialogs, clock, window] = session;
  WriteFile(tree.app / "korvanta.ini",
            "[TForm1]\r\nLeft=-5000\r\nTop=-3000\r\nWidth=700\r\nHeight=500\r\n");
  QVERIFY(session.Start());
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  QVERIFY(screen.contains(window->frameGeometry().topLeft()));
  QCOMPARE(window->size(), QSize(700, 500));
  window->move(screen.right() + 4000, screen.bottom() + 4000);
  window->close();
  QVERIFY(session.Start());
  QVERIFY(screen.contains(window->frameGeometry()));
  // Almost all off the screen: pulled whole onto it.
  window->move(screen.right() - 80, screen.bottom() - 41);
  window->close();
  QVERIFY(session.Start());
  QVERIFY(screen.contains(window->frameGeometry()));
}

// No horizontal scroll bar on the empty grid; a failed run leaves the columns
// as wide as their titles.
void MainWindowTest::gridColumnsFit() {
  Session session;
  QVERIFY(session.Start());
  auto& [tree, dialogs, clock, window] = session;
  QTest::qWait(50);
  auto* grid = Control<QTableView>(*window, "grid");
  const auto widths = [&] {
    QList<int> out;
    for (int c = 0; c < grid->model()->columnCount(); ++c)
      out << grid->columnWidth(c);
    return out;
  };
  QVERIFY(!grid->horizontalScrollBar()->isVisible());
  const QList<int> empty = widths();
  for (int c = 0; c < empty.size(); ++c) {
    const QString title = grid->model()->headerData(c, Qt::Horizontal).toString();
    QVERIFY(empty[c] >= grid->fontMetrics().horizontalAdvance(title));
  }
  PutExampleRouteOnClipboard();
  Click(*window, "conversionButton");
  clock.WaitOutDoubleClick();
  QGuiApplication::clipboard()->setText(QStringLiteral("hello\r\n"));  // no route
  Click(*window, "maddogBox conversionButton");
  QCOMPARE(dialogs.errors, QStringList{"Wrong format"});
  QTest::qWait(50);
  QCOMPARE(grid->model()->rowCount(), 0);
  QCOMPARE(widths().mid(0, empty.size() - 1), empty.mid(0, empty.size() - 1));
  QVERIFY(!grid->horizontalScrollBar()->isVisible());
}

// A plan file dropped onto the window is converted with the ticked targets,
// after the drop has ended, and shown in the grid; a drop without local files
// is not taken.
void MainWindowTest::droppedFileConverts() {
  Session session;
  QVERIFY(session.Start());
  auto& [tree, dialogs, clock, window] = session;
  WriteFile(tree.root / "plan.fms",
            "I\n1100 Version\nADEP EAAA\nADES EBBB\nNUMENR 3\n"
            "1 EAAA ADEP 364.000000 50.033333 8.570556\n"
            "11 TOBAK DCT 33000.000000 50.091667 8.283333\n"
            "1 EBBB ADES 50.000000 50.866667 5.250000\n");
  Click(*window, "maddogBox");

  QMimeData text_only;
  text_only.setText(QStringLiteral("hello"));
  QDragEnterEvent refused(QPoint(10, 10), Qt::CopyAction, &text_only, Qt::LeftButton,
                          Qt::NoModifier);
  QCoreApplication::sendEvent(window.get(), &refused);
  QVERIFY(!refused.isAccepted());

  QMimeData files;
  files.setUrls({QUrl::fromLocalFile(PathText(tree.root / "plan.fms"))});
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(window.get(), &enter);
  QVERIFY(enter.isAccepted());
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(window.get(), &drop);
  QVERIFY(drop.isAccepted());
  // The run waits for the drop to end: the dragging program is not held
  // through the run and its dialogs.
  QVERIFY(!fs::exists(tree.fs9 / "MADDOG2008/Routes/EAAAEBBB.mdr"));

  QTRY_VERIFY(fs::exists(tree.fs9 / "MADDOG2008/Routes/EAAAEBBB.mdr"));
  QCOMPARE(Control<QTableView>(*window, "grid")->model()->rowCount(), 3);
  QVERIFY(dialogs.errors.isEmpty());

  // Ctrl+O converts the file chosen in the dialog.
  fs::remove(tree.fs9 / "MADDOG2008/Routes/EAAAEBBB.mdr");
  clock.WaitOutDoubleClick();
  dialogs.open_answer = PathText(tree.root / "plan.fms");
  QTest::keyClick(window.get(), Qt::Key_O, Qt::ControlModifier);
  QVERIFY(fs::exists(tree.fs9 / "MADDOG2008/Routes/EAAAEBBB.mdr"));
}

// A typed 0 or an emptied box becomes 1; a number the ticked Tu-154 store
// cannot hold is marked and says why.
void MainWindowTest::planNumberBox() {
  Session session;
  QVERIFY(session.Start());
  auto& [tree, dialogs, clock, window] = session;
  auto* spin = Control<QSpinBox>(*window, "planNumber");
  Click(*window, "tu154Box");
  QCOMPARE(spin->value(), 1);
  const struct {
    const char* typed;
    int value;
    bool marked;
  } cases[] = {{"26", 26, true}, {"0", 1, false}, {"", 1, false}, {"25", 25, false}};
  for (const auto& c : cases) {
    spin->setFocus();
    spin->selectAll();
    QTest::keyClick(spin, Qt::Key_Delete);
    QTest::keyClicks(spin, c.typed);
    QTest::keyClick(spin, Qt::Key_Tab);
    QCOMPARE(spin->value(), c.value);
    QCOMPARE(window->Model().StateOf(korvanta::Control::kPlanNumber).value, c.value);
    QCOMPARE(spin->toolTip(), c.marked ? "The Tu-154 store holds plans 1 to 25" : "");
    QCOMPARE(spin->styleSheet().isEmpty(), !c.marked);
  }
}

void MainWindowTest::simulatorItemsWrapRound() {
  Session session;
  QVERIFY(session.Start());
  auto& [tree, dialogs, clock, window] = session;
  QVERIFY(QTest::qWaitForWindowActive(window.get()));
  const struct {
    Qt::Key key;
    const char* item;
  } steps[] = {{Qt::Key_Up, "xPlaneItem"},
               {Qt::Key_Right, "fs9Item"},
               {Qt::Key_Down, "fsxItem"},
               {Qt::Key_Left, "fs9Item"}};
  Control(*window, "fs9Item")->setFocus();
  for (const auto& step : steps) {
    QTest::keyClick(QApplication::focusWidget(), step.key);
    QCOMPARE(QApplication::focusWidget(), Control(*window, step.item));
    QVERIFY(Control<QAbstractButton>(*window, step.item)->isChecked());
  }
}

// The grid without rows has no cell to show the focus on: a frame does.
void MainWindowTest::emptyGridShowsItsFocus() {
  Session session;
  QVERIFY(session.Start());
  auto& [tree, dialogs, clock, window] = session;
  QVERIFY(QTest::qWaitForWindowActive(window.get()));
  QWidget* frame = Control(*window, "gridFocusFrame");
  QVERIFY(!frame->isVisible());
  Control(*window, "grid")->setFocus(Qt::TabFocusReason);
  QTRY_VERIFY(frame->isVisible());
  Control(*window, "goButton")->setFocus(Qt::TabFocusReason);
  QTRY_VERIFY(!frame->isVisible());
}

// The line above the grid shows the route string of a run's route, whole
// and read-only; Alt+Y copies it, and the status line says so.
void MainWindowTest::routeStringLineAndAltYCopy() {
  Session session;
  QVERIFY(session.Start());
  auto& [tree, dialogs, clock, window] = session;
  QVERIFY(QTest::qWaitForWindowActive(window.get()));
  auto* line = Control<QLineEdit>(*window, "routeStringLine");
  auto* copy = Control<QAbstractButton>(*window, "copyButton");
  QVERIFY(line->isReadOnly());
  QVERIFY(line->text().isEmpty() && !copy->isEnabled());
  PutExampleRouteOnClipboard();
  Click(*window, "conversionButton");
  const QString route_string = line->text();
  QCOMPARE(route_string,
           Text(window->Model().StateOf(korvanta::Control::kRouteStringLine).caption));
  QVERIFY(route_string.startsWith("EAAA ") && route_string.endsWith(" EBBB"));
  QCOMPARE(line->cursorPosition(), 0);
  const QRect grid = Control(*window, "grid")->geometry();
  QVERIFY(line->geometry().bottom() < grid.top() && copy->geometry().bottom() < grid.top());
  QVERIFY(line->geometry().right() < copy->geometry().left());
  QVERIFY(window->rect().contains(copy->geometry()));

  QGuiApplication::clipboard()->setText(QStringLiteral("other"));
  QTest::keyClick(window.get(), Qt::Key_Y, Qt::AltModifier);
  QVERIFY(Landed([] { return QGuiApplication::clipboard()->text() != "other"; }));
  QCOMPARE(QGuiApplication::clipboard()->text(), route_string);
  QCOMPARE(Control<QLabel>(*window, "statusLine")->toolTip(), Text(kRouteStringCopied));
}

// The map beside the grid draws the route the grid shows at the map's own
// size, at the window's minimum size too, and it and the grid select the same
// row both ways.
void MainWindowTest::mapFollowsTheGrid() {
  Session session;
  QVERIFY(session.Start());
  auto& [tree, dialogs, clock, window] = session;
  auto* map = Control<MapView>(*window, "mapView");
  auto* grid = Control<QTableView>(*window, "grid");
  const auto selected_grid_row = [&]() -> std::optional<std::size_t> {
    const QModelIndexList rows = grid->selectionModel()->selectedRows();
    return rows.isEmpty() ? std::nullopt : std::optional<std::size_t>(rows[0].row());
  };
  PutExampleRouteOnClipboard();
  Click(*window, "conversionButton");
  for (const QSize size : {window->size(), window->minimumSize()}) {
    window->resize(size);
    QTest::qWait(50);
    const MapPicture& picture = map->Picture();
    QCOMPARE(picture.width, map->contentsRect().width());
    QCOMPARE(picture.height, map->contentsRect().height());
    QCOMPARE(picture.marks.size(), std::size_t{5});
    QCOMPARE(picture.PrimitiveCount(),
             window->Model().RouteMap(map->PictureSize()).PrimitiveCount());
    QVERIFY(window->rect().contains(map->geometry()));
    QVERIFY(grid->geometry().right() < map->geometry().left());
    QVERIFY(!grid->horizontalScrollBar()->isVisible());
  }

  const MapPicture picture = map->Picture();
  for (const MapMark& mark : picture.marks) {
    QTest::mouseClick(
        map, Qt::LeftButton, {},
        map->contentsRect().topLeft() + QPointF(mark.at.x, mark.at.y).toPoint() + QPoint(1, -1));
    QCOMPARE(selected_grid_row(), std::optional(mark.row));
    QCOMPARE(map->SelectedRow(), std::optional(mark.row));
  }
  grid->selectRow(1);
  QCOMPARE(map->SelectedRow(), std::optional<std::size_t>(1));
  // A click away from every mark keeps the selection.
  QTest::mouseClick(map, Qt::LeftButton, {}, QPoint(2, 2));
  QCOMPARE(selected_grid_row(), std::optional<std::size_t>(1));

  // A run that reads no route empties the grid, the map and its selection.
  clock.WaitOutDoubleClick();
  QGuiApplication::clipboard()->setText(QStringLiteral("hello\r\n"));
  Click(*window, "conversionButton");
  QCOMPARE(dialogs.errors, QStringList{"Wrong format"});
  QCOMPARE(map->Picture().PrimitiveCount(), std::size_t{0});
  QCOMPARE(map->SelectedRow(), std::nullopt);
}

}  // namespace korvanta::gui

QTEST_MAIN(korvanta::gui::MainWindowTest)
#include "main_window_test.moc"
