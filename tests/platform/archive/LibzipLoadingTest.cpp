// The program starts without libzip and the compression and crypto libraries it brings; the first
// zip run loads it. (A program of its own: no other test may have run a zip in this process.)

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "platform/archive/LibzipCalls.h"

namespace tally {
namespace {

#if defined(TALLY_LIBZIP_SONAME)
// Whether a library whose file name holds `name` is mapped into this process.
bool mapped(const std::string& name) {
    std::ifstream maps("/proc/self/maps");
    for (std::string line; std::getline(maps, line);)
        if (line.find(name) != std::string::npos) return true;
    return false;
}

TEST(LibzipLoading, TheLibraryComesWithTheFirstRunThatNeedsIt) {
    EXPECT_FALSE(mapped(TALLY_LIBZIP_SONAME));
    EXPECT_FALSE(mapped("libcrypto"));
    std::string why;
    ASSERT_TRUE(loadLibzip(&why)) << why;
    EXPECT_TRUE(mapped(TALLY_LIBZIP_SONAME));
    // The functions are the library's own: an error set through them reads back.
    zip_error_t error;
    libzip().zip_error_init(&error);
    libzip().zip_error_set(&error, ZIP_ER_NOENT, 0);
    EXPECT_EQ(libzip().zip_error_code_zip(&error), ZIP_ER_NOENT);
    libzip().zip_error_fini(&error);
}
#else
TEST(LibzipLoading, TheLinkedLibraryIsAlwaysThere) {
    ASSERT_TRUE(loadLibzip());
    EXPECT_EQ(libzip().zip_error_init, &::zip_error_init);
}
#endif

}  // namespace
}  // namespace tally
