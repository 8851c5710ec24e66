// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The main window's spectator display, put together from the window's parts.
#pragma once

class SpectatorDisplay;
class Tfrm_Main;

// A display bound to the window's turn table through DataSource1, reading the match, the names
// typed in the name boxes (the players' numbers where they are empty) and the exact-checkout box,
// following the boxes as they change. The tool bar's shortcuts other than F11 work in it, and what
// is typed in it goes to the entry box.
// The window owns it; it is hidden until opened.
SpectatorDisplay *CreateSpectatorDisplay(Tfrm_Main &window);
