// The plain message box of the window model; works with either presenter.
#pragma once
#include <cstdint>

#include "zqplatform/messages.h"

constexpr uint32_t MB_OK = 0x00000000;
constexpr uint32_t MB_OKCANCEL = 0x00000001;
constexpr uint32_t MB_ABORTRETRYIGNORE = 0x00000002;
constexpr uint32_t MB_YESNOCANCEL = 0x00000003;
constexpr uint32_t MB_YESNO = 0x00000004;
constexpr uint32_t MB_RETRYCANCEL = 0x00000005;
constexpr uint32_t MB_ICONHAND = 0x00000010;
constexpr uint32_t MB_ICONQUESTION = 0x00000020;
constexpr uint32_t MB_ICONEXCLAMATION = 0x00000030;
constexpr uint32_t MB_ICONASTERISK = 0x00000040;

constexpr int32_t IDOK = 1;
constexpr int32_t IDCANCEL = 2;
constexpr int32_t IDABORT = 3;
constexpr int32_t IDRETRY = 4;
constexpr int32_t IDIGNORE = 5;
constexpr int32_t IDYES = 6;
constexpr int32_t IDNO = 7;

// Shows a modal message box owned by owner (0: none) and returns the button pressed.
// Texts are in the ANSI code page.
int32_t MessageBoxA(HWND owner, const char* text, const char* caption, uint32_t type);
