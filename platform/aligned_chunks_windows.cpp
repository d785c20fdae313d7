#include "aligned_chunks.h"

#include <windows.h>

#include <new>

namespace platform {

// The system hands out address space in 64 KiB steps, so a block of that
// size is aligned to it already.
void* AllocateAlignedChunk(std::size_t bytes) {
  SYSTEM_INFO system;
  GetSystemInfo(&system);
  if (bytes > system.dwAllocationGranularity) throw std::bad_alloc();
  void* memory = VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
  if (!memory) throw std::bad_alloc();
  return memory;
}

void FreeAlignedChunk(void* chunk) noexcept { VirtualFree(chunk, 0, MEM_RELEASE); }

}  // namespace platform
