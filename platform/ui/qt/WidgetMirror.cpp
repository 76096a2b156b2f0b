#include "WidgetMirror.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSystemTrayIcon>
#include <algorithm>

#include "KeysAndText.h"
#include "MirrorLook.h"
#include "TopWindow.h"
#include "kinds/KindMirror.h"
#include "kinds/ListMirror.h"
#include "zqplatform/uiinput.h"

namespace zq::ui::qt {

namespace {

constexpr char kOwnFocusPolicy[] = "zqFocusPolicy";
constexpr char kAskedFlags[] = "zqWindowFlags";

uint32_t Modifiers(Qt::KeyboardModifiers m) {
  return (m & Qt::ShiftModifier ? input::kShift : 0) | (m & Qt::ControlModifier ? input::kCtrl : 0) |
         (m & Qt::AltModifier ? input::kAlt : 0);
}

// The top-level window a window or control lies in.
HWND TopLevelOf(HWND h) {
  for (auto s = Snapshot(h); s && s->parent != 0; s = Snapshot(h)) h = s->parent;
  return h;
}

}  // namespace

WidgetMirror::WidgetMirror() = default;

WidgetMirror::~WidgetMirror() {
  for (auto& [h, m] : widgets_) {
    if (m.widget && m.widget->parentWidget() == nullptr) delete m.widget.data();
  }
}

WidgetMirror::Mirrored* WidgetMirror::FindMirrored(HWND hwnd) {
  auto it = widgets_.find(hwnd);
  if (it == widgets_.end()) return nullptr;
  if (!it->second.widget) {
    widgets_.erase(it);
    return nullptr;
  }
  return &it->second;
}

QWidget* WidgetMirror::Find(HWND hwnd) {
  Mirrored* m = FindMirrored(hwnd);
  return m ? m->widget.data() : nullptr;
}

QWidget* WidgetMirror::TopLevelWidget(HWND hwnd) {
  QWidget* w = hwnd ? Find(hwnd) : nullptr;
  return w ? w->window() : nullptr;
}

void WidgetMirror::Sync(HWND hwnd) {
  auto s = Snapshot(hwnd);
  QWidget* w = Find(hwnd);
  if (!s) {
    if (w) {
      // Hiding it moves Qt's focus on to another widget: no input of the user's.
      syncing_ = true;
      widgets_.erase(hwnd);
      block_.SetBlocked(w, false);
      w->hide();
      w->deleteLater();
      syncing_ = false;
    }
    return;
  }
  if (!w) {
    if (s->parent == 0 && !s->visible) return;  // made when first shown
    if (s->parent != 0 && !Find(s->parent)) return;  // made with its parent
    w = Make(*s);
    for (HWND child : Children(hwnd)) Sync(child);
  }
  Apply(w, *s);
}

bool WidgetMirror::eventFilter(QObject* watched, QEvent* event) {
  HWND h = HandleOf(watched);
  if (h == 0 || syncing_) return false;
  Mirrored* mirrored = FindMirrored(h);
  if (!mirrored) return false;
  const KindMirror& kind = *mirrored->kind;
  switch (event->type()) {
    case QEvent::KeyPress: {
      // A key the receiver leaves goes on to its parents; it is the model's input once, on
      // the first mirrored widget it reaches.
      auto* k = static_cast<QKeyEvent*>(event);
      auto* receiver = qobject_cast<QWidget*>(keyReceiver_.data());
      if (event == keyEvent_ && k->timestamp() == keyTime_ && receiver && watched != receiver &&
          static_cast<QWidget*>(watched)->isAncestorOf(receiver)) {
        return false;
      }
      keyEvent_ = event;
      keyTime_ = k->timestamp();
      keyReceiver_ = watched;
      uint32_t vk = VirtualKey(k->key());
      if (vk == 0) return false;
      uint32_t modifiers = Modifiers(k->modifiers());
      input::KeyPress(h, vk, modifiers);
      if (k->key() == Qt::Key_Space && kind.spaceByModel && watched == mirrored->widget) return true;
      auto s = Snapshot(h);
      uint32_t code = vk | (modifiers << 8);
      return s && std::find(s->takenKeys.begin(), s->takenKeys.end(), code) != s->takenKeys.end();
    }
    case QEvent::KeyRelease:
      keyEvent_ = nullptr;
      return false;
    case QEvent::MouseButtonPress: {
      auto* press = static_cast<QMouseEvent*>(event);
      if (!kind.press || press->button() != Qt::LeftButton) return false;
      return kind.press(mirrored->widget, watched, press, h);
    }
    case QEvent::MouseButtonDblClick:
      if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) return false;
      input::DoubleClick(h);
      return kind.doubleClick && kind.doubleClick(mirrored->widget, watched);
    case QEvent::FocusIn: {
      // A window made active gets back the focus Qt kept for it; the model's focus in that
      // window, which the widgets may not show yet, stays.
      HWND focus = GetFocus();
      bool activated = static_cast<QFocusEvent*>(event)->reason() == Qt::ActiveWindowFocusReason;
      if (activated && focus != 0 && TopLevelOf(focus) == TopLevelOf(h)) return false;
      if (focus != h) SetFocus(h);
      return false;
    }
    case QEvent::MouseButtonRelease:
      if (auto* release = static_cast<QMouseEvent*>(event); release->button() == Qt::RightButton) {
        if (kind.rightClick) {
          kind.rightClick(mirrored->widget, watched, release, h);
        } else {
          input::RightClick(h);
        }
      }
      return false;
    default:
      return false;
  }
}

