// The real window on the offscreen platform, on a temporary program folder and
// folder tree. Message boxes and dialogs are answered by AnsweringDialogs.

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/folder_source.hpp"
#include "app/ini_profile.hpp"
#include "gui/main_window.hpp"
#include "gui/path_text.hpp"
#include "gui/user_dialogs.hpp"
#include "route/cp1252.hpp"

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
    source.personal = docs;
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
  void OpenDocument(const QString& file) override { opened << file; }
};

// A tree, the dialogs' answers and a window shown on them.
struct Session {
  Tree tree;
  AnsweringDialogs dialogs;
  std::unique_ptr<TForm1> window;

  explicit Session(bool with_airports = true) : tree(with_airports) {}

  // Shows a new window and waits for its start-up timer to finish.
  bool Start(const QStringList& arguments = {}) {
    window = std::make_unique<TForm1>(tree.app, tree.source, arguments, dialogs);
    QSignalSpy done(window.get(), &TForm1::StartUpDone);
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
  void designState_data();
  void designState();
  void startUpOrder();
  void conversionWritesTheTickedTargets();
  void missingAirportDatabase();
  void loadProgressInPanel();
  void fsxSelectionConverts();
  void selectionTable_data();
  void selectionTable();
  void showHideRules_data();
  void showHideRules();
  void restoredShowHide_data();
  void restoredShowHide();
  void statesKeptAcrossStarts();
  void restoreLeavesUnreadableKeysAlone();
  void saveDialogOffered_data();
  void saveDialogOffered();
  void saveDialogRemembersTheLastPath();
  void saveDialogSetUp();
  void conversionRefusedWhileRunning();
};

// Every control as the window is created: its caption and whether it is
// shown, enabled and ticked.
void MainWindowTest::designState_data() {
  QTest::addColumn<QString>("control");
  QTest::addColumn<QString>("caption");
  QTest::addColumn<bool>("shown");
  QTest::addColumn<bool>("ticked");

  QTest::newRow("status line") << "Label4"
                               << "" << true << false;
  QTest::newRow("runway label") << "Label2"
                                << "Departing Runway" << true << false;
  QTest::newRow("runway box") << "Edit1"
                              << "" << true << false;
  QTest::newRow("conversion button") << "SpeedButton1"
                                     << "" << true << false;
  QTest::newRow("runway prompt") << "Label3"
                                 << "Modify Runway" << false << false;
  QTest::newRow("GO!!!") << "Button1"
                         << "GO!!!" << true << false;
  QTest::newRow("FS9 item") << "RadioGroup1Fs9"
                            << "FS9" << true << true;
  QTest::newRow("FSX item") << "RadioGroup1Fsx"
                            << "FSX" << true << false;
  QTest::newRow("X-plane item") << "RadioGroup1XPlane"
                                << "X-plane" << true << false;
  QTest::newRow("FS2004") << "CheckBox4"
                          << "FS2004" << true << false;
  QTest::newRow("TU154") << "Tu154"
                         << "TU154" << true << false;
  QTest::newRow("MadDog") << "MadDog2006"
                          << "MadDog2008" << true << false;
  QTest::newRow("Flight1") << "CheckBox1"
                           << "Flight1 Super 80 format" << false << false;
  QTest::newRow("plan number label") << "Label1"
                                     << "Flight plan nr" << false << false;
  QTest::newRow("plan number") << "RxSpinEdit1"
                               << "661" << false << false;
  QTest::newRow("PMDG") << "CheckBox2"
                        << "PMDG 737/747" << true << false;
  QTest::newRow("LVLD") << "CheckBox3"
                        << "LVLD 767" << true << false;
  QTest::newRow("iFly") << "CheckBox9"
                        << "iFly737" << true << false;
  QTest::newRow("FSNavigator") << "CheckBox5"
                               << "FSNavigator" << true << false;
  QTest::newRow("X-Plane") << "CheckBox6"
                           << "X-Plane" << true << false;
  QTest::newRow("CIVA") << "CheckBox7"
                        << "CIVA" << true << false;
  QTest::newRow("Google Earth") << "CheckBox8"
                                << "Google Earth" << true << false;
  QTest::newRow("progress panel") << "Panel1"
                                  << "Loading Routes ....." << true << false;
  QTest::newRow("grid") << "DBGrid1"
                        << "" << true << false;
}

void MainWindowTest::designState() {
  QFETCH(QString, control);
  QFETCH(QString, caption);
  QFETCH(bool, shown);
  QFETCH(bool, ticked);
  Tree tree;
  AnsweringDialogs dialogs;
  const TForm1 window(tree.app, tree.source, {}, dialogs);
  const QWidget* widget = Control(window, control.toLatin1().constData());
  QString text;
  if (const auto* label = qobject_cast<const QLabel*>(widget)) {
    text = label->text();
  } else if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
    text = button->text();
    QCOMPARE(button->isChecked(), ticked);
  } else if (const auto* edit = qobject_cast<const QLineEdit*>(widget)) {
    text = edit->text();
  } else if (const auto* spin = qobject_cast<const QSpinBox*>(widget)) {
    text = spin->text();
    QCOMPARE(spin->minimum(), 1);
    QCOMPARE(spin->maximum(), 99999);
  }
  QCOMPARE(text, caption);
  QCOMPARE(!widget->isHidden(), shown);
  QVERIFY(widget->isEnabled());
}

