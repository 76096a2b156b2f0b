#include "zqplatform/dbmsgbox.h"
#include "zqplatform/msgbox.h"

int32_t AfxMessageBox(const char* text, uint32_t type, uint32_t) {
  return MessageBoxA(0, text ? text : "", "ZQ_Vantor", type);
}
