// The tray family's result codes. A number may mean one thing to one call and another to the
// next (-1, -3), so each meaning has a name of its own.
#pragma once
#include <cstdint>

namespace zqv::tray {

constexpr int32_t kDone = 0;
constexpr int32_t kIconExists = -1;          // creating while an icon exists
constexpr int32_t kNoIconToChange = -1;      // changing the icon when there is none
constexpr int32_t kHiddenWindowFailed = -2;  // the hidden window could not be made
constexpr int32_t kNoNotifyWindow = -3;      // the notification window does not exist
constexpr int32_t kHiddenWindowStays = -3;   // the removed icon's hidden window stays
constexpr int32_t kNoSuchIcon = -4;          // the instance has no icon of that name
constexpr int32_t kRefused = -5;             // the notification area refused (or there is none)
constexpr int32_t kNullNotifyWindow = -6;
constexpr int32_t kNullInstance = -7;
constexpr int32_t kNullIconName = -8;
constexpr int32_t kNoIcon = -9;              // changing the tip or removing when there is no icon
constexpr int32_t kRemoveRefused = -10;      // the notification area kept the icon

}  // namespace zqv::tray
