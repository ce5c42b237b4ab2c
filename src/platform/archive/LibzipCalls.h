#pragma once
// libzip's functions as the archive code calls them. Where the build knows the library's file name,
// the library is loaded when the first zip run asks for it rather than when the program starts: with
// the compression and crypto libraries it brings, loading it cost every command, a `tree` or a scan
// as much as a `zip`, about 2.5 ms of start-up. Elsewhere the functions are the linked ones.

#include <zip.h>

#include <string>

namespace tally {

// Every libzip function the archive code uses.
// clang-format off
#define TALLY_LIBZIP_FUNCTIONS(X)                                                              \
    X(zip_close) X(zip_delete) X(zip_discard) X(zip_encryption_method_supported)               \
    X(zip_error_code_system) X(zip_error_code_zip) X(zip_error_fini) X(zip_error_init)         \
    X(zip_error_set) X(zip_error_strerror) X(zip_error_system_type) X(zip_error_to_data)       \
    X(zip_file_add) X(zip_file_replace) X(zip_file_set_encryption)                             \
    X(zip_file_set_external_attributes) X(zip_file_set_mtime) X(zip_get_error) X(zip_get_name) \
    X(zip_get_num_entries) X(zip_name_locate) X(zip_open_from_source)                          \
    X(zip_register_cancel_callback_with_state) X(zip_set_file_compression)                     \
    X(zip_source_buffer_create) X(zip_source_close) X(zip_source_free)                         \
    X(zip_source_function_create) X(zip_source_keep) X(zip_source_make_command_bitmap)         \
    X(zip_source_open) X(zip_source_read) X(zip_stat_index) X(zip_stat_init)
// clang-format on

struct LibzipCalls {
#define TALLY_LIBZIP_POINTER(name) decltype(&::name) name = nullptr;
    TALLY_LIBZIP_FUNCTIONS(TALLY_LIBZIP_POINTER)
#undef TALLY_LIBZIP_POINTER
};

// Loads libzip once, on whichever thread asks first; false when it cannot be loaded or lacks one of
// the functions, and then `why` (when given) says what went wrong.
bool loadLibzip(std::string* why = nullptr);

// The functions; only once loadLibzip() succeeded.
const LibzipCalls& libzip();

}  // namespace tally
