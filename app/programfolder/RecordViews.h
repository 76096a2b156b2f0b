// Every typed view of the program's records, which Orvid checks as it starts.
#pragma once
#include "app/Records.h"

NAMEDVIEWS RECORDVIEWS();
