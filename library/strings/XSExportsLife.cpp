// XS exports: life and the whole text.
#include "strings/XSExport.h"
#include "zqvantor/strings.h"

using namespace zqv;
using namespace zqv::xs;

ZQV_API int32_t XSCreate(void) {
  return Export(kMemoryExhausted, [] { return CVantor::App().CreateString(); });
}

ZQV_API int32_t XSDestroy(int32_t h) {
  return Export(kMemoryExhausted, [&] { return CVantor::App().DestroyString(h); });
}

ZQV_API int32_t XSSet(int32_t h, int32_t length, const char* text, int32_t count) {
  std::string_view value = HostText(length, text, count);
  return OnString(h, [&](XSObject& s) {
    s.Set(value);
    return 0;
  });
}

ZQV_API int32_t XSCSet(int32_t h, const char* text, int32_t count) {
  std::string_view whole = CText(text);
  std::string_view value = HostText(static_cast<int32_t>(std::min<std::size_t>(whole.size(), INT32_MAX)),
                                    whole.data(), count);
  return OnString(h, [&](XSObject& s) {
    s.Set(value);
    return 0;
  });
}

ZQV_API int32_t XSAppend(int32_t h, int32_t length, const char* text, int32_t count) {
  std::string_view value = ToNul(HostText(length, text, count));
  return OnString(h, [&](XSObject& s) {
    s.Append(value);
    return 0;
  });
}

ZQV_API BSTR XSGet(int32_t h, int32_t* err, int32_t start, int32_t count) {
  return TextOfString(h, err, [&](XSObject& s) {
    if (start == 0 && count == 0) return s.Text();
    if (count == 0 || int64_t(start) + count > s.GetLength()) return s.Mid(start);
    return s.Mid(start, count);
  });
}

ZQV_API int32_t XSGetLength(int32_t h) {
  return OnString(h, [](XSObject& s) { return s.GetLength(); });
}

ZQV_API int32_t XSIsEmpty(int32_t h) {
  return OnString(h, [](XSObject& s) { return s.IsEmpty() ? 1 : 0; });
}

ZQV_API int32_t XSEmpty(int32_t h) {
  return OnString(h, [](XSObject& s) {
    s.Empty();
    return 0;
  });
}
