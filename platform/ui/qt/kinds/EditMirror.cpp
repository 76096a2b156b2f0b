// Edit controls: one line (QLineEdit) or several (QTextEdit), chosen when made.
#include "EditMirror.h"

#include <QScrollBar>
#include <QTextEdit>
#include <algorithm>

#include "../KeysAndText.h"
#include "../MirrorLook.h"
#include "../WidgetMirror.h"
#include "KindMirror.h"
#include "SetIfDifferent.h"

namespace zq::ui::qt {

namespace {

constexpr char kSelection[] = "zqSelection";  // the model's selection last shown

QWidget* Make(QWidget* parent, const WindowState& s) {
  if (s.multiLine) return new QTextEdit(parent);
  return new QLineEdit(parent);
}

void Connect(QWidget* w, HWND h, const WidgetMirror& mirror) {
  if (auto* e = qobject_cast<QLineEdit*>(w)) {
    QObject::connect(e, &QLineEdit::textChanged, [&mirror, h](const QString& t) {
      if (!mirror.Syncing()) TextToModel(h, t);
    });
  }
}

void ApplyLines(QTextEdit* e, const WindowState& s) {
  QString text = FromAnsi(s.text);
  QTextOption option = e->document()->defaultTextOption();
  option.setAlignment(AlignOf(s.align));
  e->document()->setDefaultTextOption(option);
  if (e->toPlainText() != text) e->setPlainText(text);
  e->setReadOnly(s.readOnly);
  e->setVerticalScrollBarPolicy((s.style & WS_VSCROLL) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
  e->setFrameStyle((s.style & WS_BORDER) ? QFrame::StyledPanel | QFrame::Sunken : QFrame::NoFrame);
  if (!s.caretVisible) {
    // No caret and no selection; each redraw shows the first line.
    e->setTextInteractionFlags(Qt::NoTextInteraction);
    e->viewport()->setCursor(Qt::ArrowCursor);
    e->verticalScrollBar()->setValue(0);
  } else {
    e->setTextInteractionFlags(s.readOnly ? Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard
                                          : Qt::TextEditorInteraction);
  }
}

void Apply(QWidget* w, const WindowState& s) {
  if (auto* e = qobject_cast<QTextEdit*>(w)) {
    ApplyLines(e, s);
    return;
  }
  auto* e = static_cast<QLineEdit*>(w);
  SetIfDifferent(e, FromAnsi(s.text));
  e->setReadOnly(s.readOnly);
  e->setEchoMode((s.style & ES_PASSWORD) ? QLineEdit::Password : QLineEdit::Normal);
  e->setAlignment(AlignOf(s.align));
  ApplySelection(e, s);
}

}  // namespace

void TextToModel(HWND h, const QString& t) {
  std::string text = ToAnsi(t);
  if (auto s = Snapshot(h); s && s->text != text) Update(h, [&](WindowState& m) { m.text = text; });
}

void ApplySelection(QLineEdit* e, const WindowState& s) {
  QPoint wanted(s.selStart, s.selEnd);
  if (e->property(kSelection).toPoint() == wanted) return;
  e->setProperty(kSelection, wanted);
  auto at = [&](int32_t bytes) {
    std::size_t n = std::min(static_cast<std::size_t>(std::max(bytes, 0)), s.text.size());
    return static_cast<int>(FromAnsi(s.text.substr(0, n)).size());
  };
  int start = at(s.selStart), end = at(s.selEnd);
  if (start == end) {
    e->setCursorPosition(end);
  } else {
    e->setSelection(start, end - start);
  }
}

const KindMirror kEditMirror{.make = Make, .connect = Connect, .apply = Apply};

}  // namespace zq::ui::qt
