#pragma once
// Writing the game's scrambled asset files.

#include <filesystem>
#include <vector>

namespace assetgen {

// Scrambles `plain` with the game's own position-keyed XOR and writes it to `path`, replacing any
// older file. Throws std::runtime_error naming the path when the file cannot be written.
void WriteDat(const std::filesystem::path& path, std::vector<uint8_t> plain);

}  // namespace assetgen
