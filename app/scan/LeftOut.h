// The scan's report of the entries it left out.
#pragma once
#include <string_view>

#include "app/Scan.h"

void CLEARLEFTOUT();
void LEAVEOUT(std::string_view folder, std::string_view name, LeftOutReason reason);
