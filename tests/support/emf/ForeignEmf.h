// Test helper: an EMF written by an independent writer (libEMF), so the player is tried on a
// file no one here wrote. Kept apart because libEMF's GDI declarations clash with Qt's.
#pragma once

#include <string>

// A 400 × 300 page: a red rectangle (50, 50)-(150, 100) outlined in black, a blue line from
// (10, 200) to (390, 200), and the text "libEMF" at (200, 20).
std::string foreignEmf();
