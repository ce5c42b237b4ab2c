#include "platform/archive/ArchiverChoice.h"

#include "platform/archive/LibzipArchiver.h"

namespace tally {

// libzip serves every system the program is built for, so there is one choice to make.
std::unique_ptr<Archiver> makeSystemArchiver() {
    return std::make_unique<LibzipArchiver>();
}

}  // namespace tally