// The window as it opens: its caption and size, the three items side by side,
// and the focus on GO!!!, first in the tab order.
void MainWindowTest::startUpOrder() {
  Session session;
  auto& [tree, dialogs, window] = session;
  WriteFile(tree.app / "korvanta.ini", "[TForm1]\r\nRadioGroup1_ItemIndex=2\r\n");
  window = std::make_unique<TForm1>(tree.app, tree.source, QStringList{}, dialogs);
  QSignalSpy done(window.get(), &TForm1::StartUpDone);
  window->show();

  // Shown: the item is restored, but the selection waits for the timer.
  QVERIFY(Control<QAbstractButton>(*window, "RadioGroup1XPlane")->isChecked());
  QVERIFY(!Control<QCheckBox>(*window, "CheckBox6")->isChecked());
  QVERIFY(Control(*window, "CheckBox4")->isEnabled());
  QVERIFY(!Control(*window, "Panel1")->isHidden());
  const auto* timer = window->findChild<QTimer*>(QStringLiteral("Timer1"));
  QVERIFY(timer != nullptr && timer->isActive() && timer->isSingleShot());
  QCOMPARE(timer->interval(), 200);
  QVERIFY(done.wait(10000));
  QVERIFY(Control<QCheckBox>(*window, "CheckBox6")->isChecked());
  QVERIFY(!Control(*window, "CheckBox4")->isEnabled());
  QVERIFY(Control(*window, "Panel1")->isHidden());

  QCOMPARE(window->windowTitle(), QString("Quillberton to FS2004/FSX  plan"));
  QCOMPARE(window->size(), QSize(638, 448));
  QVERIFY(QTest::qWaitForWindowActive(window.get()));
  QCOMPARE(QApplication::focusWidget(), Control(*window, "Button1"));
  const int row = Control(*window, "RadioGroup1Fs9")->y();
  QCOMPARE(Control(*window, "RadioGroup1Fsx")->y(), row);
  QCOMPARE(Control(*window, "RadioGroup1XPlane")->y(), row);
  QStringList tab_order;
  for (QWidget* w = window->nextInFocusChain(); w != window.get(); w = w->nextInFocusChain()) {
    if ((w->focusPolicy() & Qt::TabFocus) && !w->objectName().startsWith("qt_"))
      tab_order << w->objectName();
  }
  QCOMPARE(tab_order.mid(0, 4),
           QStringList({"Button1", "Edit1", "SpeedButton1", "RadioGroup1Fs9"}));
}

