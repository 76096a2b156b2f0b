// The explorer window.
#pragma once
#include <string_view>

// The explorer thread's procedure (started without parameter): runs the explorer window;
// clears EXPTHREAD and then EXPRUNNING when it closes.
void DUNECOMMANDER(std::string_view parameter);
