#pragma once
// A directory of its own for one test, removed with everything in it when the test ends (even when
// the test took its write permission away).

#include <algorithm>
#include <random>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace tally {

// `path` with the separators the system writes: backslashes on Windows, as the program's own
// paths have them there.
inline std::string nativePath(std::string path) {
#ifdef _WIN32
    std::replace(path.begin(), path.end(), '/', '\\');
#endif
    return path;
}

// A new folder of a random name starting with `prefix` in the system's temporary folder, or empty
// when none could be made (mkdtemp is POSIX only).
inline std::string createUniqueFolder(std::string_view prefix) {
    std::random_device seed;
    std::mt19937_64 random(seed());
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
        std::string name(prefix);
        for (int i = 0; i < 8; ++i) name.push_back(kLetters[random() % (sizeof kLetters - 1)]);
        std::error_code ec;
        if (std::filesystem::create_directory(base / name, ec) && !ec) return (base / name).string();
    }
    return {};
}

class TempDir {
public:
    TempDir() : m_path(createUniqueFolder("tallyscan-test-")) {}
    ~TempDir() {
        if (m_path.empty()) return;
        std::error_code ec;
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                     ec);
        std::filesystem::remove_all(m_path, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return m_path; }
    // The path of `relative` ("app/frmMain.frm") below the directory, with the system's separators.
    std::string operator/(std::string_view relative) const { return nativePath(m_path + "/" + std::string(relative)); }
    // Writes `bytes` to a file below the directory, creating its folders; returns its full path.
    std::string write(std::string_view relative, std::string_view bytes) const {
        std::string full = *this / relative;
        std::filesystem::create_directories(std::filesystem::path(full).parent_path());
        std::ofstream(full, std::ios::binary) << bytes;
        return full;
    }
    std::string read(std::string_view relative) const {
        std::ifstream in(*this / relative, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // The names in the directory, sorted: to see that no temporary file was left behind.
    std::vector<std::string> names() const {
        std::vector<std::string> out;
        for (const auto& entry : std::filesystem::directory_iterator(m_path))
            out.push_back(entry.path().filename().string());
        std::sort(out.begin(), out.end());
        return out;
    }

private:
    std::string m_path;
};

}  // namespace tally