void MainWindowTest::conversionWritesTheTickedTargets() {
  Session session;
  QVERIFY(session.Start());
  auto& [tree, dialogs, window] = session;
  QVERIFY(Control(*window, "Panel1")->isHidden());
  const std::string route_text = PutExampleRouteOnClipboard();

  Click(*window, "CheckBox4 MadDog2006 CheckBox8 Button1");
  QVERIFY(!Control(*window, "Label3")->isHidden());
  Control<QLineEdit>(*window, "Edit1")->setText("25R");
  Click(*window, "SpeedButton1");

  QCOMPARE(dialogs.errors, QStringList());
  QVERIFY(Control(*window, "Label3")->isHidden());
  QCOMPARE(ReadFile(tree.app / "route.txt"), route_text);
  QVERIFY(ReadFile(tree.app / "temp.tmp").find("25R") != std::string::npos);
  QVERIFY(fs::exists(tree.docs / "Flight Simulator Files/IFR ALPHA_INTL to BETA FIELD.pln"));
  QVERIFY(fs::exists(tree.fs9 / "MADDOG2008/Routes/EAAAEBBB.mdr"));
  QVERIFY(fs::exists(tree.fs9 / "routes/EAAAEBBB.rts"));
  QVERIFY(fs::is_empty(tree.fs9 / "Level-D Simulations/navdata/Flightplans"));
  const QString kml = PathText(tree.docs / "ALPHA_INTL-BETA FIELD.kml");
  QCOMPARE(dialogs.opened, QStringList{kml});
  QVERIFY(QFileInfo::exists(kml));
  QCOMPARE(Control<QLabel>(*window, "Label4")->text(), QString("File EAAAEBBB.mdr created"));

  // The grid: Rm as the last parse left it, in UTF-8, with the elevations of
  // the airport database loaded at start-up.
  const QAbstractItemModel* grid = Control<QTableView>(*window, "DBGrid1")->model();
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
  auto& [tree, dialogs, window] = session;
  QCOMPARE(dialogs.errors, QStringList{"File wpNavApt.txt missing"});
  QVERIFY(Control(*window, "Panel1")->isHidden());

  // The conversion still works, with every elevation 0.
  PutExampleRouteOnClipboard();
  Click(*window, "SpeedButton1");
  const QAbstractItemModel* grid = Control<QTableView>(*window, "DBGrid1")->model();
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
  TForm1 window(tree.app, tree.source, {}, dialogs);
  const auto* panel = Control<QLabel>(window, "Panel1");
  QCOMPARE(panel->text(), QString("Loading Routes ....."));

  // The load lets the window process its events at every caption.
  QStringList captions;
  QTimer watch;
  connect(&watch, &QTimer::timeout, [&] {
    if (!panel->isHidden() && (captions.isEmpty() || captions.last() != panel->text()))
      captions << panel->text();
  });
  watch.start(0);
  QSignalSpy done(&window, &TForm1::StartUpDone);
  window.show();
  QVERIFY(done.wait(10000));
  QCOMPARE(captions, QStringList({"Loading Routes .....", "Loading Routes ..... 0",
                                  "Loading Routes ..... 100", "Loading Routes ..... 200"}));
  QVERIFY(panel->isHidden());
}

void MainWindowTest::fsxSelectionConverts() {
  Session session;
  QVERIFY(session.Start());
  auto& [tree, dialogs, window] = session;
  PutExampleRouteOnClipboard();
  Click(*window, "RadioGroup1Fsx CheckBox4 SpeedButton1");
  QCOMPARE(dialogs.errors, QStringList());
  QVERIFY(fs::exists(tree.docs / "Flight Simulator X Files/IFR ALPHA_INTL to BETA FIELD.pln"));
  QVERIFY(fs::exists(tree.fsx / "routes/EAAAEBBB.rts"));
  QVERIFY(!fs::exists(tree.fs9 / "routes"));
}

