// A stand-in for a real message box: a modal dialog that opens, takes the focus from the window
// as a box does, and closes itself once it has it. Tests use it where what matters is what the
// window does when a box takes the focus.
#pragma once

void showModalBox();
