#include "gui/demo.hpp"

#include <QClipboard>
#include <QDateTime>
#include <QFile>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

#include <cstdio>
#include <optional>
#include <string>

#include "gui/main_window.hpp"
#include "gui/path_text.hpp"
#include "io/utf8_path.hpp"

namespace korvanta::gui {

namespace {

// Time for the last repaint before the picture is taken.
constexpr int kSettleMs = 500;

bool PutRouteOnClipboard(const std::filesystem::path& file) {
  const std::optional<std::string> text = DemoRouteText(file);
  if (!text) {
    std::fprintf(stderr, "korvanta: cannot read %s\n", PathToUtf8(file).c_str());
    return false;
  }
  QGuiApplication::clipboard()->setText(QString::fromStdString(*text));
  return true;
}

void SaveScreenshot(MainWindow& window, const std::filesystem::path& path) {
  const QString file = PathText(path);
  // The pixels the display server shows; the widget's own rendering where
  // there is no such server.
  QPixmap shot;
  if (QScreen* screen = window.screen())
    shot = screen->grabWindow(window.winId());
  if (shot.isNull())
    shot = window.grab();
  if (!shot.save(file, "PNG")) {
    std::fprintf(stderr, "korvanta: cannot write %s\n", qUtf8Printable(file));
  }
}

void RunDemo(MainWindow& window, const DemoOptions& options) {
  if (options.startup_probe) {
    std::printf("start-up done %lld\n",
                static_cast<long long>(QDateTime::currentMSecsSinceEpoch()));
    std::fflush(stdout);
  }
  if (!options.route_file.empty() && PutRouteOnClipboard(options.route_file))
    window.RunDemo();
  if (options.screenshot.empty()) {
    window.close();
    return;
  }
  QTimer::singleShot(kSettleMs, &window, [&window, file = options.screenshot] {
    SaveScreenshot(window, file);
    window.close();
  });
}

}  // namespace

void ArrangeDemo(MainWindow& window, const DemoOptions& options) {
  QObject::connect(
      &window, &MainWindow::StartUpDone, &window, [&window, options] { RunDemo(window, options); },
      Qt::QueuedConnection);
}

}  // namespace korvanta::gui