// Each box of the selection as "name=E+" (enabled, ticked) or "name=D-"
// (disabled, unticked), with ":caption" where the caption is checked.
void MainWindowTest::selectionTable_data() {
  QTest::addColumn<QString>("before");  // selections picked, then "tick" to tick every enabled box
  QTest::addColumn<QString>("pick");
  QTest::addColumn<QString>("expected");

  QTest::newRow("X-plane from everything ticked")
      << "tick"
      << "RadioGroup1XPlane"
      << "CheckBox4=D- CheckBox2=D- CheckBox3=D- CheckBox1=D- CheckBox5=D- CheckBox9=E+ "
         "MadDog2006=D- Tu154=D- CheckBox6=E+ CheckBox7=E+ CheckBox8=E+";
  QTest::newRow("X-plane from nothing ticked")
      << ""
      << "RadioGroup1XPlane"
      << "CheckBox4=D- CheckBox2=D- CheckBox3=D- CheckBox1=D- CheckBox5=D- CheckBox9=E- "
         "MadDog2006=D- Tu154=D- CheckBox6=E+ CheckBox7=E- CheckBox8=E-";
  QTest::newRow("X-plane picked again keeps the X-Plane box the user unticked")
      << "RadioGroup1XPlane CheckBox6"
      << "RadioGroup1XPlane"
      << "CheckBox4=D- CheckBox2=D- CheckBox3=D- CheckBox1=D- CheckBox5=D- CheckBox9=E- "
         "MadDog2006=D- Tu154=D- CheckBox6=E- CheckBox7=E- CheckBox8=E-";
  QTest::newRow("FSX from everything ticked")
      << "tick"
      << "RadioGroup1Fsx"
      << "CheckBox4=E+:FSX CheckBox2=E+:PMDG_747 CheckBox3=E+ CheckBox1=D- CheckBox5=D- "
         "CheckBox9=D- MadDog2006=D- Tu154=D- CheckBox6=D- CheckBox7=E+ CheckBox8=E+";
  QTest::newRow("FSX after X-plane leaves FS2004, PMDG and LVLD disabled")
      << "RadioGroup1XPlane tick"
      << "RadioGroup1Fsx"
      << "CheckBox4=D-:FSX CheckBox2=D-:PMDG_747 CheckBox3=D- CheckBox1=D- CheckBox5=D- "
         "CheckBox9=D- MadDog2006=D- Tu154=D- CheckBox6=D- CheckBox7=E+ CheckBox8=E+";
  QTest::newRow("FS9 after X-plane")
      << "RadioGroup1XPlane tick"
      << "RadioGroup1Fs9"
      << "CheckBox4=E-:FS2004 CheckBox2=E-:PMDG_737/747 CheckBox3=E- CheckBox1=E- CheckBox5=E- "
         "CheckBox9=E+ MadDog2006=E- Tu154=E- CheckBox6=D- CheckBox7=E+ CheckBox8=E+";
  QTest::newRow("FS9 after FSX")
      << "RadioGroup1Fsx tick"
      << "RadioGroup1Fs9"
      << "CheckBox4=E+:FS2004 CheckBox2=E+:PMDG_737/747 CheckBox3=E+ CheckBox1=E- CheckBox5=E- "
         "CheckBox9=E- MadDog2006=E- Tu154=E- CheckBox6=D- CheckBox7=E+ CheckBox8=E+";
}

void MainWindowTest::selectionTable() {
  QFETCH(QString, before);
  QFETCH(QString, pick);
  QFETCH(QString, expected);
  Session session;
  QVERIFY(session.Start());
  auto& [tree, dialogs, window] = session;
  for (const QString& step : before.split(' ', Qt::SkipEmptyParts)) {
    if (step == "tick") {
      TickEveryEnabledBox(*window);
    } else {
      Click(*window, step);
    }
  }
  Click(*window, pick);

  for (const QString& item : expected.split(' ')) {
    const QString name = item.section('=', 0, 0);
    const QString state = item.section('=', 1).section(':', 0, 0);
    const auto* box = Control<QCheckBox>(*window, name.toLatin1().constData());
    QCOMPARE(name + "=" + (box->isEnabled() ? "E" : "D") + (box->isChecked() ? "+" : "-"),
             name + "=" + state);
    const QString caption = item.section(':', 1).replace('_', ' ');
    if (!caption.isEmpty())
      QCOMPARE(box->text(), caption);
  }
}

void MainWindowTest::showHideRules_data() {
  QTest::addColumn<QString>("clicks");
  QTest::addColumn<bool>("flight1_shown");
  QTest::addColumn<bool>("flight1_ticked");
  QTest::addColumn<bool>("plan_number_shown");

  QTest::newRow("FS2004 shows Flight1") << "CheckBox4" << true << false << false;
  QTest::newRow("Flight1 shows the plan number") << "CheckBox4 CheckBox1" << true << true << true;
  QTest::newRow("unticking FS2004 hides and unticks Flight1, hides the plan number")
      << "CheckBox4 CheckBox1 CheckBox4" << false << false << false;
  QTest::newRow("TU154 alone shows the plan number") << "Tu154" << false << false << true;
  QTest::newRow("unchecking TU154 hides the plan number although Flight1 is still checked")
      << "CheckBox4 CheckBox1 Tu154 Tu154" << true << true << false;
  QTest::newRow("unchecking Flight1 hides the plan number although TU154 is still checked")
      << "Tu154 CheckBox4 CheckBox1 CheckBox1" << true << false << false;
  QTest::newRow("FSX unticks Flight1 and TU154")
      << "CheckBox4 CheckBox1 Tu154 RadioGroup1Fsx" << true << false << false;
  QTest::newRow("X-plane unticks FS2004, which hides Flight1")
      << "CheckBox4 CheckBox1 RadioGroup1XPlane" << false << false << false;
}

