// SETTINGS: the settings window over the program's settings group and tables.
#include <atomic>
#include <string>

#include "app/EditedControls.h"
#include "app/SettingsWindow.h"
#include "app/State.h"
#include "hostlib/EditIP.h"
#include "hostlib/Procedures.h"
#include "hostlib/Wrappers.h"
#include "orvid/controlnumbers.h"
#include "orvid/windows.h"
#include "zqplatform/ui.h"
#include "zqruntime/window.h"

namespace {

namespace sw = orvid::res::Settings;
using zq::rt::Bind;
using zq::rt::Binding;
using zq::rt::Window;

constexpr const char* kTitle = "Settings - V2.191 - Orvid, the media disk maker";
constexpr const char* kExtensionSpec = "1~U;2;$3";
constexpr const char* kFolderSpec = "1~U";
constexpr const char* kResizeNames[] = {"None", "Bigger", "Smaller", "Both"};

// The window open now on any thread: claimed before it opens, its handle once it is open.
std::atomic<bool> claimed{false};
std::atomic<HWND> openWindow{0};

// A text cut to the characters its setting holds.
Binding Text(std::string& value, size_t characters) {
  return Binding{[&value] { return value; },
                 [&value, characters](std::string_view t) { value = std::string(t.substr(0, characters)); }};
}

class SettingsWindow {
 public:
  SettingsWindow() : w_(orvid::res::WindowDefinition("Settings")) {}

  void Run() {
    w_.Open();
    openWindow = w_.Handle();
    MWWINPOS.CENTERWIN(w_.Handle());
    w_.SetTitle(kTitle);
    BindControls();
    InitEditor(video_, VEXTENSIONS, sw::VideoList, kExtensionSpec);
    InitEditor(audio_, AEXTENSIONS, sw::AudioList, kExtensionSpec);
    InitEditor(folders_, QNOSCAN, sw::NoScanList, kFolderSpec);
    ST.RESIZEIMAGE &= 3;
    locResize_ = kResizeNames[ST.RESIZEIMAGE];
    shown_.Display(w_);
    while (w_.Accept()) {
      if (video_.CHECKEVENT() != 0 || audio_.CHECKEVENT() != 0 || folders_.CHECKEVENT() != 0) continue;
      if (w_.Event() == zq::rt::kTimer && ABORTALL) break;
      if (w_.Event() == zq::rt::kAccepted && w_.Field() == sw::OkButton) {
        shown_.TakeChanged(w_);
        R$CHECKVALUES(locResize_);
        break;
      }
    }
    openWindow = 0;
    w_.Close();
  }

 private:
  void InitEditor(EDITIP& editor, zq::rt::Queue& queue, int32_t list, const char* spec) {
    w_.From(list, queue);
    editor.SORTALLOWED = 1;
    editor.INSALLOWED = 1;
    editor.DELALLOWED = 1;
    editor.INIT(queue, list, spec);
  }

  void BindCatalog(CATLAYOUT& c, int32_t allign, int32_t dx, int32_t dy, int32_t scale, int32_t cols, int32_t rows,
                   int32_t top, int32_t bot, int32_t textBot, int32_t fsize) {
    w_.Use(allign, ChoiceBinding(c.ALLIGN, "Top|Center|Bottom"));
    w_.Use(dx, Bind(c.DX));
    w_.Use(dy, Bind(c.DY));
    w_.Use(scale, Bind(c.SCALE));
    w_.Use(cols, Bind(c.COLS));
    w_.Use(rows, Bind(c.ROWS));
    w_.Use(top, Bind(c.TOP));
    w_.Use(bot, Bind(c.BOT));
    w_.Use(textBot, Bind(c.TEXTBOT));
    w_.Use(fsize, ChoiceBinding(c.FSIZE, "Normal|Small"));
  }

