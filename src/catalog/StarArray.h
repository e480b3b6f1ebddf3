// Memory for the loader's large arrays: the record array and the file's bytes.
// Blocks are zeroed anonymous memory, 2 MiB-aligned when at least that large.
#pragma once

#include <cstddef>

#include "catalog/StarEntry.h"

// bytes of zeroed memory, or nullptr when the system has none to give (also
// for 0 bytes). The first touch of each page may come from any thread.
unsigned char* AllocateZeroedBlock(size_t bytes);
// Returns a block from AllocateZeroedBlock; bytes must be the size asked for.
void ReleaseZeroedBlock(unsigned char* block, size_t bytes);

// count zeroed records, or nullptr (also for 0 records).
StarEntry* AllocateStarArray(size_t count);
void ReleaseStarArray(StarEntry* stars, size_t count);
