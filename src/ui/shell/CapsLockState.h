#pragma once
// Whether Caps Lock is toggled on, as far as the window system tells: on X11 the server's
// modifier state; elsewhere it is taken as off.
bool CapsLockOn();
