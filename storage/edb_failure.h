#pragma once

#include <string>

#include "storage/edb_database.h"

namespace quill {

void SetLastEdbError(EdbError error);

// A caller broke the engine's contract (a field that does not exist, a read without a
// database): reports on stderr and stops the program.
[[noreturn]] void EdbProgrammingError(const std::string& message);

}  // namespace quill
