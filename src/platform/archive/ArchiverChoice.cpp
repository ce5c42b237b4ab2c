#include "platform/archive/ArchiverChoice.h"

#if TALLY_HAVE_LIBZIP
#include "platform/archive/LibzipArchiver.h"
#endif

namespace tally {

namespace {

#if !TALLY_HAVE_LIBZIP
// What a build without libzip offers: every run fails before anything is touched, with the
// language's "Feature not available" number.
class MissingArchiver final : public Archiver {
public:
    Outcome run(const std::string&, const ZipOptions&, const std::vector<std::string>&,
                const ZipEvents&) override {
        return Outcome::failure(445, "This build of Tallyscan 6 has no zip library.");
    }
};
#endif

}  // namespace

// libzip serves every system the program is built for, so there is one choice to make.
std::unique_ptr<Archiver> makeSystemArchiver() {
#if TALLY_HAVE_LIBZIP
    return std::make_unique<LibzipArchiver>();
#else
    return std::make_unique<MissingArchiver>();
#endif
}

}  // namespace tally
