#include "inifile/IniKeys.h"

#include <string>

#include "app/State.h"
#include "app/Text.h"

namespace orvid::ini {

namespace {

using zq::rt::Bind;
using zq::rt::Binding;

// A text item, cut to the characters its field holds.
Binding Text(std::string& text, size_t characters) {
  return Binding{[&text] { return text; },
                 [&text, characters](std::string_view t) { text = std::string(t.substr(0, characters)); }};
}

// A path other threads read, cut the same way.
Binding Text(Guarded<std::string>& path, size_t characters) {
  return Binding{[&path] { return path.Get(); },
                 [&path, characters](std::string_view t) { path.Set(std::string(t.substr(0, characters))); }};
}


std::vector<Binding> Catalog(CATLAYOUT& c) {
  return {Text(c.ALLIGN, 10), Bind(c.DX),  Bind(c.DY),  Bind(c.SCALE),      Bind(c.COLS),
          Bind(c.ROWS),       Bind(c.TOP), Bind(c.BOT), Bind(c.TEXTBOT), Text(c.FSIZE, 10)};
}

std::function<void()> CatalogDefaults(CATLAYOUT& c) {
  return [&c] {
    if (Blank(c.ALLIGN)) c.ALLIGN = "Center";
    if (Blank(c.FSIZE)) c.FSIZE = "Small";
  };
}

std::vector<Binding> Picture(PICTURERULE& p) {
  return {Text(p.NAME, 63), Text(p.RESIZE, 9), Bind(p.KEEPAR), Text(p.FILTER, 9), Bind(p.WIDTH), Bind(p.HEIGHT)};
}

std::vector<Binding> Background(BACKGROUNDRULE& b) {
  std::vector<Binding> items = Picture(b);
  for (int16_t* n : {&b.DFX, &b.DFY, &b.DFW, &b.DFH}) items.push_back(Bind(*n));
  return items;
}

Key Single(std::string_view section, std::string_view key, Binding item) {
  return Key{section, key, {std::move(item)}, {}};
}

}  // namespace

std::vector<Key> Keys(SETTINGSGROUP& st) {
  std::vector<Key> keys{
      {"CATALOG", "Catalog1", Catalog(st.CAT1), CatalogDefaults(st.CAT1)},
      {"CATALOG", "Catalog2", Catalog(st.CAT2), CatalogDefaults(st.CAT2)},
      {"CATALOG",
       "CatBkGrnd",
       {Bind(st.CATBG.X), Bind(st.CATBG.Y), Bind(st.CATBG.W), Bind(st.CATBG.H), Bind(st.CATBG.ACT)},
       {}},
      {"PROCESS", "AutoRSIcon", Picture(st.ACR), {}},
      {"PROCESS", "AutoRSBack", Background(st.ABR), {}},
      {"PROCESS", "Root", {Text(ROOTDIR, 255)}, {}, true},
      Single("PROCESS", "DelAfterConv", Bind(st.DELAC)),
      Single("PROCESS", "Replace", Bind(RMC)),
      Single("PROCESS", "DoICConv", Bind(DOICCONV)),
      Single("PROCESS", "AutoICResize", Bind(AUTOICRESIZE)),
      Single("PROCESS", "DoBGConv", Bind(DOBGCONV)),
      Single("PROCESS", "AutoBGResize", Bind(AUTOBGRESIZE)),
      Single("PROCESS", "DelScript", Bind(DELSCRIPT)),
      Single("PROCESS", "UpdScript", Bind(UPDSCRIPT)),
      Single("PROCESS", "ProcessV", Bind(PROCESSV)),
      Single("PROCESS", "MakeIndexV", Bind(DOINDEXV)),
      Single("PROCESS", "RemEmptyV", Bind(REMEMPTYV)),
      Single("PROCESS", "ProcessA", Bind(PROCESSA)),
      Single("PROCESS", "MakeIndexA", Bind(DOINDEXA)),
      Single("PROCESS", "RemEmptyA", Bind(REMEMPTYA)),
      {"EXPLORER", "ExpFontSize", {Bind(st.EXPFONTSIZE)},
       [&st] {
         if (st.EXPFONTSIZE < 8 || st.EXPFONTSIZE > 16) st.EXPFONTSIZE = 8;
       }},
      Single("EXPLORER", "ConfirmDel", Bind(st.CONFIRMDELETE)),
      {"EXPLORER", "Resize", {Bind(st.RESIZEIMAGE)}, [&st] { st.RESIZEIMAGE |= 4; }},
      Single("EXPLORER", "StripAlpha", Bind(st.STRIPALPHA)),
      Single("EXPLORER", "ExplWinPos", Text(EWPOS, 25)),
      Single("EXPLORER", "LPPath", Text(LPPATH, kLongestPanelPath)),
      Single("EXPLORER", "RPPath", Text(RPPATH, kLongestPanelPath)),
      Single("MAIN", "BackGround", Bind(st.BACKGROUND)),
      Single("MAIN", "MainWinPos", Text(MWPOS, 25)),
  };
  return keys;
}

}  // namespace orvid::ini
