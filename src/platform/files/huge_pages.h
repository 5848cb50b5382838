// A hint for buffers of many megabytes (a settings value may be a hundred): filled through
// 4 KiB pages, each first touch is a page fault, and on a virtual machine those faults cost
// more than the copying itself. Asking for 2 MiB pages makes them 512 times fewer.
#pragma once

#include <cstddef>

namespace serialix {

// Asks the system to back the whole 2 MiB pages inside [data, data + size) with huge pages.
// Only a hint: call it before the buffer is first written; small buffers are left alone,
// and where the system has no such pages nothing changes.
void AdviseHugePages(const void* data, std::size_t size) noexcept;

// Grows the heap by `bytes` at once and asks for huge pages for it, for a program's start: its
// windows, fonts and glyphs first touch a few megabytes of fresh heap, otherwise one 4 KiB page
// fault at a time (about 500 faults before the main window's first paint, each dearer than the
// work it serves on a virtual machine). From then on the heap grows and shrinks in steps of
// `bytes`, and blocks of 128 KiB and more always come from mmap (glibc stops moving that threshold
// once the step is set). Linux with glibc only; elsewhere nothing changes.
void GrowHeapOnHugePages(std::size_t bytes) noexcept;

}  // namespace serialix
