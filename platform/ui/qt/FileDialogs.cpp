// The Qt presenter's file and folder dialogs, shown on its GUI thread.
#include <QApplication>
#include <QFileDialog>
#include <QMetaObject>
#include <QThread>

#include "zqplatform/codepage.h"
#include "zqplatform/filedialog.h"
#include "zqplatform/uimodel.h"

namespace zq::ui {

namespace {

QString Utf8(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

std::optional<std::string> Ask(const FileDialogRequest& r) {
  QString title = Utf8(zq::text::AnsiToUtf8(r.title));
  QString filter;
  if (!r.extension.empty()) filter = QString("*") + Utf8(r.extension) + ";;*";
  QFileDialog::Options options = QFileDialog::DontUseNativeDialog;
  QString chosen;
  switch (r.kind) {
    case FileDialogKind::Open: chosen = QFileDialog::getOpenFileName(nullptr, title, Utf8(r.folder), filter, nullptr, options); break;
    case FileDialogKind::Save: chosen = QFileDialog::getSaveFileName(nullptr, title, Utf8(r.folder), filter, nullptr, options); break;
    case FileDialogKind::Folder:
      chosen = QFileDialog::getExistingDirectory(nullptr, title, Utf8(r.folder), options | QFileDialog::ShowDirsOnly);
      break;
  }
  if (chosen.isEmpty()) return std::nullopt;
  QByteArray bytes = chosen.toUtf8();
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace

std::optional<std::string> AskFileName(const FileDialogRequest& request) {
  if (PresenterName() != "qt") return std::nullopt;
  QCoreApplication* app = QCoreApplication::instance();
  if (!app) return std::nullopt;
  std::optional<std::string> answer;
  if (QThread::currentThread() == app->thread()) {
    answer = Ask(request);
  } else {
    QMetaObject::invokeMethod(app, [&] { answer = Ask(request); }, Qt::BlockingQueuedConnection);
  }
  return answer;
}

}  // namespace zq::ui
