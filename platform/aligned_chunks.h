#pragma once

#include <cstddef>

namespace platform {

// A block of `bytes` (a power of two of at least 64 KiB) whose address is a
// multiple of its size, so that any address inside it tells its start.
// Raises std::bad_alloc when there is no memory.
void* AllocateAlignedChunk(std::size_t bytes);
void FreeAlignedChunk(void* chunk) noexcept;

}  // namespace platform
