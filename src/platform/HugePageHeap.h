#pragma once
// Backing the heap with transparent huge pages. A scan builds a model of tens of megabytes in one go,
// and the kernel hands out each 4 KB page on its first touch: on a virtual machine that cost a CLI
// scan of a 30 MB project about a quarter of its time (14,000 page faults; 2,000 with huge pages).
// glibc's malloc asks for huge pages only when its tunable says so, and reads tunables only as a
// program starts: so the desktop program starts itself again with the tunable set, and the CLI,
// for which that second start costs too much, asks for them on a stretch of heap it reserves.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace tally {

// The GLIBC_TUNABLES value to start again with, given the current one (null when unset) and the
// kernel's transparent huge page setting (the text of /sys/kernel/mm/transparent_hugepage/enabled,
// "always [madvise] never"). Nothing when huge pages come only on request ("[madvise]") and the
// current value does not speak of them already: with "[always]" the heap has them anyway, with
// "[never]" asking is useless, and a value that names the tunable (glibc.malloc.hugetlb=0 included)
// is the user's choice.
std::optional<std::string> hugePageTunables(const char* current, std::string_view hugePageSetting);

// What hugePageTunables says for this process (its GLIBC_TUNABLES and the kernel's setting): true
// when the program should ask for huge pages itself. False off Linux with glibc.
bool hugePagesWanted();

// Starts the program again with the tunable when hugePageTunables says so; otherwise, or when the
// new start fails, returns and the program goes on as it is. Linux with glibc only; elsewhere it
// does nothing. To be called first thing in main, before any thread or open file exists.
void restartWithHugePageHeap(char** argv);

// The same for a program that starts often and briefly (the CLI), without the new start, which
// costs it as much as loading its libraries again: `bytes` of heap are taken from the system in
// blocks below malloc's mapping threshold and handed back, malloc keeps freed memory from then on,
// and the kernel is asked for huge pages on that stretch, where the model of the scan that follows
// lands. Called once the size of what is coming is known (a project opened, a scan file found).
// Done only where restartWithHugePageHeap would start again; heap reserved and never touched costs
// address space only. The worker threads' own arenas stay on small pages.
//
// Nothing is done for less than kSmallestHugePageHeap. Huge pages come 2 MB at a time, and the
// model's blocks leave a heap on them holding a page or two per thread more than small pages would:
// CLI scans of 4.5 MB projects took half a byte more per source byte (3.0-3.15 against 2.55-2.7
// above the idle program, where the model may take 3), those of 25-30 MB a fifth. The time small
// pages cost those small scans, 0-6%, is not worth that; from about 11 MB of sources (48 MB of
// heap) on it is: a 14 MB project took a quarter longer on small pages, 172 ms against 129.
inline constexpr std::size_t kSmallestHugePageHeap = std::size_t{48} << 20;
void reserveHugePageHeap(std::size_t bytes);

// The part of [begin, end) that whole pages of `pageSize` (a power of two) cover: begin rounded up,
// end rounded down; an empty range at `end` when no whole page fits.
std::pair<std::uintptr_t, std::uintptr_t> wholePagesWithin(std::uintptr_t begin, std::uintptr_t end,
                                                           std::uintptr_t pageSize);

}  // namespace tally
