// Hunspell's flat interface as the shared library exports it, loaded the way a host loads it.
// libhunspell is linked into this test too, so its C functions of the same names come first in
// the global scope: the library's must still be found and called as its own, and must not loop
// into libhunspell's (a loop would never return).
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <hunspell.h>

#include <string>

#include "SpellFiles.h"

namespace {

using namespace spelltest;

class Library {
 public:
  Library() : handle_(dlopen(ZQ_VANTOR_PATH, RTLD_NOW | RTLD_GLOBAL)) {}
  ~Library() {
    if (handle_) dlclose(handle_);
  }
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;
  bool loaded() const { return handle_ != nullptr; }

  // The export, or null when it is missing or is not the library's own definition.
  template <class Fn>
  Fn* Own(const char* name) const {
    void* fn = dlsym(handle_, name);
    Dl_info info{};
    if (!fn || !dladdr(fn, &info) || !info.dli_fname) return nullptr;
    if (std::string(info.dli_fname).find("ZQ_Vantor") == std::string::npos) return nullptr;
    return reinterpret_cast<Fn*>(fn);
  }

 private:
  void* handle_;
};

struct Api {
  explicit Api(const Library& lib)
      : create(lib.Own<decltype(::Hunspell_create)>("Hunspell_create")),
        createKey(lib.Own<decltype(::Hunspell_create_key)>("Hunspell_create_key")),
        destroy(lib.Own<decltype(::Hunspell_destroy)>("Hunspell_destroy")),
        spell(lib.Own<decltype(::Hunspell_spell)>("Hunspell_spell")),
        encoding(lib.Own<decltype(::Hunspell_get_dic_encoding)>("Hunspell_get_dic_encoding")),
        suggest(lib.Own<decltype(::Hunspell_suggest)>("Hunspell_suggest")),
        analyze(lib.Own<decltype(::Hunspell_analyze)>("Hunspell_analyze")),
        stem(lib.Own<decltype(::Hunspell_stem)>("Hunspell_stem")),
        generate(lib.Own<decltype(::Hunspell_generate)>("Hunspell_generate")),
        add(lib.Own<decltype(::Hunspell_add)>("Hunspell_add")),
        addWithAffix(lib.Own<decltype(::Hunspell_add_with_affix)>("Hunspell_add_with_affix")),
        remove(lib.Own<decltype(::Hunspell_remove)>("Hunspell_remove")),
        freeList(lib.Own<decltype(::Hunspell_free_list)>("Hunspell_free_list")) {}

  bool complete() const {
    return create && createKey && destroy && spell && encoding && suggest && analyze && stem &&
           generate && add && addWithAffix && remove && freeList;
  }

