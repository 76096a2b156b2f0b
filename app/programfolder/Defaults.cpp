#include "Defaults.h"

#include "app/State.h"

namespace orvid::folder {

const std::vector<VideoExtension>& VideoExtensions() {
  static const std::vector<VideoExtension> list{
      {"MKV", false}, {"MP4", false}, {"M4V", false}, {"AVI", false},  {"MOV", false},  {"WMV", false},
      {"MPG", false}, {"MPEG", false}, {"TS", false}, {"M2TS", true},  {"VOB", true},   {"ISO", false},
      {"DIVX", false}, {"FLV", false}, {"WEBM", false}, {"OGM", false}};
  return list;
}

const std::vector<std::string_view>& AudioExtensions() {
  static const std::vector<std::string_view> list{"MP3", "FLAC", "OGG", "OPUS", "M4A", "AAC",
                                                  "WAV", "WMA",  "APE", "AIFF", "DSF"};
  return list;
}

namespace {

void AddLayouts() {
  // Level 1 shows the collection as a wall of covers, deeper levels fewer and larger ones.
  for (uint32_t n = 1; n <= kLayoutRows; ++n) {
    zq::rt::Record& r = QSCRIPT.Buffer();
    r.Clear();
    QSCRIPTF.NR.Set(r, n);
    QSCRIPTF.ALIGN.Set(r, "Center");
    QSCRIPTF.SCALE.Set(r, 1);
    QSCRIPTF.AUTOICON.Set(r, "OMI");
    QSCRIPTF.DIR.Set(r, n + 1);
    QSCRIPTF.COLS.Set(r, n == 1 ? 6 : 5);
    QSCRIPTF.ROWS.Set(r, n == 1 ? 3 : 2);
    QSCRIPTF.TOP.Set(r, 10);
    QSCRIPTF.BOT.Set(r, 10);
    QSCRIPTF.FSIZE.Set(r, "Small");
    QSCRIPTF.IVIEW.Set(r, "Yes");
    QSCRIPT.Add();
  }
}

void AddExtensions() {
  for (const VideoExtension& v : VideoExtensions()) {
    VEXTENSIONS.ClearBuffer();
    VEXTF.EXT.Set(VEXTENSIONS.Buffer(), v.ext);
    VEXTF.COVER.Set(VEXTENSIONS.Buffer(), v.ext);
    VEXTF.NOMEDIAURL.Set(VEXTENSIONS.Buffer(), v.noMediaUrl ? 1 : 0);
    VEXTENSIONS.Add();
  }
  for (std::string_view a : AudioExtensions()) {
    AEXTENSIONS.ClearBuffer();
    AEXTF.EXT.Set(AEXTENSIONS.Buffer(), a);
    AEXTENSIONS.Add();
  }
  // The system's own folders and the catalogs the pass builds.
  for (const char* name : {"$RECYCLE.BIN", "SYSTEM VOLUME INFORMATION", "LOST+FOUND", "_CATVIDEO", "_CATAUDIO"}) {
    QNOSCANF.FNAME.Set(QNOSCAN.Buffer(), name);
    QNOSCAN.Add();
  }
}

}  // namespace

void SetDefaults() {
  AddLayouts();
  AddExtensions();
  ST.Change([](SETTINGSGROUP& st) {
    st.CAT1 = {"Center", 0, 0, 1, 6, 3, 10, 10, 0, "Small"};
    st.CAT2 = {"Center", 0, 0, 1, 5, 2, 10, 10, 0, "Small"};
    st.CATBG = {0, 0, 1920, 1080, 1};
    // Covers named "folder" and backgrounds named "fanart", as most media tools store them.
    st.ACR = {"folder", "Smaller", 1, "Bicubic", 400, 600};
    st.ABR.NAME = "fanart";
    st.ABR.RESIZE = "Both";
    st.ABR.KEEPAR = 1;
    st.ABR.FILTER = "Bicubic";
    st.ABR.WIDTH = 1920;
    st.ABR.HEIGHT = 1080;
    st.ABR.DFX = 0;
    st.ABR.DFY = 0;
    st.ABR.DFW = 1920;
    st.ABR.DFH = 1080;
    st.EXPFONTSIZE = 10;
    st.CONFIRMDELETE = 1;
    st.RESIZEIMAGE = 2 | 4;
  });
  for (uint8_t* option : {&DOICCONV, &AUTOICRESIZE, &DOBGCONV, &AUTOBGRESIZE, &UPDSCRIPT, &PROCESSV, &DOINDEXV,
                          &REMEMPTYV, &PROCESSA, &DOINDEXA, &REMEMPTYA}) {
    *option = 1;
  }
}

}  // namespace orvid::folder
