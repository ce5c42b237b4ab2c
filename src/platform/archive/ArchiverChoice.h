#pragma once
// The archiver the program uses on the machine it runs on.

#include <memory>

#include "core/archive/Archiver.h"

namespace tally {

std::unique_ptr<Archiver> makeSystemArchiver();

}  // namespace tally
