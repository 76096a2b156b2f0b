// A host program's view: the library is loaded by name and its exports are found by name.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <string>

#include "zqplatform/codepage.h"
#include "zqplatform/oleauto.h"

namespace {

class Library {
 public:
  Library() : handle_(dlopen(ZQ_VANTOR_PATH, RTLD_NOW | RTLD_LOCAL)) {}
  ~Library() {
    if (handle_) dlclose(handle_);
  }
  bool loaded() const { return handle_ != nullptr; }

  template <class Fn>
  Fn* Get(const char* name) const {
    return reinterpret_cast<Fn*>(dlsym(handle_, name));
  }

 private:
  void* handle_;
};

using CreateFn = int32_t();
using DestroyFn = int32_t(int32_t);
using SetFn = int32_t(int32_t, int32_t, const char*, int32_t);
using GetFn = BSTR(int32_t, int32_t*, int32_t, int32_t);
using TestFn = void(int32_t);

TEST(HostProgram, CallsExportsByNameAndFreesTheirStrings) {
  Library lib;
  ASSERT_TRUE(lib.loaded()) << dlerror();
  auto* kvrTest = lib.Get<TestFn>("KVRTest");
  auto* create = lib.Get<CreateFn>("XSCreate");
  auto* set = lib.Get<SetFn>("XSSet");
  auto* get = lib.Get<GetFn>("XSGet");
  auto* destroy = lib.Get<DestroyFn>("XSDestroy");
  ASSERT_TRUE(kvrTest && create && set && get && destroy);

  kvrTest(12345);
  int32_t h = create();
  ASSERT_GT(h, 0);
  const char text[] = "Alien (1979)   ";
  EXPECT_EQ(set(h, 15, text, 0), 0);

  int32_t err = 99;
  BSTR result = get(h, &err, 0, 0);
  ASSERT_NE(result, nullptr);
  EXPECT_EQ(err, 0);
  EXPECT_EQ(zq::text::FromBstr(result), std::string(text, 15));
  SysFreeString(result);

  EXPECT_EQ(destroy(h), 0);
  result = get(h, &err, 0, 0);
  ASSERT_NE(result, nullptr);
  EXPECT_EQ(SysStringLen(result), 0u);
  EXPECT_EQ(err, -3);
  SysFreeString(result);
}

}  // namespace
