// A match rule that reaches for a control: the layering check must refuse it.
#pragma once

#include "controls/DBGrid.h"