void MainWindowTest::showHideRules() {
  QFETCH(QString, clicks);
  QFETCH(bool, flight1_shown);
  QFETCH(bool, flight1_ticked);
  QFETCH(bool, plan_number_shown);
  Session session;
  QVERIFY(session.Start());
  auto& [tree, dialogs, window] = session;
  Click(*window, clicks);
  QCOMPARE(!Control(*window, "CheckBox1")->isHidden(), flight1_shown);
  QCOMPARE(Control<QCheckBox>(*window, "CheckBox1")->isChecked(), flight1_ticked);
  QCOMPARE(!Control(*window, "Label1")->isHidden(), plan_number_shown);
  QCOMPARE(!Control(*window, "RxSpinEdit1")->isHidden(), plan_number_shown);
}

// The restored ticks run the show/hide rules as the user's clicks would.
void MainWindowTest::restoredShowHide_data() {
  QTest::addColumn<QString>("stored");  // keys of section TForm1
  QTest::addColumn<bool>("flight1_shown");
  QTest::addColumn<bool>("flight1_ticked");
  QTest::addColumn<bool>("plan_number_shown");

  QTest::newRow("FS2004 shows Flight1") << "CheckBox4_Checked=True" << true << false << false;
  QTest::newRow("Flight1 with FS2004 shows the plan number")
      << "CheckBox1_Checked=True CheckBox4_Checked=True" << true << true << true;
  QTest::newRow("TU154 shows the plan number") << "Tu154_Checked=True" << false << false << true;
  QTest::newRow("Flight1 without FS2004: unticked, with its plan number hidden")
      << "CheckBox1_Checked=True CheckBox4_Checked=False" << false << false << false;
  QTest::newRow("Flight1 without FS2004 keeps the plan number of a ticked TU154")
      << "CheckBox1_Checked=True CheckBox4_Checked=False Tu154_Checked=True" << false << false
      << true;
  QTest::newRow("X-plane unticks all three")
      << "CheckBox1_Checked=True CheckBox4_Checked=True Tu154_Checked=True "
         "RadioGroup1_ItemIndex=2"
      << false << false << false;
}

void MainWindowTest::restoredShowHide() {
  QFETCH(QString, stored);
  QFETCH(bool, flight1_shown);
  QFETCH(bool, flight1_ticked);
  QFETCH(bool, plan_number_shown);
  Session session;
  auto& [tree, dialogs, window] = session;
  WriteFile(tree.app / "korvanta.ini",
            "[TForm1]\r\n" + stored.replace(' ', "\r\n").toStdString() + "\r\n");
  QVERIFY(session.Start());
  QCOMPARE(!Control(*window, "CheckBox1")->isHidden(), flight1_shown);
  QCOMPARE(Control<QCheckBox>(*window, "CheckBox1")->isChecked(), flight1_ticked);
  QCOMPARE(!Control(*window, "Label1")->isHidden(), plan_number_shown);
  QCOMPARE(!Control(*window, "RxSpinEdit1")->isHidden(), plan_number_shown);
}