  decltype(::Hunspell_create)* create;
  decltype(::Hunspell_create_key)* createKey;
  decltype(::Hunspell_destroy)* destroy;
  decltype(::Hunspell_spell)* spell;
  decltype(::Hunspell_get_dic_encoding)* encoding;
  decltype(::Hunspell_suggest)* suggest;
  decltype(::Hunspell_analyze)* analyze;
  decltype(::Hunspell_stem)* stem;
  decltype(::Hunspell_generate)* generate;
  decltype(::Hunspell_add)* add;
  decltype(::Hunspell_add_with_affix)* addWithAffix;
  decltype(::Hunspell_remove)* remove;
  decltype(::Hunspell_free_list)* freeList;
};

bool Contains(char** list, int n, const std::string& word) {
  for (int i = 0; i < n; ++i)
    if (word == list[i]) return true;
  return false;
}

TEST(HunspellInterface, EveryFunctionIsTheLibrarysOwnAndWorks) {
  Library lib;
  ASSERT_TRUE(lib.loaded()) << dlerror();
  Api api(lib);
  ASSERT_TRUE(api.complete());

  Hunhandle* h = api.create(EnUsAff().c_str(), EnUsDic().c_str());
  ASSERT_NE(h, nullptr);
  EXPECT_STREQ(api.encoding(h), "UTF-8");
  EXPECT_NE(api.spell(h, "hello"), 0);
  EXPECT_EQ(api.spell(h, "helo"), 0);

  char** list = nullptr;
  int n = api.suggest(h, &list, "helo");
  EXPECT_TRUE(Contains(list, n, "hello"));
  api.freeList(h, &list, n);
  EXPECT_EQ(list, nullptr);

  n = api.stem(h, &list, "houses");
  EXPECT_TRUE(Contains(list, n, "house"));
  api.freeList(h, &list, n);
  n = api.analyze(h, &list, "houses");
  EXPECT_GT(n, 0);
  api.freeList(h, &list, n);
  n = api.generate(h, &list, "house", "walked");
  api.freeList(h, &list, n);

  EXPECT_EQ(api.add(h, "orvidian"), 0);
  EXPECT_NE(api.spell(h, "orvidian"), 0);
  EXPECT_EQ(api.addWithAffix(h, "zorbix", "walk"), 0);
  EXPECT_NE(api.spell(h, "zorbixed"), 0);
  EXPECT_EQ(api.remove(h, "hello"), 0);
  EXPECT_EQ(api.spell(h, "hello"), 0);
  api.destroy(h);

  Hunhandle* k = api.createKey(EnUsAff().c_str(), EnUsDic().c_str(), "key");
  ASSERT_NE(k, nullptr);
  EXPECT_NE(api.spell(k, "walked"), 0);
  api.destroy(k);
}

// Each side works on its own checkers; the library's functions are distinct from libhunspell's.
TEST(HunspellInterface, WorksBesideLibhunspell) {
  Library lib;
  ASSERT_TRUE(lib.loaded()) << dlerror();
  Api api(lib);
  ASSERT_TRUE(api.complete());
  EXPECT_NE(reinterpret_cast<void*>(api.spell), reinterpret_cast<void*>(&::Hunspell_spell));

  Hunhandle* ours = api.create(EnUsAff().c_str(), EnUsDic().c_str());
  Hunhandle* theirs = ::Hunspell_create(EnUsAff().c_str(), EnUsDic().c_str());
  ASSERT_TRUE(ours && theirs);
  EXPECT_EQ(api.add(ours, "orvidian"), 0);
  EXPECT_NE(api.spell(ours, "orvidian"), 0);
  EXPECT_EQ(::Hunspell_spell(theirs, "orvidian"), 0);

  char** list = nullptr;
  int n = api.suggest(ours, &list, "helo");
  EXPECT_TRUE(Contains(list, n, "hello"));
  api.freeList(ours, &list, n);
  n = ::Hunspell_suggest(theirs, &list, "helo");
  EXPECT_TRUE(Contains(list, n, "hello"));
  ::Hunspell_free_list(theirs, &list, n);

  ::Hunspell_destroy(theirs);
  api.destroy(ours);
}

TEST(HunspellInterface, NullArgumentsAndMissingFiles) {
  Library lib;
  ASSERT_TRUE(lib.loaded()) << dlerror();
  Api api(lib);
  ASSERT_TRUE(api.complete());
  TempFolder dir;

  EXPECT_EQ(api.create(nullptr, EnUsDic().c_str()), nullptr);
  EXPECT_EQ(api.createKey(EnUsAff().c_str(), nullptr, nullptr), nullptr);
  api.destroy(nullptr);
  EXPECT_EQ(api.spell(nullptr, "hello"), 0);
  EXPECT_EQ(api.encoding(nullptr), nullptr);
  char** list = reinterpret_cast<char**>(&list);
  EXPECT_EQ(api.suggest(nullptr, &list, "helo"), 0);
  EXPECT_EQ(list, nullptr);
  EXPECT_EQ(api.suggest(nullptr, nullptr, "helo"), 0);
  api.freeList(nullptr, nullptr, 3);
  api.freeList(nullptr, &list, 3);

  // As in hunspell, missing files still make a checker; it knows no word.
  Hunhandle* empty = api.create(dir.Path("none.aff").c_str(), dir.Path("none.dic").c_str());
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(api.spell(empty, "hello"), 0);
  EXPECT_EQ(api.spell(empty, nullptr), 0);
  EXPECT_NE(api.add(empty, nullptr), 0);
  EXPECT_NE(api.addWithAffix(empty, "a", nullptr), 0);
  EXPECT_NE(api.remove(empty, nullptr), 0);
  EXPECT_EQ(api.stem(empty, &list, nullptr), 0);
  EXPECT_EQ(api.generate(empty, &list, "a", nullptr), 0);
  int n = api.suggest(empty, &list, "hello");
  api.freeList(empty, &list, n);
  api.destroy(empty);
}

// Hunspell reads past its buffers on an affix file that declares UTF-8 but is not valid UTF-8:
// such a file gives no checker. Other broken or 8-bit files still make one.
TEST(HunspellInterface, AffixFilesThatWouldCrashGiveNoChecker) {
  Library lib;
  ASSERT_TRUE(lib.loaded()) << dlerror();
  Api api(lib);
  ASSERT_TRUE(api.complete());
  TempFolder dir;
  const std::string dic = dir.Write("t.dic", "3\nkatze/S\nhund/XY\nmaus\n");
  struct Case {
    const char* what;
    std::string aff;
    bool made;
  } cases[] = {
      {"invalid UTF-8", "SET UTF-8\nTRY \xFF\xFE\nREP 1\nREP \xC3 \xA9\n", false},
      {"invalid UTF-8 after a byte-order mark", "\xEF\xBB\xBFSET utf-8\nKEY \xFF\n", false},
      {"valid UTF-8", "SET UTF-8\nTRY \xC3\xA4" "aeiou\nSFX S Y 1\nSFX S 0 s .\n", true},
      {"8-bit bytes", "SET ISO8859-1\nTRY \xFF\xFE\nKEY \xFF\n", true},
  };
  int serial = 0;
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    std::string aff = dir.Write(std::to_string(serial++) + ".aff", k.aff);
    Hunhandle* handles[] = {api.create(aff.c_str(), dic.c_str()),
                            api.createKey(aff.c_str(), dic.c_str(), "k")};
    for (Hunhandle* h : handles) {
      EXPECT_EQ(h != nullptr, k.made);
      if (!h) continue;
      EXPECT_NE(api.spell(h, "katze"), 0);
      char** list = nullptr;
      int n = api.suggest(h, &list, "hnd");
      api.freeList(h, &list, n);
      api.destroy(h);
    }
  }
}

