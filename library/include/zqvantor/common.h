/* Common types of the ZQ_Vantor interface. */
#ifndef ZQVANTOR_COMMON_H
#define ZQVANTOR_COMMON_H

#include <stdint.h>

#ifdef __cplusplus
#include "zqplatform/oleauto.h"
#define ZQV_EXTERN_C extern "C"
#else
typedef uint16_t OLECHAR;
typedef OLECHAR* BSTR;
#define ZQV_EXTERN_C
#endif

/* Marks one export of the library. */
#define ZQV_API ZQV_EXTERN_C __attribute__((visibility("default")))

#endif
