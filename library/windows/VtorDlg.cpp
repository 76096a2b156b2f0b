#include "windows/VtorDlg.h"

namespace {

// The box's layout in dialog units, in the box's font.
const zq::ui::Font kBoxFont{"Arial", 15, 400, false};
constexpr RECT kBoxSize{0, 0, 177, 56};
constexpr RECT kEditRect{7, 7, 7 + 163, 7 + 42};
constexpr RECT kCancelRect{160, 49, 160 + 10, 49 + 6};

}  // namespace

VtorDlg::VtorDlg(std::string text, COLORREF windowColour, COLORREF editColour, COLORREF textColour)
    : windowColour_(windowColour), editColour_(editColour), textColour_(textColour), text_(std::move(text)) {}

bool VtorDlg::Build() {
  RECT size = zq::ui::DialogUnitsToPixels(kBoxFont, kBoxSize);
  RECT screen = zq::ui::WorkArea();
  int32_t w = size.right;
  int32_t h = size.bottom;
  int32_t x = screen.left + (screen.right - screen.left - w) / 2;
  int32_t y = screen.top + (screen.bottom - screen.top - h) / 2;
  HWND dlg = CreateWindowExA(WS_EX_CLIENTEDGE, "", WS_POPUP | WS_BORDER, x, y, w, h, 0, 0,
                             [this](HWND hh, uint32_t m, WPARAM wp, LPARAM lp) { return Procedure(hh, m, wp, lp); });
  if (dlg == 0) return false;
  hwnd_ = dlg;
  zq::ui::Update(dlg, [](zq::ui::WindowState& s) { s.font = kBoxFont; });
  HWND edit = zq::ui::CreateControl(dlg, zq::ui::Kind::Edit, kEditId, "",
                                    zq::ui::DialogUnitsToPixels(kBoxFont, kEditRect),
                                    WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL);
  zq::ui::Update(edit, [](zq::ui::WindowState& s) {
    s.multiLine = true;
    s.readOnly = true;
    s.align = zq::ui::Align::Center;
  });
  edit_.Attach(edit);
  zq::ui::CreateControl(dlg, zq::ui::Kind::Button, kCancelId, "", zq::ui::DialogUnitsToPixels(kBoxFont, kCancelRect),
                        WS_CHILD | WS_DISABLED | WS_TABSTOP);
  return edit != 0;
}

bool VtorDlg::OnInitDialog() {
  // The data exchange puts the text into the edit.
  zq::ui::Update(edit_.Window(), [this](zq::ui::WindowState& s) { s.text = text_; });
  brushColour_ = windowColour_;
  zq::ui::Update(hwnd_, [this](zq::ui::WindowState& s) { s.backColour = brushColour_; });
  edit_.SetBackColour(editColour_);
  edit_.SetTextColour(textColour_);
  ShowWindow(hwnd_, SW_SHOW);
  up_ = true;
  return true;
}

intptr_t VtorDlg::DoModal() {
  if (ended_ || !Build()) {
    DestroyWindow();
    return -1;
  }
  OnInitDialog();
  intptr_t result = ended_ ? 0 : zq::ui::RunModal(hwnd_);
  DestroyWindow();
  return result;
}

void VtorDlg::EndDialog(intptr_t result) {
  ended_ = true;
  if (HWND h = hwnd_; h != 0) ::EndDialog(h, result);
}

void VtorDlg::DestroyWindow() {
  if (HWND h = hwnd_.exchange(0); h != 0) ::DestroyWindow(h);
  up_ = false;
}

LRESULT VtorDlg::Procedure(HWND hwnd, uint32_t message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      OnCancel();
      return 0;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == static_cast<WPARAM>(SC_CLOSE)) {
        OnCancel();
        return 0;
      }
      break;
    case WM_KEYDOWN:
      if (wParam == VK_ESCAPE) OnCancel();
      return 0;
    default:
      break;
  }
  return DefWindowProc(hwnd, message, wParam, lParam);
}
