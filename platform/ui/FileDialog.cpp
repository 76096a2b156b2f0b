// The file and folder dialogs: questions answered with a path.
#include "zqplatform/filedialog.h"
#include "zqplatform/questions.h"

namespace zq::ui {

namespace {

QuestionKind KindOf(FileDialogKind kind) {
  switch (kind) {
    case FileDialogKind::Save: return QuestionKind::Save;
    case FileDialogKind::Folder: return QuestionKind::Folder;
    default: return QuestionKind::Open;
  }
}

}  // namespace

std::optional<std::string> AskFileName(const FileDialogRequest& request) {
  Question q;
  q.kind = KindOf(request.kind);
  q.owner = request.owner;
  q.thread = GetCurrentThreadId();
  q.caption = request.title;
  q.extension = request.extension;
  q.folder = request.folder;
  Answer a = Ask(q);
  if (a.kind != Answer::Kind::Path || a.path.empty()) return std::nullopt;
  return a.path;
}

}  // namespace zq::ui
