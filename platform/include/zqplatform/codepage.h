// Code pages: the process's ANSI code page and conversions between it, UTF-8 and UTF-16.
//
// The ANSI code page is UTF-8 (65001) unless ZQ_ACP=1252 is set when the process starts.
// In UTF-8 mode every byte that is not part of a valid UTF-8 sequence converts to the
// unit 0xDC00 + byte and the units 0xDC80..0xDCFF convert back to those bytes, so any byte
// text survives the trip through UTF-16. In 1252 mode every byte has a unit of its own
// (the five bytes the code page leaves undefined map to U+0081, U+008D, U+008F, U+0090, U+009D).
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "zqplatform/oleauto.h"

constexpr uint32_t CP_ACP = 0;
constexpr uint32_t CP_THREAD_ACP = 3;
constexpr uint32_t CP_1252 = 1252;
constexpr uint32_t CP_UTF8 = 65001;

extern "C" {
// The process's ANSI code page: 65001 or 1252.
uint32_t GetACP(void);

// Windows semantics: srcLen -1 means up to and including the terminating zero; dstLen 0
// asks for the size needed; returns the number of units written (or needed), 0 on failure
// (unknown code page, buffer too small, null source with a non-zero length, negative sizes).
// The code pages are 0 and 3 (the ANSI code page), 1252 and 65001; flags are not used.
int32_t MultiByteToWideChar(uint32_t codePage, uint32_t flags, const char* src, int32_t srcLen,
                            OLECHAR* dst, int32_t dstLen);
// Characters that the target lacks become defaultChar (first byte; "?" when null) and set
// *usedDefault. To UTF-8 a lone surrogate outside 0xDC80..0xDCFF becomes U+FFFD.
int32_t WideCharToMultiByte(uint32_t codePage, uint32_t flags, const OLECHAR* src, int32_t srcLen,
                            char* dst, int32_t dstLen, const char* defaultChar, int32_t* usedDefault);
}

namespace zq::text {

// Code page 0 and 3 stand for the ANSI code page.
uint32_t Resolve(uint32_t codePage);

std::u16string ToWide(std::string_view bytes, uint32_t codePage = CP_THREAD_ACP);
std::string ToMulti(std::u16string_view wide, uint32_t codePage = CP_THREAD_ACP,
                    bool* usedDefault = nullptr);

// BSTR from ANSI bytes (exact length, embedded zeros kept); null only when memory is exhausted.
BSTR AllocBstr(std::string_view ansiBytes);
// ANSI bytes of a BSTR (empty for null).
std::string FromBstr(BSTR bstr);

// Names between the ANSI code page and the file system's UTF-8 (identity in UTF-8 mode).
std::string AnsiToUtf8(std::string_view ansi);
std::string Utf8ToAnsi(std::string_view utf8);

}  // namespace zq::text
