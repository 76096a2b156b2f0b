// The record layouts of the program's queues and thread parameters, and their typed views.
#include "app/Records.h"

using namespace zq::rt;

std::shared_ptr<const RecordLayout> SharedLayout(const RecordLayout& layout) {
  return std::shared_ptr<const RecordLayout>(&layout, [](const RecordLayout*) {});
}

const RecordLayout& QDIRTYPE() {
  static const RecordLayout layout{
      CSTRING("NAME", 256), LONG("ICON"),     LONG("LEVEL"),   BYTE("SCRIPT"),       BYTE("ISFOLDER"),
      CSTRING("DIRNAME", 256), CSTRING("CN", 64), BYTE("CNACT"), CSTRING("CF", 64),   BYTE("CFACT"),
      CSTRING("BN", 64),    BYTE("BNACT"),    CSTRING("BF", 64), BYTE("BFACT"),       BYTE("DFCUR"),
      BYTE("DFNEXT"),       BYTE("MTYPE"),    CSTRING("MNAME", 256)};
  return layout;
}

const RecordLayout& MFQTYPE() {
  static const RecordLayout layout{CSTRING("DIR", 256),     CSTRING("DNAME", 256), CSTRING("MNAME", 256),
                                   CSTRING("EXTENSION", 32), CSTRING("SCAT", 5),   CSTRING("STYPE", 12),
                                   REAL("RSIZE"),           STRING("HRSIZE", 25),  BYTE("MTYPE")};
  return layout;
}

const RecordLayout& QSCRIPTTYPE() {
  static const RecordLayout layout{BYTE("NR"),   STRING("ALIGN", 10), SHORT("IDX"),   SHORT("IDY"),
                                   REAL("SCALE"), STRING("AUTOICON", 10), SHORT("DIR"), SHORT("COLS"),
                                   SHORT("ROWS"), SHORT("TOP"),       SHORT("BOT"),   SHORT("TEXTBOT"),
                                   STRING("FSIZE", 10), STRING("IVIEW", 5)};
  return layout;
}

const RecordLayout& VEXTTYPE() {
  static const RecordLayout layout{STRING("EXT", 10), STRING("COVER", 64), BYTE("NOMEDIAURL")};
  return layout;
}

const RecordLayout& AEXTTYPE() {
  static const RecordLayout layout{STRING("EXT", 32), STRING("COVER", 64), BYTE("NOMEDIAURL")};
  return layout;
}

const RecordLayout& QNOSCANTYPE() {
  static const RecordLayout layout{CSTRING("FNAME", 64)};
  return layout;
}

const RecordLayout& T1GROUPTYPE() {
  static const RecordLayout layout{CSTRING("ROOT", 256), LONG("THREADNR")};
  return layout;
}

// The queue's address whole: 8 bytes on this build.
const RecordLayout& T2GROUPTYPE() {
  static const RecordLayout layout{REFERENCE("QDIR"), LONG("THREADNR")};
  return layout;
}

const QDIRFIELDS QDIRF;
const MFQFIELDS MFQF;
const QSCRIPTFIELDS QSCRIPTF;
const EXTFIELDS VEXTF(VEXTTYPE());
const EXTFIELDS AEXTF(AEXTTYPE());
const QNOSCANFIELDS QNOSCANF;
const T1GROUPFIELDS T1GROUPF;
const T2GROUPFIELDS T2GROUPF;
