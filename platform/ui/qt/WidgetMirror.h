// The widgets that mirror the model, made and changed on the GUI thread only.
#pragma once
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "TrayClicks.h"
#include "zqplatform/uimodel.h"

class QMenu;
class QSystemTrayIcon;

namespace zq::ui::qt {

class WidgetMirror : public QObject {
 public:
  WidgetMirror();
  ~WidgetMirror() override;

  void Sync(HWND hwnd);
  void SyncTray();
  uint32_t ExecMenu(const TrackedMenu& menu);
  void Choose(uint32_t command);
  // A shown list's cell in pixels of its parent; none when the list is not shown.
  std::optional<RECT> CellRect(HWND list, int32_t row, int32_t column);
  bool Grab(HWND hwnd, const std::string& pngFile);
  std::optional<Image> GrabImage(HWND hwnd);
  bool Syncing() const { return syncing_; }

 protected:
  // Keys, double clicks and right clicks of every mirrored widget become model input.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* Make(const WindowState& s);
  void Apply(QWidget* w, const WindowState& s);
  void ApplyTopLevel(QWidget* w, const WindowState& s);
  void ApplyKind(QWidget* w, const WindowState& s);
  void Connect(QWidget* w, const WindowState& s);
  QWidget* Find(HWND hwnd);

  std::map<HWND, QPointer<QWidget>> widgets_;
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

// The Windows virtual-key code of a Qt key (0 when there is none).
uint32_t VirtualKey(int qtKey);
// Qt's text from the ANSI code page and back.
QString FromAnsi(const std::string& ansi);
std::string ToAnsi(const QString& text);

}  // namespace zq::ui::qt
