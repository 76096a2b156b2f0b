// The locator that CoCreateInstance makes for CLSID_WbemLocator.
#pragma once
#include "zqplatform/wmi.h"

namespace zq::wmi {

IWbemLocator* NewLocator();

}  // namespace zq::wmi
