// The system's warning sound, counted so that tests can tell that it sounded.
#pragma once

void MessageBeep(unsigned Type);
// How many times MessageBeep has sounded since the program started.
int MessageBeepCount();