void WidgetMirror::Apply(QWidget* w, const WindowState& s) {
  syncing_ = true;
  // A disabled top-level window keeps its look and refuses input (InputBlock).
  if (s.parent == 0) {
    block_.SetBlocked(w, !s.enabled);
  } else {
    w->setEnabled(s.enabled);
  }
  w->setFont(FontOf(s.font));
  QPalette pal = w->palette();
  bool fill = s.backColour != kDefaultColour;
  if (fill) {
    pal.setColor(QPalette::Window, Colour(s.backColour));
    pal.setColor(QPalette::Base, Colour(s.backColour));
    pal.setColor(QPalette::Button, Colour(s.backColour));
  }
  if (s.textColour != kDefaultColour) {
    pal.setColor(QPalette::WindowText, Colour(s.textColour));
    pal.setColor(QPalette::Text, Colour(s.textColour));
    pal.setColor(QPalette::ButtonText, Colour(s.textColour));
  }
  w->setPalette(pal);
  w->setAutoFillBackground(fill);
  QString tip = FromAnsi(s.tip).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  if (w->toolTip() != tip) w->setToolTip(tip);
  if (Mirrored* m = FindMirrored(s.hwnd); m && m->kind->apply) m->kind->apply(w, s);
  ApplyFocusPolicy(w, s);
  if (s.parent == 0) {
    ApplyTopLevel(w, s);
  } else {
    if (w->geometry() != RectOf(s.rect)) w->setGeometry(RectOf(s.rect));
    w->setVisible(s.visible);
  }
  if (GetFocus() == s.hwnd && !w->hasFocus()) w->setFocus();
  syncing_ = false;
}

void WidgetMirror::ApplyFocusPolicy(QWidget* w, const WindowState& s) {
  // The widget's own policy, kept from when it was made, without the click.
  QVariant own = w->property(kOwnFocusPolicy);
  if (!own.isValid()) {
    own = static_cast<int>(w->focusPolicy());
    w->setProperty(kOwnFocusPolicy, own);
  }
  auto policy = static_cast<Qt::FocusPolicy>(own.toInt());
  if (!s.focusByClick) policy = static_cast<Qt::FocusPolicy>(policy & ~Qt::ClickFocus);
  if (w->focusPolicy() != policy) w->setFocusPolicy(policy);
}

void WidgetMirror::ApplyTopLevel(QWidget* w, const WindowState& s) {
  Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
  if (s.style & WS_SYSMENU) {
    flags |= Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;
  }
  if (s.maximizeBox) flags |= Qt::WindowMaximizeButtonHint;
  if (s.frameless) flags |= Qt::FramelessWindowHint;
  if (s.topmost) flags |= Qt::WindowStaysOnTopHint;
  // Qt adds flags of its own to those asked (a maximise button brings the system menu), and a
  // change hides the window: the flags asked last are kept to compare with.
  if (QVariant asked = w->property(kAskedFlags); !asked.isValid() || asked.toUInt() != flags.toInt()) {
    w->setWindowFlags(flags);
    w->setProperty(kAskedFlags, static_cast<unsigned>(flags.toInt()));
  }
  w->setWindowTitle(FromAnsi(s.text));
  if (s.icon) {
    if (QIcon icon = IconOf(s.icon); !icon.isNull()) w->setWindowIcon(icon);
  }
  // The limits first, so that the rectangle within them is taken as it is.
  QSize low(s.minWidth, s.minHeight);
  QSize high(s.maxWidth > 0 ? s.maxWidth : QWIDGETSIZE_MAX, s.maxHeight > 0 ? s.maxHeight : QWIDGETSIZE_MAX);
  if (w->minimumSize() != low) w->setMinimumSize(low);
  if (w->maximumSize() != high) w->setMaximumSize(high);
  if (QRect target = RectOf(s.rect); w->geometry() != target) {
    if (auto* top = dynamic_cast<TopWindow*>(w)) {
      top->Place(target);
    } else {
      w->setGeometry(target);
    }
  }
  if (!s.visible) {
    w->hide();
  } else if (s.minimized) {
    w->showMinimized();
  } else {
    w->show();
  }
  if (s.visible && GetForegroundWindow() == s.hwnd) {
    w->raise();
    w->activateWindow();
  } else if (std::vector<HWND> order = Children(0); !order.empty() && order.back() == s.hwnd) {
    w->lower();
  }
  if (s.flashing) QApplication::alert(w);
}

std::optional<RECT> WidgetMirror::CellRect(HWND list, int32_t row, int32_t column) {
  QWidget* w = Find(list);
  return w ? ShownCell(w, row, column) : std::nullopt;
}

}  // namespace zq::ui::qt
