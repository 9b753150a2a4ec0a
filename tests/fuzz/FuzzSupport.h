#pragma once
// What the fuzz targets share: a private working directory and the headless media library.

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

// Each once per process: a fresh temporary working directory with sprites/ and sounds/, and the
// window and mixer opened with SDL's headless drivers.
void EnterFuzzDirectory();
void StartHeadlessMedia();
void WriteFile(const std::string& name, const uint8_t* data, size_t size);
