#include "aligned_chunks.h"

#include <cstdlib>
#include <new>

namespace platform {

void* AllocateAlignedChunk(std::size_t bytes) {
  void* memory = nullptr;
  if (posix_memalign(&memory, bytes, bytes) != 0) throw std::bad_alloc();
  return memory;
}

void FreeAlignedChunk(void* chunk) noexcept { std::free(chunk); }

}  // namespace platform