void MainWindowTest::statesKeptAcrossStarts() {
  Session session;
  auto& [tree, dialogs, window] = session;
  const std::string settings =
      "; folders of the add-ons\r\n[Main]\r\nLVLDFolder = C:\\LVLD\\  \r\n\r\n"
      "[Other]\nkey=value\n";
  WriteFile(tree.app / "korvanta.ini", settings);
  {
    QVERIFY(session.Start());
    Click(*window, "CheckBox4 CheckBox1 Tu154 CheckBox8");
    Control<QSpinBox>(*window, "RxSpinEdit1")->setValue(42);
    window->resize(700, 520);
    window->close();
  }
  const std::string kept = ReadFile(tree.app / "korvanta.ini");
  QCOMPARE(kept.substr(0, settings.size()), settings);
  const std::vector<std::pair<std::string, std::string>> keys = {
      {"CheckBox1_Checked", "True"},   {"RxSpinEdit1_Value", "42"},
      {"CheckBox2_Checked", "False"},  {"CheckBox3_Checked", "False"},
      {"CheckBox4_Checked", "True"},   {"CheckBox5_Checked", "False"},
      {"MadDog2006_Checked", "False"}, {"Tu154_Checked", "True"},
      {"RadioGroup1_ItemIndex", "0"},  {"CheckBox6_Checked", "False"},
      {"CheckBox7_Checked", "False"},  {"CheckBox8_Checked", "True"},
      {"CheckBox9_Checked", "False"}};
  std::string::size_type previous = 0;
  for (const auto& [key, value] : keys) {
    QCOMPARE(IniLookup(kept, "TForm1", key).value_or("(missing)"), value);
    const auto at = kept.find(key + "=");
    QVERIFY2(at > previous, key.c_str());  // in the store's order
    previous = at;
  }

  {
    QVERIFY(session.Start());
    QVERIFY(Control<QCheckBox>(*window, "CheckBox4")->isChecked());
    QVERIFY(Control<QCheckBox>(*window, "CheckBox1")->isChecked());
    QVERIFY(!Control(*window, "CheckBox1")->isHidden());
    QVERIFY(!Control(*window, "RxSpinEdit1")->isHidden());  // the handlers ran
    QVERIFY(Control<QCheckBox>(*window, "CheckBox8")->isChecked());
    QVERIFY(!Control<QCheckBox>(*window, "CheckBox2")->isChecked());
    QCOMPARE(Control<QSpinBox>(*window, "RxSpinEdit1")->value(), 42);
    QCOMPARE(window->size(), QSize(700, 520));
    Click(*window, "RadioGroup1XPlane");
    window->close();
  }
  {
    // The restored selection is applied by the start-up timer.
    QVERIFY(session.Start());
    QVERIFY(Control<QAbstractButton>(*window, "RadioGroup1XPlane")->isChecked());
    QVERIFY(Control<QCheckBox>(*window, "CheckBox6")->isChecked());
    QVERIFY(!Control(*window, "CheckBox4")->isEnabled());
    window->close();
  }
  QCOMPARE(ReadFile(tree.app / "korvanta.ini").substr(0, settings.size()), settings);
  QCOMPARE(dialogs.errors, QStringList());
}

void MainWindowTest::restoreLeavesUnreadableKeysAlone() {
  Session session;
  auto& [tree, dialogs, window] = session;
  WriteFile(tree.app / "korvanta.ini",
            "[TForm1]\r\nCheckBox8_Checked=true\r\nCheckBox2_Checked=maybe\r\n"
            "RxSpinEdit1_Value=many\r\nRadioGroup1_ItemIndex=7\r\n"
            "CheckBox1_Checked=True\r\nCheckBox4_Checked=False\r\n");
  QVERIFY(session.Start());
  QVERIFY(Control<QCheckBox>(*window, "CheckBox8")->isChecked());
  QVERIFY(!Control<QCheckBox>(*window, "CheckBox2")->isChecked());
  QCOMPARE(Control<QSpinBox>(*window, "RxSpinEdit1")->value(), 661);
  QVERIFY(Control<QAbstractButton>(*window, "RadioGroup1Fs9")->isChecked());
  // Flight1 without FS2004: hidden, and not left ticked out of sight.
  QVERIFY(Control(*window, "CheckBox1")->isHidden());
  QVERIFY(!Control<QCheckBox>(*window, "CheckBox1")->isChecked());
}

void MainWindowTest::saveDialogOffered_data() {
  QTest::addColumn<QStringList>("arguments");
  QTest::addColumn<bool>("offered");
  QTest::newRow("/T") << QStringList{"/T"} << true;
  QTest::newRow("/t") << QStringList{"/t"} << true;
  QTest::newRow("another argument") << QStringList{"/X"} << false;
  QTest::newRow("/T not first") << QStringList{"--app-dir", "/T"} << false;
  QTest::newRow("no argument") << QStringList{} << false;
}

