// The main window's spectator display, put together from the window's parts.
#pragma once

class SpectatorDisplay;
class Tfrm_Main;

// A display bound to the window's turn table through DataSource1, reading the match, the names
// typed in the name boxes and the exact-checkout box, following the boxes as they change. The
// window owns it; it is hidden until opened.
SpectatorDisplay *CreateSpectatorDisplay(Tfrm_Main &window);
