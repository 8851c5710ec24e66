// A settings file that reaches for the match rules: the layering check must refuse it.
#pragma once

#include "match/Match.h"
