// The credentials dialog of the window model: a caption, a message, a user name and a password
// field, OK and Cancel. The dialog runs modal on the calling thread (owned by no window when the
// parent is 0) and blocks it until it is answered: by the user, or through the answer seam of
// questions.h, where it is a program window (a button answer presses OK or Cancel, a cancel
// closes it; the fields are there to fill before). The null presenter shows nothing, and
// nobody is there to answer later: an answer already waiting is taken, else the dialog is
// cancelled at once, as the file dialogs are. Texts are in the ANSI code page.
#pragma once
#include <cstdint>

#include "zqplatform/handles.h"
#include "zqplatform/ui.h"

struct CREDUI_INFOA {
  uint32_t cbSize;
  HWND hwndParent;
  const char* pszMessageText;
  const char* pszCaptionText;
  void* hbmBanner;  // not shown
};

constexpr uint32_t CREDUI_MAX_USERNAME_LENGTH = 513;
constexpr uint32_t CREDUI_MAX_PASSWORD_LENGTH = 256;

constexpr DWORD CREDUI_FLAGS_DO_NOT_PERSIST = 0x00002;
constexpr DWORD CREDUI_FLAGS_ALWAYS_SHOW_UI = 0x00080;
constexpr DWORD CREDUI_FLAGS_GENERIC_CREDENTIALS = 0x40000;

constexpr DWORD NO_ERROR = 0;
constexpr DWORD ERROR_INSUFFICIENT_BUFFER = 122;
constexpr DWORD ERROR_CANCELLED = 1223;

// Control numbers of the dialog's fields.
constexpr int32_t kCredentialsUserField = 1001;
constexpr int32_t kCredentialsPasswordField = 1002;

// Shows the dialog with the buffers' texts in the fields (userName and password hold
// terminated texts of at most userNameMax - 1 and passwordMax - 1 bytes). NO_ERROR when the
// user pressed OK: the buffers then hold the entered texts; ERROR_CANCELLED for Cancel or the
// close button; ERROR_INSUFFICIENT_BUFFER, buffers unchanged, when an entry does not fit its
// buffer; ERROR_INVALID_PARAMETER for a missing buffer or size. Nothing is saved (save may be
// null).
DWORD CredUIPromptForCredentialsA(const CREDUI_INFOA* info, const char* targetName, void* reserved,
                                  DWORD authError, char* userName, uint32_t userNameMax, char* password,
                                  uint32_t passwordMax, int32_t* save, DWORD flags);
