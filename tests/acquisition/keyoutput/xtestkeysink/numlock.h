#pragma once

// Reads and sets the X server's Num Lock through the keyboard indicator, on a
// connection independent of the sink under test.
bool numLockOn();
void setNumLock(bool on);
