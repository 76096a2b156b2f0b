// The presenter that mirrors the model with Qt Widgets on its GUI thread.
#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <QSystemTrayIcon>
#include <algorithm>
#include <cstdlib>
#include <map>
#include <mutex>
#include <tuple>
#include <vector>

#include "../Presenter.h"
#include "ExitHook.h"
#include "GuiThread.h"
#include "MirrorLook.h"
#include "QuestionDialogs.h"
#include "WidgetMirror.h"

namespace zq::ui::detail {

namespace {

using qt::GuiThread;
using qt::WidgetMirror;

class QtPresenter final : public Presenter {
 public:
  bool Start() {
    gui_ = GuiThread::Start([this] {
      questions_.reset();
      mirror_.reset();
    });
    if (!gui_) return false;
    gui_->Call([this] {
      mirror_ = std::make_unique<WidgetMirror>();
      questions_ = std::make_unique<qt::QuestionDialogs>();
      trayAvailable_ = QSystemTrayIcon::isSystemTrayAvailable();
    });
    // The GUI thread ends, and its widgets go, before any static object of Qt or of ours.
    qt::SetExitHook([this] { gui_->Stop(); });
    return true;
  }

  std::string_view Name() const override { return "qt"; }

  void Changed(HWND hwnd) override {
    gui_->Post([this, hwnd] {
      if (mirror_) mirror_->Sync(hwnd);
    });
  }
  void TrayChanged() override {
    gui_->Post([this] {
      if (mirror_) mirror_->SyncTray();
    });
  }
  bool TrayAvailable() override { return trayAvailable_; }

  FontMetrics Measure(const Font& font) override {
    auto key = std::make_tuple(font.face, font.points, font.weight, font.italic);
    {
      std::lock_guard hold(metricsLock_);
      if (auto it = metrics_.find(key); it != metrics_.end()) return it->second;
    }
    FontMetrics fm;
    gui_->Call([&] {
      QFontMetrics m(qt::FontOf(font));
      // The average of the 52 letters, rounded as Windows does.
      int letters = m.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
      fm = FontMetrics{(letters / 26 + 1) / 2, m.height()};
    });
    std::lock_guard hold(metricsLock_);
    metrics_[key] = fm;
    return fm;
  }

  std::vector<RECT> WorkAreas() override {
    std::vector<RECT> areas;
    gui_->Call([&] {
      QScreen* primary = QGuiApplication::primaryScreen();
      QList<QScreen*> screens = QGuiApplication::screens();
      std::stable_partition(screens.begin(), screens.end(), [&](QScreen* s) { return s == primary; });
      for (QScreen* s : screens) {
        QRect g = s->availableGeometry();
        areas.push_back(RECT{g.left(), g.top(), g.left() + g.width(), g.top() + g.height()});
      }
    });
    if (areas.empty()) areas.push_back(RECT{0, 0, 1920, 1080});
    return areas;
  }

  uint32_t TrackMenu(const TrackedMenu& menu) override {
    uint32_t choice = 0;
    gui_->Call([&] {
      if (mirror_) choice = mirror_->ExecMenu(menu);
    });
    return choice;
  }
  void ChooseInOpenMenu(uint32_t command) override {
    gui_->Post([this, command] {
      if (mirror_) mirror_->Choose(command);
    });
  }

  void ShowQuestion(uint64_t id, const Question& q, std::function<void(const Answer&)> done) override {
    gui_->Post([this, id, q, done = std::move(done)] {
      if (!questions_) return done(Answer::Cancelled());
      questions_->Show(id, q, mirror_->TopLevelWidget(q.owner), done);
    });
  }
  void EndQuestion(uint64_t id) override {
    gui_->Post([this, id] {
      if (questions_) questions_->End(id);
    });
  }

  RECT CellRect(const WindowState& list, int32_t row, int32_t column) override {
    std::optional<RECT> shown;
    gui_->Call([&] {
      if (mirror_) shown = mirror_->CellRect(list.hwnd, row, column);
    });
    return shown ? *shown : LaidOutCell(list, row, column);
  }

  bool Grab(HWND hwnd, const std::string& pngFile) override {
    bool ok = false;
    gui_->Call([&] { ok = mirror_ && mirror_->Grab(hwnd, pngFile); });
    return ok;
  }

  std::optional<Image> GrabImage(HWND hwnd) override {
    std::optional<Image> image;
    gui_->Call([&] {
      if (mirror_) image = mirror_->GrabImage(hwnd);
    });
    return image;
  }

  void Flush() override {
    gui_->Call([] {});
  }

 private:
  std::unique_ptr<GuiThread> gui_;
  std::unique_ptr<WidgetMirror> mirror_;  // used on the GUI thread only
  std::unique_ptr<qt::QuestionDialogs> questions_;  // the same
  bool trayAvailable_ = false;
  std::mutex metricsLock_;
  std::map<std::tuple<std::string, int32_t, int32_t, bool>, FontMetrics> metrics_;
};

}  // namespace

std::unique_ptr<Presenter> MakeQtPresenter() {
  auto p = std::make_unique<QtPresenter>();
  if (!p->Start()) return nullptr;
  return p;
}

}  // namespace zq::ui::detail
