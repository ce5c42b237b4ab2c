#include "core/codeview/ColouringProgress.h"

namespace tally {

int progressStripWidth(int stripWidth, std::size_t total, std::size_t current) {
    if (total == 0 || stripWidth <= 0) return 1;
    long long width =
        static_cast<long long>(stripWidth) * static_cast<long long>(current) / static_cast<long long>(total);
    return width < 1 ? 1 : static_cast<int>(width);
}

}  // namespace tally
