#include "QuestionDialogs.h"

#include <QFileDialog>
#include <QMessageBox>

#include "KeysAndText.h"
#include "zqplatform/codepage.h"
#include "zqplatform/msgbox.h"

namespace zq::ui::qt {

namespace {

QMessageBox::StandardButtons ButtonsOf(uint32_t type) {
  switch (type & 0xF) {
    case MB_OKCANCEL: return QMessageBox::Ok | QMessageBox::Cancel;
    case MB_ABORTRETRYIGNORE: return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
    case MB_YESNOCANCEL: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MB_YESNO: return QMessageBox::Yes | QMessageBox::No;
    case MB_RETRYCANCEL: return QMessageBox::Retry | QMessageBox::Cancel;
    default: return QMessageBox::Ok;
  }
}

std::optional<int32_t> ButtonCode(QMessageBox::StandardButton qtButton) {
  switch (qtButton) {
    case QMessageBox::Ok: return IDOK;
    case QMessageBox::Cancel: return IDCANCEL;
    case QMessageBox::Abort: return IDABORT;
    case QMessageBox::Retry: return IDRETRY;
    case QMessageBox::Ignore: return IDIGNORE;
    case QMessageBox::Yes: return IDYES;
    case QMessageBox::No: return IDNO;
    default: return std::nullopt;
  }
}

QMessageBox::Icon IconOf(uint32_t type) {
  switch (type & 0xF0) {
    case MB_ICONHAND: return QMessageBox::Critical;
    case MB_ICONQUESTION: return QMessageBox::Question;
    case MB_ICONEXCLAMATION: return QMessageBox::Warning;
    case MB_ICONASTERISK: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
  }
}

QString Utf8(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QDialog* MessageBox(const Question& q, QWidget* parent, const std::function<void(const Answer&)>& done) {
  auto* box = new QMessageBox(IconOf(q.type), FromAnsi(q.caption), FromAnsi(q.text), ButtonsOf(q.type), parent);
  QObject::connect(box, &QMessageBox::finished, [box, done](int) {
    auto code = ButtonCode(box->standardButton(box->clickedButton()));
    done(code ? Answer::Pressed(*code) : Answer::Cancelled());
  });
  return box;
}

QDialog* FileDialog(const Question& q, QWidget* parent, const std::function<void(const Answer&)>& done) {
  auto* d = new QFileDialog(parent, Utf8(zq::text::AnsiToUtf8(q.caption)), Utf8(q.folder));
  d->setOption(QFileDialog::DontUseNativeDialog);
  switch (q.kind) {
    case QuestionKind::Save:
      d->setAcceptMode(QFileDialog::AcceptSave);
      d->setFileMode(QFileDialog::AnyFile);
      break;
    case QuestionKind::Folder:
      d->setFileMode(QFileDialog::Directory);
      d->setOption(QFileDialog::ShowDirsOnly);
      break;
    default: d->setFileMode(QFileDialog::ExistingFile); break;
  }
  if (!q.extension.empty() && q.kind != QuestionKind::Folder) {
    d->setNameFilters({QString("*") + Utf8(q.extension), QStringLiteral("*")});
  }
  QObject::connect(d, &QFileDialog::finished, [d, done](int result) {
    QStringList chosen = d->selectedFiles();
    if (result != QDialog::Accepted || chosen.isEmpty()) {
      done(Answer::Cancelled());
      return;
    }
    QByteArray bytes = chosen.front().toUtf8();
    done(Answer::Chosen(std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()))));
  });
  return d;
}

}  // namespace

void QuestionDialogs::Show(uint64_t id, const Question& q, QWidget* parent, std::function<void(const Answer&)> done) {
  QDialog* d = q.kind == QuestionKind::Message ? MessageBox(q, parent, done) : FileDialog(q, parent, done);
  d->setAttribute(Qt::WA_DeleteOnClose);
  shown_[id] = d;
  QObject::connect(d, &QDialog::finished, [this, id](int) { shown_.erase(id); });
  d->open();  // modal to the parent's window only
}

void QuestionDialogs::End(uint64_t id) {
  auto it = shown_.find(id);
  if (it == shown_.end()) return;
  QPointer<QDialog> d = it->second;
  shown_.erase(it);
  if (d) d->done(QDialog::Rejected);
}

}  // namespace zq::ui::qt
