#include "gui/demo.hpp"

#include <QAbstractButton>
#include <QCheckBox>
#include <QClipboard>
#include <QDateTime>
#include <QFile>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QSpinBox>
#include <QTimer>

#include <cstdio>

#include "gui/main_window.hpp"
#include "route/cp1252.hpp"

namespace korvanta::gui {

namespace {

// Time for the last repaint before the picture is taken.
constexpr int kSettleMs = 500;
constexpr int kDemoPlanNumber = 7;

bool PutRouteOnClipboard(const QString& file) {
  QFile in(file);
  if (!in.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "korvanta: cannot read %s\n", qUtf8Printable(file));
    return false;
  }
  const QByteArray bytes = in.readAll();
  const std::string text = InputToUtf8(bytes.toStdString());
  QGuiApplication::clipboard()->setText(QString::fromStdString(text));
  return true;
}

void SaveScreenshot(MainWindow& window, const QString& file) {
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
  if (!options.route_file.isEmpty() && PutRouteOnClipboard(options.route_file)) {
    for (QCheckBox* box : window.findChildren<QCheckBox*>()) {
      if (box->isEnabled())
        box->setChecked(true);
    }
    // The KLN 90B keeps 25 plans; the default number (661) is the Super 80's.
    if (auto* number = window.findChild<QSpinBox*>(QStringLiteral("planNumber"))) {
      number->setValue(kDemoPlanNumber);
    }
    if (auto* button = window.findChild<QAbstractButton*>(QStringLiteral("conversionButton"))) {
      button->click();
    }
  }
  if (options.screenshot.isEmpty()) {
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
