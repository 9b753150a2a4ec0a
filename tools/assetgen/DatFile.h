#pragma once
// Writing the game's scrambled asset files, exactly those its list names.

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace assetgen {

// Scrambles `plain` with the game's own position-keyed XOR and writes it to `path`, replacing any
// older file. Throws std::runtime_error naming the path when the file cannot be written.
void WriteDat(const std::filesystem::path& path, std::vector<uint8_t> plain);

// The paths the list of asset files names (the first word of each line not starting with '#').
// Throws std::runtime_error naming the list when it cannot be read.
std::vector<std::string> ReadAssetList(const std::filesystem::path& list);

// Writes each file (plain contents by path under `game`) with WriteDat, after checking that the
// files are exactly those `listed`: the build and the game expect the list, so a file made but not
// listed, or listed but not made, throws std::runtime_error naming it before anything is written.
void WriteAssetFiles(const std::filesystem::path& game, const std::map<std::string, std::vector<uint8_t>>& files,
                     const std::vector<std::string>& listed);

}  // namespace assetgen
