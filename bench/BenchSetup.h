#pragma once
// What every benchmark program shares: the window and the mixer opened as the game opens them, in
// a working directory that holds the generated pictures and sounds.

#include <filesystem>

// Makes dir the working directory (the game reads its assets relative to it), then opens the
// window and the mixer. Throws when either cannot be opened.
void OpenMedia(const std::filesystem::path& dir);
// Closes what OpenMedia opened.
void CloseMedia();

// The directory given by BOGLINGS_GAME_DIR in the environment, or the build's game directory.
std::filesystem::path GameDir();

// A copy of dir's pictures as plain 24-bit BMPs (the transparent colour made exact magenta again,
// so every blit draws the same pixels) with its sounds, in target. Returns target.
std::filesystem::path WriteBmp24Copy(const std::filesystem::path& dir, const std::filesystem::path& target);
