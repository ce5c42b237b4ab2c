#include "SyntheticProfiles.h"

#include <filesystem>

namespace tally::bench {

std::optional<SyntheticProfile> profileNamed(std::string_view name) {
    if (name == "default") return SyntheticProfile::Default;
    if (name == "controls") return SyntheticProfile::Controls;
    if (name == "forms") return SyntheticProfile::Forms;
    if (name == "classes") return SyntheticProfile::Classes;
    return std::nullopt;
}

long long profileFullLines(SyntheticProfile profile) {
    switch (profile) {
        case SyntheticProfile::Controls:
            return 121000;
        case SyntheticProfile::Forms:
            return 420000;
        case SyntheticProfile::Classes:
            return 130000;
        case SyntheticProfile::Default:
            break;
    }
    return 0;
}

SyntheticProjectResult writeProfiledProject(const std::string& folder, SyntheticProfile profile,
                                            long long lines, std::uint32_t seed) {
    SyntheticProjectResult result;
    if (profile == SyntheticProfile::Default) {
        result.error = "the default profile is written by writeSyntheticProject";
        return result;
    }
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        result.error = folder + ": " + error.message();
        return result;
    }
    const double scale =
        lines > 0 ? static_cast<double>(lines) / static_cast<double>(profileFullLines(profile)) : 1.0;
    switch (profile) {
        case SyntheticProfile::Controls:
            return writeControlsProfile(folder, scale, seed);
        case SyntheticProfile::Forms:
            return writeFormsProfile(folder, scale, seed);
        case SyntheticProfile::Classes:
            return writeClassesProfile(folder, scale, seed);
        case SyntheticProfile::Default:
            break;
    }
    return result;
}

}  // namespace tally::bench
