#pragma once

#include <filesystem>
#include <string_view>
#include <system_error>

namespace quill {

// Replaces the whole file at `path` with `bytes` so that a reader sees either the old file or
// the complete new one: a temporary file beside the target is written, synced and renamed
// over it, then the directory is synced. An existing target keeps its permission bits.
// Returns an empty error code only when every byte is on disk; on failure the previous file
// is untouched and no temporary file is left behind.
std::error_code WriteFileReplacing(const std::filesystem::path& path, std::string_view bytes);

}  // namespace quill
