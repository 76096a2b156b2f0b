// WINPOSCLASS: a window's position as a short text and back, centring a window over an owner
// window (from any thread), and moving and sizing a window's controls by a rule per control
// when the window is resized. Screen rectangles are pixels (VTWinGetSize, VTWinSetSize);
// window and control positions are the runtime's dialog units.
//
// A rule keeps a control's distance to a corner (rp, a ResizeCorner) of the window or of
// another control (rr), and changes its size by the bits of rs (ResizeGrowth): with the
// window, as a share of the window, or with the relative control.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "hostlib/ResizeRules.h"
#include "zqplatform/messages.h"
#include "zqruntime/window.h"

// The position text of a window: "x,y,width,height" in decimal.
std::string WinPosText(const zq::rt::DlgRect& at);
// The four numbers of a position text, missing and non-numeric items as 0.
zq::rt::DlgRect WinPosFromText(std::string_view text);

class WINPOSCLASS {
 public:
  struct Rule {
    int32_t FNR = 0;  // control number
    int32_t XL = 0, YT = 0, WI = 0, HE = 0;  // its box when the rules were recorded
    int16_t RP = kTopLeft;
    int16_t RS = 0;
    int32_t RR = 0;  // relative control, 0: the window
  };

  WINPOSCLASS() = default;
  WINPOSCLASS(const WINPOSCLASS&) = delete;
  WINPOSCLASS& operator=(const WINPOSCLASS&) = delete;

  // Binds an owner window for centring (0: none).
  void INIT(HWND ownerHandle);
  // Binds w for resizing: its base size, its minimum and maximum sizes and, with resize, a
  // rule (rp, rs) for every control.
  void INIT(zq::rt::Window& w, uint8_t minSize, uint8_t maxSize, uint8_t resize, int16_t rp, int16_t rs);
  void GETMAINWINPOS();
  // Centres the window with that handle over the owner; nothing without an owner.
  void CENTERWIN(HWND handle);
  // The calling thread's current window from a position text, or, when the text is blank,
  // partial, zero-sized or off the screen, at its designed size centred on the screen.
  void SETSTRWINPOS(std::string_view pos);
  std::string GETSTRWINPOS() const;
  void INITRESIZE(int16_t rp, int16_t rs);
  // Changes a control's rule; with inside, also the rules of the controls lying wholly within it.
  void SET(int32_t control, int16_t rp, int16_t rs, uint8_t inside, int32_t rr);
  void RESIZE();
  // 0, -1 when the control has no rule, -2 when its relative controls form a loop.
  int16_t RESIZECONTROL(int32_t control);

  HWND MAINHANDLE = 0;
  int32_t MSW_X = 0, MSW_Y = 0, MSW_W = 0, MSW_H = 0;
  int32_t CLA_X = 0, CLA_Y = 0, CLA_W = 0, CLA_H = 0;
  const std::vector<Rule>& Rules() const { return QWR; }

 private:
  Rule* RuleOf(int32_t control);
  // The size bits: the control's new width and height.
  void DoResize(const Rule& rule, const zq::rt::DlgRect& window, const Rule* relative,
                const zq::rt::DlgRect* relativeNow, int32_t& width, int32_t& height) const;

  zq::rt::Window* MWINCONTROL = nullptr;
  std::vector<Rule> QWR;
  std::vector<int32_t> RCC;  // controls already handled in one resize step
};
