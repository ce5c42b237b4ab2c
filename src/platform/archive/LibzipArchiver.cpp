#include "platform/archive/LibzipArchiver.h"

#include "platform/archive/LibzipCalls.h"
#include "platform/archive/ZipRuns.h"

namespace tally {

Outcome LibzipArchiver::run(const std::string& zipFile, const ZipOptions& options,
                            const std::vector<std::string>& patterns, const ZipEvents& events) {
    archive::ZipRunContext context(events, options.messageLevel);
    // Without the library nothing is touched: the run ends as it does in a build without one.
    std::string why;
    Outcome result = !loadLibzip(&why) ? Outcome::failure(445, "The zip library could not be loaded.", why)
                     : options.deleteEntries ? archive::deleteEntries(zipFile, options, patterns, context)
                                             : archive::addFiles(zipFile, options, patterns, context);
    // A stop is the user's own doing, not an error to tell them about.
    if (!result && result.errorNumber != kZipCancelled) context.warn("error: " + result.detail);
    return result;
}

}  // namespace tally
