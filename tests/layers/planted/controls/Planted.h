#pragma once

// A control that leans on the memory table instead of the dataset base: refused.
#include "memtable/xovMemTable.h"
