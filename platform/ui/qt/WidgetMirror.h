// The widgets that mirror the model, made and changed on the GUI thread only. The mirror keeps
// what all widgets share (geometry, colours, fonts, focus, visibility, input filtering) and
// leaves each kind's own widget and properties to its entry in kinds/KindMirror.h.
#pragma once
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "InputBlock.h"
#include "TrayClicks.h"
#include "zqplatform/uimodel.h"

class QMenu;
class QSystemTrayIcon;

namespace zq::ui::qt {

struct KindMirror;

class WidgetMirror : public QObject {
 public:
  WidgetMirror();
  ~WidgetMirror() override;

  void Sync(HWND hwnd);
  bool Syncing() const { return syncing_; }
  // The shown top-level widget of a window or control (none when not shown).
  QWidget* TopLevelWidget(HWND hwnd);

  // The tray icon (TrayMirror.cpp).
  void SyncTray();
  // Tracked popup menus (MenuMirror.cpp).
  uint32_t ExecMenu(const TrackedMenu& menu);
  void Choose(uint32_t command);
  // A shown list's cell in pixels of its parent; none when the list is not shown.
  std::optional<RECT> CellRect(HWND list, int32_t row, int32_t column);
  // Pictures of shown windows (Grabs.cpp).
  bool Grab(HWND hwnd, const std::string& pngFile);
  std::optional<Image> GrabImage(HWND hwnd);

 protected:
  // Keys, clicks and double clicks of every mirrored widget become model input.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Mirrored {
    QPointer<QWidget> widget;
    const KindMirror* kind = nullptr;
  };

  // The widget factory (WidgetFactory.cpp): makes the widget and wires its input.
  QWidget* Make(const WindowState& s);
  void Watch(QWidget* part, HWND hwnd);

  void Apply(QWidget* w, const WindowState& s);
  void ApplyTopLevel(QWidget* w, const WindowState& s);
  void ApplyFocusPolicy(QWidget* w, const WindowState& s);
  Mirrored* FindMirrored(HWND hwnd);
  QWidget* Find(HWND hwnd);

  std::map<HWND, Mirrored> widgets_;
  InputBlock block_;
  std::unique_ptr<QSystemTrayIcon> tray_;
  TrayClicks trayClicks_;
  QMenu* openMenu_ = nullptr;
  std::optional<uint32_t> chosen_;
  std::optional<uint32_t> pendingChoice_;
  bool syncing_ = false;
  const QEvent* keyEvent_ = nullptr;  // the key press last made input, while it is delivered
  quint64 keyTime_ = 0;
  QPointer<QObject> keyReceiver_;
};

// The window handle a mirrored widget, or a watched part of one, stands for (0 for none).
HWND HandleOf(const QObject* o);

}  // namespace zq::ui::qt
