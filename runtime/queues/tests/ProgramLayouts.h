// The record layouts the program declares for its queues and thread parameters.
#pragma once
#include "zqruntime/record.h"

namespace layouts {
using namespace zq::rt;

inline const RecordLayout QDIR{CSTRING("NAME", 256), LONG("ICON"),      LONG("LEVEL"),
                               BYTE("SCRIPT"),       BYTE("ISFOLDER"),  CSTRING("DIRNAME", 256),
                               CSTRING("CN", 64),    BYTE("CNACT"),     CSTRING("CF", 64),
                               BYTE("CFACT"),        CSTRING("BN", 64), BYTE("BNACT"),
                               CSTRING("BF", 64),    BYTE("BFACT"),     BYTE("DFCUR"),
                               BYTE("DFNEXT"),       BYTE("MTYPE"),     CSTRING("MNAME", 256)};
inline const RecordLayout MFQ{
    CSTRING("DIR", 256), CSTRING("DNAME", 256), CSTRING("MNAME", 256), CSTRING("EXTENSION", 32),
    CSTRING("SCAT", 5),  CSTRING("STYPE", 12),  REAL("RSIZE"),         STRING("HRSIZE", 25),
    BYTE("MTYPE")};
inline const RecordLayout QSCRIPT{BYTE("NR"),          STRING("ALIGN", 10), SHORT("IDX"),
                                  SHORT("IDY"),        REAL("SCALE"),       STRING("AUTOICON", 10),
                                  SHORT("DIR"),        SHORT("COLS"),       SHORT("ROWS"),
                                  SHORT("TOP"),        SHORT("BOT"),        SHORT("TEXTBOT"),
                                  STRING("FSIZE", 10), STRING("IVIEW", 5)};
inline const RecordLayout VEXTENSIONS{STRING("EXT", 10), STRING("COVER", 64), BYTE("NOMEDIAURL")};
inline const RecordLayout AEXTENSIONS{STRING("EXT", 32), STRING("COVER", 64), BYTE("NOMEDIAURL")};
inline const RecordLayout QNOSCAN{CSTRING("FNAME", 64)};
inline const RecordLayout QPANEL{
    CSTRING("FN", 256), LONG("C1"),       LONG("C2"), LONG("C3"),  LONG("C4"), LONG("ICON"),
    CSTRING("EXT", 64), STRING("FS", 15), BYTE("FT"), BYTE("DIR"), BYTE("SEL")};
inline const RecordLayout QD{
    STRING("NAME", 256), CSTRING("DIRNAME", 256), BYTE("ISFOLDER"), CSTRING("CN", 32),
    BYTE("CNACT"),       CSTRING("CF", 32),       BYTE("CFACT"),    BYTE("MTYPE")};
inline const RecordLayout QDRIVE{STRING("DRV", 3), LONG("DICON")};
inline const RecordLayout LPLIST{CSTRING("PATH", 256)};
inline const RecordLayout QWR{LONG("FNR"), LONG("XL"),  LONG("YT"),  LONG("WI"),
                              LONG("HE"),  SHORT("RP"), SHORT("RS"), LONG("RR")};
inline const RecordLayout T1GROUP{CSTRING("ROOT", 256), LONG("THREADNR")};
inline const RecordLayout T2GROUP{REFERENCE("QDIR"), LONG("THREADNR")};

}  // namespace layouts
