/* The host headers are plain C: this file only has to compile as C. */
#include "ZQ_Vantor.h"

int zq_headers_compile_as_c(void) { return (int)sizeof(BSTR); }
