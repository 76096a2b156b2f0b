// The credentials dialog: a window of the model run modal on the calling thread, open as a
// question of the answer seam while it runs.
#include <cstring>
#include <optional>
#include <string>

#include "zqplatform/credui.h"
#include "zqplatform/msgbox.h"
#include "zqplatform/questions.h"
#include "zqplatform/uimodel.h"

namespace {

constexpr int32_t kWidth = 360;
constexpr int32_t kHeight = 170;

struct Entry {
  std::string user;
  std::string password;
  std::optional<intptr_t> ended;  // the button that ended the dialog
};

std::string TextOf(HWND field) {
  auto s = zq::ui::Snapshot(field);
  return s ? s->text : std::string();
}

// The dialog's window with its controls; the procedure ends the modal loop with the answer.
HWND CreateDialogWindow(const CREDUI_INFOA* info, const char* user, const char* password, Entry& entry) {
  const char* caption = info && info->pszCaptionText ? info->pszCaptionText : "Connect";
  const char* message = info && info->pszMessageText ? info->pszMessageText : "";
  RECT area = zq::ui::WorkArea();
  int32_t x = area.left + (area.right - area.left - kWidth) / 2;
  int32_t y = area.top + (area.bottom - area.top - kHeight) / 2;
  HWND dialog = CreateWindowExA(0, caption, WS_POPUP | WS_CAPTION | WS_SYSMENU, x, y, kWidth, kHeight,
                           0, info ? info->hwndParent : 0,
                           [&entry](HWND hwnd, uint32_t message, WPARAM wParam, LPARAM lParam) -> LRESULT {
                             if (message == WM_COMMAND && (wParam & 0xFFFF) == IDOK) {
                               entry.user = TextOf(GetDlgItem(hwnd, kCredentialsUserField));
                               entry.password = TextOf(GetDlgItem(hwnd, kCredentialsPasswordField));
                               entry.ended = IDOK;
                               EndDialog(hwnd, IDOK);
                               return 0;
                             }
                             if ((message == WM_COMMAND && (wParam & 0xFFFF) == IDCANCEL) || message == WM_CLOSE) {
                               entry.ended = IDCANCEL;
                               EndDialog(hwnd, IDCANCEL);
                               return 0;
                             }
                             return DefWindowProc(hwnd, message, wParam, lParam);
                           });
  if (!dialog) return 0;
  using zq::ui::CreateControl;
  using zq::ui::Kind;
  constexpr uint32_t kVisible = WS_CHILD | WS_VISIBLE;
  // In a field, Enter presses OK and Escape presses Cancel.
  auto fieldKeys = [dialog](HWND hwnd, uint32_t message, WPARAM wParam, LPARAM lParam) -> LRESULT {
    if (message == WM_KEYDOWN && (wParam == VK_RETURN || wParam == VK_ESCAPE)) {
      PostMessage(dialog, WM_COMMAND, wParam == VK_RETURN ? IDOK : IDCANCEL, 0);
      return 0;
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
  };
  CreateControl(dialog, Kind::Text, 0, message, RECT{12, 12, kWidth - 12, 30});
  CreateControl(dialog, Kind::Text, 0, "User name:", RECT{12, 46, 100, 64});
  CreateControl(dialog, Kind::Edit, kCredentialsUserField, user, RECT{104, 42, kWidth - 12, 66}, kVisible | WS_TABSTOP,
                fieldKeys);
  CreateControl(dialog, Kind::Text, 0, "Password:", RECT{12, 80, 100, 98});
  CreateControl(dialog, Kind::Edit, kCredentialsPasswordField, password, RECT{104, 76, kWidth - 12, 100},
                kVisible | WS_TABSTOP | ES_PASSWORD, fieldKeys);
  CreateControl(dialog, Kind::Button, IDOK, "OK", RECT{kWidth - 184, 122, kWidth - 100, 148}, kVisible | WS_TABSTOP);
  CreateControl(dialog, Kind::Button, IDCANCEL, "Cancel", RECT{kWidth - 92, 122, kWidth - 12, 148}, kVisible | WS_TABSTOP);
  return dialog;
}

// The null presenter shows nothing and nobody is there to answer later: an answer already given
// (queued through the seam) is taken, else the dialog counts as cancelled.
intptr_t AnswerWithoutAPresenter(HWND dialog, const Entry& entry) {
  MSG msg;
  while (!entry.ended && PeekMessage(&msg, dialog, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
  return entry.ended.value_or(IDCANCEL);
}

}  // namespace

DWORD CredUIPromptForCredentialsA(const CREDUI_INFOA* info, const char*, void*, DWORD, char* userName,
                                  uint32_t userNameMax, char* password, uint32_t passwordMax, int32_t* save, DWORD) {
  if (!userName || !password || userNameMax == 0 || passwordMax == 0) return ERROR_INVALID_PARAMETER;
  if (save) *save = 0;
  Entry entry;
  HWND dialog = CreateDialogWindow(info, std::string(userName, strnlen(userName, userNameMax)).c_str(),
                                   std::string(password, strnlen(password, passwordMax)).c_str(), entry);
  if (!dialog) return ERROR_INVALID_PARAMETER;
  ShowWindow(dialog, SW_SHOW);
  SetForegroundWindow(dialog);
  SetFocus(GetDlgItem(dialog, userName[0] ? kCredentialsPasswordField : kCredentialsUserField));
  zq::ui::OpenQuestion(dialog);
  intptr_t answer = zq::ui::PresenterName() == "null" ? AnswerWithoutAPresenter(dialog, entry) : zq::ui::RunModal(dialog);
  zq::ui::CloseQuestion(dialog);
  DestroyWindow(dialog);
  if (answer != IDOK) return ERROR_CANCELLED;
  if (entry.user.size() >= userNameMax || entry.password.size() >= passwordMax) return ERROR_INSUFFICIENT_BUFFER;
  std::memcpy(userName, entry.user.c_str(), entry.user.size() + 1);
  std::memcpy(password, entry.password.c_str(), entry.password.size() + 1);
  return NO_ERROR;
}
