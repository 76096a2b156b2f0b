// OLE Automation strings: UTF-16 units behind a 4-byte byte-count prefix, with a terminating 0 unit.
#pragma once
#include <cstdint>

extern "C" {
typedef char16_t OLECHAR;
typedef OLECHAR* BSTR;

// A new string of len units copied from src (src may be null: the units are then zero).
// Returns null only when memory is exhausted.
BSTR SysAllocStringLen(const OLECHAR* src, uint32_t len);
// Frees a string made by SysAllocStringLen; a null pointer is ignored.
void SysFreeString(BSTR bstr);
// Length in UTF-16 units (0 for a null pointer).
uint32_t SysStringLen(BSTR bstr);
// Length in bytes (0 for a null pointer).
uint32_t SysStringByteLen(BSTR bstr);
}
