#pragma once
// Real mouse and keyboard input through SendInput, at screen pixel positions.
#include <windows.h>

namespace hostsim {

enum class Button { Left, Right, Middle };

void mouseMove(POINT at);
void mouseButton(Button button, bool down);
// One key pressed and released (a virtual-key code).
void keyPress(WORD key);

}  // namespace hostsim
