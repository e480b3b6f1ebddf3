// The loader's record decoder, which works through the records in chunks on
// several threads. StarCatalog::LoadStarMap uses it with the defaults; tests
// and the fuzzer also drive it with tiny chunks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <thread>

#include "catalog/StarCatalog.h"

// Chunks of this many records are shared out; the walk that finds where they
// start checks this many chunks per turn.
constexpr int64_t kRecordsPerDecodeChunk = 4096;
constexpr int64_t kDecodeChunksPerWalk = 16;

// Decodes the diagnosis.count records that follow a header passed by
// CheckMapHeader into stars (that many zeroed records) on up to workers
// threads. On success sets diagnosis.endOffset; at the first fault a serial
// decode would meet, records it in the diagnosis and returns false.
bool DecodeMapRecords(const unsigned char* data, size_t length, MapDiagnosis& diagnosis, StarEntry* stars,
                      int64_t recordsPerChunk = kRecordsPerDecodeChunk,
                      unsigned workers = std::thread::hardware_concurrency());
