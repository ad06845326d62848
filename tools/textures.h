// The house's fourteen texture files, drawn by our own generator.
#pragma once

#include <string>

// Writes them into `folder`: nullptr when all were written, else the name of
// the first file that could not be.
const char* writeTextures(const std::string& folder);
