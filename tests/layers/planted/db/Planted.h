#pragma once

// A data-layer header that reaches up into the window: the check must refuse it.
#include "app/Main.h"
