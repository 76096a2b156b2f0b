// The media list window.
#pragma once

// Opens the media-list window on the calling thread and returns when it is closed.
void SHOWLOG();
