// What assistive technology learns of the main window: a name for every control, the figures
// read with what they count, and the situation after each recorded turn.
#pragma once

#include <QString>

class Tfrm_Main;

// The name a player goes by, wherever it is shown or read: the name typed in the player's name
// box without the blanks around it, or "1. játékos" / "2. játékos" when that leaves nothing.
QString PlayerName(const QString &typed, int number);

// Gives the window's controls their accessible names, and descriptions where the name alone
// does not say what a control does. Called once, when the window has been built.
void NameAccessibleControls(Tfrm_Main &window);

// Tells assistive technology where the match stands: the turn recorded last (who threw, the
// score and the remaining score) and who throws next. The entry box, which keeps the focus,
// carries it as its description, so a screen reader speaks each newly recorded turn. Called
// whenever the scoreboard is refreshed.
void DescribeScoreboard(Tfrm_Main &window);
