// What the CLA tests share: the host calls and the code page in use.
#pragma once
#include "zqplatform/codepage.h"
#include "zqtest/HostCalls.h"

namespace cla_test {

inline bool Is1252() { return GetACP() == CP_1252; }

using zqtest::Len;
using zqtest::TakeBstr;

}  // namespace cla_test
