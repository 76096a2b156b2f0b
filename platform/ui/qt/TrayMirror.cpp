// The tray icon of the model: its picture and tip, and its clicks as model input.
#include <QApplication>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <chrono>

#include "KeysAndText.h"
#include "WidgetMirror.h"
#include "zqplatform/uiinput.h"

namespace zq::ui::qt {

void WidgetMirror::SyncTray() {
  TrayState t = Tray();
  if (!t.present) {
    tray_.reset();
    return;
  }
  if (!tray_) {
    tray_ = std::make_unique<QSystemTrayIcon>();
    QObject::connect(tray_.get(), &QSystemTrayIcon::activated, [this](QSystemTrayIcon::ActivationReason r) {
      using Activation = TrayClicks::Activation;
      const Activation a = r == QSystemTrayIcon::Trigger       ? Activation::Single
                           : r == QSystemTrayIcon::DoubleClick ? Activation::Double
                                                               : Activation::Other;
      const auto now = std::chrono::duration_cast<std::chrono::milliseconds>(
          std::chrono::steady_clock::now().time_since_epoch());
      if (trayClicks_.Completes(a, now.count(), QApplication::doubleClickInterval())) input::TrayDoubleClick();
      if (r == QSystemTrayIcon::Context) input::TrayRightClick();
    });
  }
  QPixmap p;
  std::string image = IconImage(t.icon);
  if (p.loadFromData(reinterpret_cast<const uchar*>(image.data()), static_cast<uint>(image.size()))) {
    tray_->setIcon(QIcon(p));
  }
  tray_->setToolTip(FromAnsi(t.tip));
  tray_->show();
}

}  // namespace zq::ui::qt
