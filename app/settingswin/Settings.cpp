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
    WINPOSCLASS centre;  // the main window's own positions are its thread's
    centre.INIT(MWHANDLE);
    centre.CENTERWIN(w_.Handle());
    w_.SetTitle(kTitle);
    BindControls();
    InitEditor(video_, VEXTENSIONS, sw::VideoList, kExtensionSpec);
    InitEditor(audio_, AEXTENSIONS, sw::AudioList, kExtensionSpec);
    InitEditor(folders_, QNOSCAN, sw::NoScanList, kFolderSpec);
    st_.RESIZEIMAGE &= 3;
    ST.Set(st_);
    locResize_ = kResizeNames[st_.RESIZEIMAGE];
    shown_.Display(w_);
    while (w_.Accept()) {
      // What a control accepted is in effect at once: the window publishes its copy whole.
      ST.Set(st_);
      if (video_.CHECKEVENT() != 0 || audio_.CHECKEVENT() != 0 || folders_.CHECKEVENT() != 0) continue;
      if (w_.Event() == zq::rt::kTimer && ABORTALL) break;
      if (w_.Event() == zq::rt::kAccepted && w_.Field() == sw::OkButton) {
        shown_.TakeChanged(w_);
        ST.Set(st_);
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
    BindCatalog(st_.CAT1, sw::Cat1Allign, sw::Cat1DX, sw::Cat1DY, sw::Cat1Scale, sw::Cat1Cols, sw::Cat1Rows,
                sw::Cat1Top, sw::Cat1Bot, sw::Cat1TextBot, sw::Cat1FSize);
    BindCatalog(st_.CAT2, sw::Cat2Allign, sw::Cat2DX, sw::Cat2DY, sw::Cat2Scale, sw::Cat2Cols, sw::Cat2Rows,
                sw::Cat2Top, sw::Cat2Bot, sw::Cat2TextBot, sw::Cat2FSize);
    w_.Use(sw::CatBgX, Bind(st_.CATBG.X));
    w_.Use(sw::CatBgY, Bind(st_.CATBG.Y));
    w_.Use(sw::CatBgW, Bind(st_.CATBG.W));
    w_.Use(sw::CatBgH, Bind(st_.CATBG.H));
    w_.Use(sw::CatBgAct, Bind(st_.CATBG.ACT));
    BindPicture(st_.ACR, sw::IconName, sw::IconResize, sw::IconFilter, sw::IconWidth, sw::IconHeight, sw::IconKeepAR);
    BindPicture(st_.ABR, sw::BackName, sw::BackResize, sw::BackFilter, sw::BackWidth, sw::BackHeight, sw::BackKeepAR);
    w_.Use(sw::BackX, Bind(st_.ABR.DFX));
    w_.Use(sw::BackY, Bind(st_.ABR.DFY));
    w_.Use(sw::BackW, Bind(st_.ABR.DFW));
    w_.Use(sw::BackH, Bind(st_.ABR.DFH));
    w_.Use(sw::DeleteAfterConvert, Bind(st_.DELAC));
    w_.Use(sw::FontSize, Bind(st_.EXPFONTSIZE));
    w_.Use(sw::ConfirmDelete, Bind(st_.CONFIRMDELETE));
    w_.Use(sw::ViewResize, ChoiceBinding(locResize_, "None|Bigger|Smaller|Both"));
    w_.Use(sw::StripAlpha, Bind(st_.STRIPALPHA));
    w_.Use(sw::BackgroundImage, Bind(st_.BACKGROUND));
  }

  Window w_;
  SETTINGSGROUP st_ = ST.Get();  // the controls' values, published to ST as they are accepted
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
  const std::string name(locResize.substr(0, static_cast<size_t>(TLEN(locResize))));
  DUMS.SET(name, static_cast<int32_t>(name.size()));
  uint8_t resize = 0;
  if (DUMS.COMPARENC("Bigger", -1, 0) == 0) resize = 5;
  if (DUMS.COMPARENC("Smaller", -1, 0) == 0) resize = 6;
  if (DUMS.COMPARENC("Both", -1, 0) == 0) resize = 7;
  ST.Change([resize](SETTINGSGROUP& st) {
    if (st.STRIPALPHA != 0) st.STRIPALPHA = 1;
    st.RESIZEIMAGE = resize;
  });
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
