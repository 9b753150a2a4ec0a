#pragma once
// What the fuzz targets share: a private working directory and the headless media library.

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

// Makes a fresh temporary directory the working directory, once per process.
void EnterFuzzDirectory();
// Opens the window and the mixer with SDL's headless drivers, once per process.
void StartHeadlessMedia();
void WriteFile(const std::string& name, const uint8_t* data, size_t size);
