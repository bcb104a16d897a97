#pragma once

#include <cstdint>

// Counts every call of the global operator new in this process (all threads).
uint64_t AllocationCount();