// Checkers still registered when the library unloads are deleted with it (the leak checker of
// the sanitizer build would report them otherwise).
TEST(SpellLibrary, CheckersLeftOpenGoWithTheLibrary) {
  Library lib;
  ASSERT_TRUE(lib.loaded()) << dlerror();
  auto* create = lib.Own<int32_t()>("SPCreate");
  auto* init = lib.Own<int32_t(int32_t, int32_t, const char*, int32_t, const char*, int32_t, const char*)>("SPInit");
  auto* add = lib.Own<int32_t(int32_t, int32_t, const char*)>("SPAdd");
  auto* check = lib.Own<int32_t(int32_t, int32_t, const char*)>("SPCheck");
  ASSERT_TRUE(create && init && add && check);
  const std::string aff = EnUsAff(), dic = EnUsDic();
  for (int i = 0; i < 3; ++i) {
    int32_t h = create();
    ASSERT_GT(h, 0);
    ASSERT_EQ(init(h, static_cast<int32_t>(aff.size()), aff.data(), static_cast<int32_t>(dic.size()),
                   dic.data(), 0, nullptr),
              0);
    EXPECT_EQ(add(h, 8, "orvidian"), 0);
    EXPECT_NE(check(h, 8, "orvidian"), 0);
  }
}

}  // namespace
