#pragma once
// The strings of a file's version resource, as the statistics report lists them for objects and
// DLLs. FileVersion.h asks only for the version number; this asks for all eight strings.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tally {

// In this order: CompanyName, FileDescription, FileVersion, InternalName, LegalCopyright,
// OriginalFileName, ProductName, ProductVersion (of the resource's first translation).
using VersionStrings = std::array<std::string, 8>;

inline constexpr std::array<std::string_view, 8> kVersionStringNames = {
    "CompanyName",    "FileDescription",  "FileVersion", "InternalName",
    "LegalCopyright", "OriginalFileName", "ProductName", "ProductVersion"};

// How the eight strings are labelled for a person, in the same order.
inline constexpr std::array<std::string_view, 8> kVersionLabels = {
    "Company Name: ",    "File Description: ",  "File Version: ", "Internal Name: ",
    "Legal Copyright: ", "Original File Name: ", "Product Name: ", "Product Version: "};

class VersionInfoSource {
public:
    virtual ~VersionInfoSource() = default;
    // The eight strings of the file at `path`; all empty when the file or its resource is missing.
    virtual VersionStrings versionStrings(std::string_view path) const = 0;
};

// Reads no resources: every file shows no version lines.
class NoVersionInfo final : public VersionInfoSource {
public:
    VersionStrings versionStrings(std::string_view) const override { return {}; }
};

}  // namespace tally
