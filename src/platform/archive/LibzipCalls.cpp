#include "platform/archive/LibzipCalls.h"

#if defined(TALLY_LIBZIP_SONAME)
#include <dlfcn.h>
#endif

namespace tally {

namespace {

struct LoadedLibzip {
    LibzipCalls calls;
    bool loaded = false;
    std::string failure;
};

LoadedLibzip load() {
    LoadedLibzip result;
#if defined(TALLY_LIBZIP_SONAME)
    // Kept loaded for the rest of the program: the archive code may hold its functions anywhere.
    void* library = ::dlopen(TALLY_LIBZIP_SONAME, RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        // The loader's reason begins with the library's name.
        const char* reason = ::dlerror();
        result.failure = reason ? reason : TALLY_LIBZIP_SONAME ": cannot be loaded";
        return result;
    }
    bool complete = true;
#define TALLY_LIBZIP_FIND(name)                                                        \
    result.calls.name = reinterpret_cast<decltype(&::name)>(::dlsym(library, #name));  \
    if (!result.calls.name && complete) {                                              \
        complete = false;                                                              \
        result.failure = std::string(TALLY_LIBZIP_SONAME) + " has no function " #name; \
    }
    TALLY_LIBZIP_FUNCTIONS(TALLY_LIBZIP_FIND)
#undef TALLY_LIBZIP_FIND
    result.loaded = complete;
#else
#define TALLY_LIBZIP_TAKE(name) result.calls.name = &::name;
    TALLY_LIBZIP_FUNCTIONS(TALLY_LIBZIP_TAKE)
#undef TALLY_LIBZIP_TAKE
    result.loaded = true;
#endif
    return result;
}

const LoadedLibzip& loaded() {
    static const LoadedLibzip once = load();
    return once;
}

}  // namespace

bool loadLibzip(std::string* why) {
    const LoadedLibzip& library = loaded();
    if (!library.loaded && why) *why = library.failure;
    return library.loaded;
}

const LibzipCalls& libzip() {
    return loaded().calls;
}

}  // namespace tally