  void BindPicture(PICTURERULE& p, int32_t name, int32_t resize, int32_t filter, int32_t width, int32_t height,
                   int32_t keep) {
    w_.Use(name, Text(p.NAME, 63));
    w_.Use(resize, ChoiceBinding(p.RESIZE, "None|Bigger|Smaller|Both"));
    w_.Use(filter, ChoiceBinding(p.FILTER, "Fast|Bicubic|Bilinear"));
    w_.Use(width, Bind(p.WIDTH));
    w_.Use(height, Bind(p.HEIGHT));
    w_.Use(keep, Bind(p.KEEPAR));
  }

  void BindControls() {
    BindCatalog(ST.CAT1, sw::Cat1Allign, sw::Cat1DX, sw::Cat1DY, sw::Cat1Scale, sw::Cat1Cols, sw::Cat1Rows,
                sw::Cat1Top, sw::Cat1Bot, sw::Cat1TextBot, sw::Cat1FSize);
    BindCatalog(ST.CAT2, sw::Cat2Allign, sw::Cat2DX, sw::Cat2DY, sw::Cat2Scale, sw::Cat2Cols, sw::Cat2Rows,
                sw::Cat2Top, sw::Cat2Bot, sw::Cat2TextBot, sw::Cat2FSize);
    w_.Use(sw::CatBgX, Bind(ST.CATBG.X));
    w_.Use(sw::CatBgY, Bind(ST.CATBG.Y));
    w_.Use(sw::CatBgW, Bind(ST.CATBG.W));
    w_.Use(sw::CatBgH, Bind(ST.CATBG.H));
    w_.Use(sw::CatBgAct, Bind(ST.CATBG.ACT));
    BindPicture(ST.ACR, sw::IconName, sw::IconResize, sw::IconFilter, sw::IconWidth, sw::IconHeight, sw::IconKeepAR);
    BindPicture(ST.ABR, sw::BackName, sw::BackResize, sw::BackFilter, sw::BackWidth, sw::BackHeight, sw::BackKeepAR);
    w_.Use(sw::BackX, Bind(ST.ABR.DFX));
    w_.Use(sw::BackY, Bind(ST.ABR.DFY));
    w_.Use(sw::BackW, Bind(ST.ABR.DFW));
    w_.Use(sw::BackH, Bind(ST.ABR.DFH));
    w_.Use(sw::DeleteAfterConvert, Bind(ST.DELAC));
    w_.Use(sw::FontSize, Bind(ST.EXPFONTSIZE));
    w_.Use(sw::ConfirmDelete, Bind(ST.CONFIRMDELETE));
    w_.Use(sw::ViewResize, ChoiceBinding(locResize_, "None|Bigger|Smaller|Both"));
    w_.Use(sw::StripAlpha, Bind(ST.STRIPALPHA));
    w_.Use(sw::BackgroundImage, Bind(ST.BACKGROUND));
  }

  Window w_;
  EDITIP video_;
  EDITIP audio_;
  EDITIP folders_;
  std::string locResize_;
  EditedControls shown_;
};

// The settings module's work string.
XSTRING DUMS;

}  // namespace

uint8_t R$CHECKVALUES(std::string_view locResize) {
  if (ST.STRIPALPHA != 0) ST.STRIPALPHA = 1;
  const std::string name(locResize.substr(0, static_cast<size_t>(TLEN(locResize))));
  DUMS.SET(name, static_cast<int32_t>(name.size()));
  ST.RESIZEIMAGE = 0;
  if (DUMS.COMPARENC("Bigger", -1, 0) == 0) ST.RESIZEIMAGE = 5;
  if (DUMS.COMPARENC("Smaller", -1, 0) == 0) ST.RESIZEIMAGE = 6;
  if (DUMS.COMPARENC("Both", -1, 0) == 0) ST.RESIZEIMAGE = 7;
  return 0;
}

void SETTINGS() {
  if (claimed.exchange(true)) {
    if (HWND open = openWindow.load(); open != 0) {
      ::ShowWindow(open, SW_RESTORE);
      ::SetForegroundWindow(open);
    }
    return;
  }
  {
    SettingsWindow window;
    window.Run();
  }
  claimed = false;
}
