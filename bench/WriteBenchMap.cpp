// vantaro-benchmap COUNT FILE: writes the benchmarks' random map of COUNT
// stars to FILE, for measuring the program itself on large maps.
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "BenchMaps.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: vantaro-benchmap COUNT FILE\n");
    return 2;
  }
  const long long count = std::atoll(argv[1]);
  if (count < 0 || count > kLargestMap) {
    std::fprintf(stderr, "vantaro-benchmap: COUNT must be 0 to %lld\n", static_cast<long long>(kLargestMap));
    return 2;
  }
  try {
    const Bytes& bytes = BenchMapBytes(count);
    std::FILE* file = std::fopen(argv[2], "wb");
    const bool written = file && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (!file || std::fclose(file) != 0 || !written) {
      std::perror(argv[2]);
      return 1;
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "vantaro-benchmap: %s\n", error.what());
    return 1;
  }
  return 0;
}
