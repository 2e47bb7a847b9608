#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The whole data/ directory: builds every model, picture, placement file and
// sound in memory and writes them under one directory.
struct ContentFile {
    std::string name;
    std::vector<uint8_t> bytes;
};

std::vector<ContentFile> placementFiles();
// False (with the reason in `error`) when a sound cannot be encoded.
bool soundFiles(std::vector<ContentFile>& out, std::string& error);

// Creates `directory` if needed and writes everything into it. Returns the
// number of files written, or -1 after printing the reason to stderr.
int writeContent(const std::string& directory);
