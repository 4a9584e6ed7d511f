#include "gui/user_dialogs.hpp"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

#include <cstdio>

namespace korvanta::gui {

void ConfigureSaveDialog(QFileDialog& dialog, const SaveFileRequest& request) {
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDirectory(request.folder);
  dialog.setNameFilter(request.filter);
  dialog.setDefaultSuffix(request.default_suffix);
  dialog.setWindowTitle(request.title);
  if (!request.file_name.isEmpty())
    dialog.selectFile(request.file_name);
}

void DesktopDialogs::ShowError(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::Critical, QStringLiteral("Error"), text, QMessageBox::Ok, parent);
  box.exec();
}

std::optional<QString> DesktopDialogs::ChooseSaveFile(QWidget* parent,
                                                      const SaveFileRequest& request) {
  // Some platform dialogs move the current folder; the program's relative
  // folders ("." for X-Plane plans) must not follow it.
  const QString current = QDir::currentPath();
  QFileDialog dialog(parent);
  ConfigureSaveDialog(dialog, request);
  const bool confirmed = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
  QDir::setCurrent(current);
  if (!confirmed)
    return std::nullopt;
  return dialog.selectedFiles().first();
}

std::optional<QString> DesktopDialogs::ChooseFolder(QWidget* parent, const QString& title,
                                                    const QString& folder) {
  // As for the save dialog: the current folder stays where it was.
  const QString current = QDir::currentPath();
  const QString chosen = QFileDialog::getExistingDirectory(parent, title, folder);
  QDir::setCurrent(current);
  if (chosen.isEmpty())
    return std::nullopt;
  return chosen;
}

std::optional<QString> DesktopDialogs::ChooseOpenFile(QWidget* parent, const QString& folder) {
  // As for the save dialog: the current folder stays where it was.
  const QString current = QDir::currentPath();
  const QString chosen = QFileDialog::getOpenFileName(
      parent, QStringLiteral("Open a route text or flight plan"), folder,
      QStringLiteral("Route texts and flight plans (*.txt *.pln *.fms *.gpx);;All files (*)"));
  QDir::setCurrent(current);
  if (chosen.isEmpty())
    return std::nullopt;
  return chosen;
}

bool DesktopDialogs::OpenDocument(const QString& file) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(file));
}

void ConsoleDialogs::ShowError(QWidget* /*parent*/, const QString& text) {
  std::fprintf(stderr, "korvanta: %s\n", qUtf8Printable(text));
}

std::optional<QString> ConsoleDialogs::ChooseSaveFile(QWidget* /*parent*/,
                                                      const SaveFileRequest& /*request*/) {
  return std::nullopt;
}

std::optional<QString> ConsoleDialogs::ChooseFolder(QWidget* /*parent*/, const QString& /*title*/,
                                                    const QString& /*folder*/) {
  return std::nullopt;
}

std::optional<QString> ConsoleDialogs::ChooseOpenFile(QWidget* /*parent*/,
                                                      const QString& /*folder*/) {
  return std::nullopt;
}

bool ConsoleDialogs::OpenDocument(const QString& file) {
  std::fprintf(stderr, "korvanta: written for the viewer: %s\n", qUtf8Printable(file));
  return true;
}

}  // namespace korvanta::gui
