// The loader's record decoder, which works through the records in chunks on
// several threads. StarCatalog::LoadStarMap uses it with the defaults; tests
// and the fuzzer also drive it with tiny chunks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <thread>

#include "catalog/StarCatalog.h"

// Chunks of this many records are shared out: 65536 records of 224 bytes are
// exactly seven 2 MiB pages, so where the record array has huge pages no two
// threads ever fault in the same one. The walk that finds where chunks start
// checks this many chunks per turn.
constexpr int64_t kRecordsPerDecodeChunk = 65536;
constexpr int64_t kDecodeChunksPerWalk = 1;
static_assert(kRecordsPerDecodeChunk * sizeof(StarEntry) % (size_t{2} << 20) == 0);

// Decodes the diagnosis.count records that follow a header passed by
// CheckMapHeader into stars (that many zeroed records) on up to workers
// threads. On success sets diagnosis.endOffset; at the first fault a serial
// decode would meet, records it in the diagnosis and returns false.
bool DecodeMapRecords(const unsigned char* data, size_t length, MapDiagnosis& diagnosis, StarEntry* stars,
                      int64_t recordsPerChunk = kRecordsPerDecodeChunk,
                      unsigned workers = std::thread::hardware_concurrency());
