#pragma once

#include <QtGlobal>

// Horizontal placement of text, shared by the grid columns and the aligned edit box.
enum TAlignment : quint8 { taLeftJustify = 0, taRightJustify = 1, taCenter = 2 };
