// The settings window.
#pragma once

// Shows the settings window on the calling thread and returns when it closes.
void SETTINGS();
