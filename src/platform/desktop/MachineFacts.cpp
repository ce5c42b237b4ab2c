#include "platform/desktop/MachineFacts.h"

#include <fstream>
#include <sstream>
#include <thread>

#include "core/registry/RegistryValues.h"
#include "core/text/TextOps.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <pwd.h>
#include <sys/utsname.h>
#include <unistd.h>
#endif

namespace tally {

namespace {

std::string readProcFile(const char* path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The value of "name : value" lines, for the first line whose name is `name`.
std::string fieldOf(const std::string& text, std::string_view name) {
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        const std::size_t colon = line.find(':');
        if (colon == std::string::npos) continue;
        if (trim(std::string_view(line).substr(0, colon)) == name) return trim(std::string_view(line).substr(colon + 1));
    }
    return {};
}

std::uint64_t kilobytes(const std::string& value) {
    return static_cast<std::uint64_t>(std::strtoull(value.c_str(), nullptr, 10)) * 1024u;
}

}  // namespace

MemoryFigures memoryFiguresFromMeminfo(const std::string& text) {
    MemoryFigures figures;
    figures.totalBytes = kilobytes(fieldOf(text, "MemTotal"));
    std::string available = fieldOf(text, "MemAvailable");
    figures.freeBytes = kilobytes(available.empty() ? fieldOf(text, "MemFree") : available);
    return figures;
}

std::string processorFromCpuinfo(const std::string& text) {
    for (std::string_view name : {"model name", "Processor", "cpu model", "uarch", "cpu"}) {
        std::string value = fieldOf(text, name);
        if (!value.empty()) return value;
    }
    return {};
}

#ifdef _WIN32

MachineFacts machineFacts(const RegistryStore& registry) {
    constexpr std::string_view key = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
    MachineFacts facts;
    facts.owner = readValueText(registry, Hive::LocalMachine, key, "RegisteredOwner", "");
    facts.organisation = readValueText(registry, Hive::LocalMachine, key, "RegisteredOrganization", "");
    facts.processor = readValueText(registry, Hive::LocalMachine, "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0",
                                    "ProcessorNameString", "");
    facts.processor += " (" + std::to_string(std::thread::hardware_concurrency()) + " cores)";
    return facts;
}

MemoryFigures memoryFigures() {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (!GlobalMemoryStatusEx(&status)) return {};
    return {status.ullTotalPhys, status.ullAvailPhys};
}

#else

MachineFacts machineFacts(const RegistryStore&) {
    MachineFacts facts;
    if (const passwd* account = ::getpwuid(::getuid())) {
        // The full name is the first comma-separated field of the account's comment.
        std::string gecos = account->pw_gecos ? account->pw_gecos : "";
        facts.owner = trim(std::string_view(gecos).substr(0, gecos.find(',')));
        if (facts.owner.empty() && account->pw_name) facts.owner = account->pw_name;
    }
    char host[256] = {};
    if (::gethostname(host, sizeof host - 1) == 0) facts.organisation = host;
    facts.processor = processorFromCpuinfo(readProcFile("/proc/cpuinfo"));
    utsname names{};
    std::string machine = ::uname(&names) == 0 ? names.machine : "";
    const unsigned cores = std::thread::hardware_concurrency();
    std::string detail = machine;
    if (cores > 0) detail += (detail.empty() ? "" : ", ") + std::to_string(cores) + (cores == 1 ? " core" : " cores");
    if (facts.processor.empty()) facts.processor = machine;
    else if (!detail.empty()) facts.processor += " (" + detail + ")";
    return facts;
}

MemoryFigures memoryFigures() {
    return memoryFiguresFromMeminfo(readProcFile("/proc/meminfo"));
}

#endif

}  // namespace tally