void MainWindowTest::saveDialogOffered() {
  QFETCH(QStringList, arguments);
  QFETCH(bool, offered);
  Session session;
  auto& [tree, dialogs, window] = session;
  const QString chosen = PathText(tree.root / "mine.rte");
  dialogs.answers.push_back(chosen);
  QVERIFY(session.Start(arguments));
  PutExampleRouteOnClipboard();
  Click(*window, "MadDog2006 SpeedButton1");

  const fs::path automatic = tree.fs9 / "MADDOG2008/Routes/EAAAEBBB.mdr";
  QCOMPARE(static_cast<int>(dialogs.requests.size()), offered ? 1 : 0);
  QCOMPARE(QFileInfo::exists(chosen), offered);
  QCOMPARE(fs::exists(automatic), !offered);
  if (!offered)
    return;
  const SaveFileRequest& request = dialogs.requests.front();
  QCOMPARE(request.folder, PathText(tree.fs9 / "MADDOG2008/Routes"));
  QCOMPARE(request.file_name, QString());
  QCOMPARE(request.filter, QString("Route file (*.rte)"));
  QCOMPARE(request.default_suffix, QString("rte"));
  QCOMPARE(Control<QLabel>(*window, "Label4")->text(), "File " + chosen + " created");
}

void MainWindowTest::saveDialogRemembersTheLastPath() {
  Session session;
  auto& [tree, dialogs, window] = session;
  const QString chosen = PathText(tree.root / "first.rte");
  dialogs.answers = {chosen, std::nullopt};  // Level-D confirms, MadDog cancels
  QVERIFY(session.Start({"/T"}));
  PutExampleRouteOnClipboard();
  Click(*window, "CheckBox3 MadDog2006 SpeedButton1");
  Click(*window, "SpeedButton1");  // both cancelled

  QCOMPARE(dialogs.errors, QStringList());
  QCOMPARE(static_cast<int>(dialogs.requests.size()), 4);
  QCOMPARE(dialogs.requests[0].folder,
           PathText(tree.fs9 / "Level-D Simulations/navdata/Flightplans"));
  QCOMPARE(dialogs.requests[0].file_name, QString());
  for (std::size_t i = 1; i < 4; ++i)
    QCOMPARE(dialogs.requests[i].file_name, QString("first.rte"));
  QVERIFY(QFileInfo::exists(chosen));
  // Cancelled: the automatic name.
  QVERIFY(fs::exists(tree.fs9 / "MADDOG2008/Routes/EAAAEBBB.mdr"));
  QVERIFY(fs::exists(tree.fs9 / "Level-D Simulations/navdata/Flightplans/EAAAEBBB.rte"));
  QCOMPARE(Control<QLabel>(*window, "Label4")->text(), QString("File EAAAEBBB.mdr created"));
}

void MainWindowTest::saveDialogSetUp() {
  QTemporaryDir folder;
  QFileDialog dialog;
  ConfigureSaveDialog(dialog, {folder.path(), "first.rte", "Route file (*.rte)", "rte"});
  QCOMPARE(dialog.acceptMode(), QFileDialog::AcceptSave);
  QCOMPARE(dialog.directory().absolutePath(), QDir(folder.path()).absolutePath());
  QCOMPARE(dialog.nameFilters(), QStringList{"Route file (*.rte)"});
  QCOMPARE(dialog.defaultSuffix(), QString("rte"));
  QCOMPARE(dialog.selectedFiles(), QStringList{QDir(folder.path()).filePath("first.rte")});
}

void MainWindowTest::conversionRefusedWhileRunning() {
  Session session;
  QVERIFY(session.Start());
  auto& [tree, dialogs, window] = session;
  QGuiApplication::clipboard()->setText(QString());
  auto* button = Control<QAbstractButton>(*window, "SpeedButton1");

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
    QMetaObject::invokeMethod(window.get(), "SpeedButton1Click", Qt::DirectConnection);
  };
  Click(*window, "CheckBox4 MadDog2006 SpeedButton1");
  QVERIFY(!enabled_during_run);
  QCOMPARE(dialogs.errors, QStringList({"Wrong format", "Wrong format"}));
  QVERIFY(button->isEnabled());
}

}  // namespace korvanta::gui

QTEST_MAIN(korvanta::gui::MainWindowTest)
#include "main_window_test.moc"
