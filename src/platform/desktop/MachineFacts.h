#pragma once
// What the About box tells about the machine: who it is registered to, its processor and its
// physical memory.

#include <cstdint>
#include <string>

#include "core/registry/RegistryStore.h"

namespace tally {

struct MachineFacts {
    std::string owner;         // Windows: the registered owner; elsewhere the user's full name
    std::string organisation;  // Windows: the registered organisation; elsewhere the host name
    std::string processor;     // e.g. "Intel(R) Core(TM) i7-8650U CPU @ 1.90GHz (x86_64, 8 cores)"
};

// Windows reads the owner and organisation from `registry`; other systems from the account
// database and the host name.
MachineFacts machineFacts(const RegistryStore& registry);

struct MemoryFigures {
    std::uint64_t totalBytes = 0;
    std::uint64_t freeBytes = 0;  // what programs can still have without swapping
};

MemoryFigures memoryFigures();

// "/proc/meminfo"'s MemTotal and MemAvailable (MemFree on kernels without it), in bytes.
MemoryFigures memoryFiguresFromMeminfo(const std::string& text);
// "/proc/cpuinfo"'s first "model name" (or "Processor"/"cpu model"/"uarch" on other processors).
std::string processorFromCpuinfo(const std::string& text);

}  // namespace tally
