// The record layouts the program keeps in queue files.
#pragma once
#include "zqruntime/record.h"

namespace layouts {

using namespace zq::rt;

// The layout table of Script.dat: one row per folder level.
inline const RecordLayout QSCRIPT{BYTE("NR"),      STRING("ALIGN", 10),    SHORT("IDX"),  SHORT("IDY"),
                                  REAL("SCALE"),   STRING("AUTOICON", 10), SHORT("DIR"),  SHORT("COLS"),
                                  SHORT("ROWS"),   SHORT("TOP"),           SHORT("BOT"),  SHORT("TEXTBOT"),
                                  STRING("FSIZE", 10), STRING("IVIEW", 5)};
inline const RecordLayout VEXTENSIONS{STRING("EXT", 10), STRING("COVER", 64), BYTE("NOMEDIAURL")};
inline const RecordLayout AEXTENSIONS{STRING("EXT", 32), STRING("COVER", 64), BYTE("NOMEDIAURL")};
inline const RecordLayout QNOSCAN{CSTRING("FNAME", 64)};

}  // namespace layouts
