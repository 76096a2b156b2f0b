// The program's error and message dialogs. Each is modal on the calling thread; owner 0
// means no owner window, a time-out in milliseconds.
#pragma once
#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>

#include "zqplatform/messages.h"

// The error dialog's answers, which are also its buttons' roles; kNoAnswer for a time-out.
enum DialogAnswer : uint8_t { kNoAnswer = 0, kOk, kCancel, kAbort, kRetry, kIgnore, kSkip, kYes, kNo, kIgnoreAll };

// The error dialog's button sets that the program uses.
enum ErrorButtons : uint8_t {
  kAbortOnly = 7,         // Abort: an error that ends a catalog rebuild
  kCancelIgnoreAll = 10,  // Cancel, Ignore and Ignore All: a per-item error of a long job
  kOkOnly = 99,           // OK: a single report
};

// The error dialog: message, failing procedure, details and code with one of the numbered
// button sets; the button pressed (OK 1 ... Ignore All 9), 0 when set 0 times out.
uint8_t ERRORMSG(std::string_view message, std::string_view procedure, std::string_view details,
                 int16_t errorCode, uint8_t buttonSet, int16_t timeoutMs, HWND owner);

// The error dialog's details for a failure on a path: the path and the system's reason in
// words ("D:\Films\folder.jpg - the disk is full"); the path alone for system error 0.
std::string FailureDetails(std::string_view path, uint32_t systemError);

// One line of text with the numbered button sets; 0 for Esc or a time-out.
uint8_t MSGBOX(std::string_view text, int16_t buttonSet, int16_t timeoutMs, HWND owner);

// A notice of several lines without buttons; alignment 0 centre, 1 left, 2 right.
void MBOX(std::string_view text, int16_t timeoutMs, uint8_t alignment, HWND owner);

// The program's close: once *closing is non-zero, a dialog open on any other thread than the
// one that called this closes at its next event (at most 0.2 s) as cancelled: ERRORMSG
// answers 2 (Cancel), MSGBOX 0, MBOX just closes. Null: no such flag.
void SetDialogsClosingFlag(const std::atomic<uint8_t>* closing);
