// Shared by the fuzz targets whose reader takes a file: a scratch folder for the run, removed at
// exit, and the input bytes written to a file in it.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace Velmora::Tests {

/// A fresh folder /tmp/velmora-NAME-fuzz-XXXXXX, made on the first call and removed at exit.
inline const std::string& ScratchFolder(const std::string& name) {
    static const std::string root = [&name] {
        std::string pattern = "/tmp/velmora-" + name + "-fuzz-XXXXXX";
        if (!mkdtemp(pattern.data())) std::abort();
        return pattern;
    }();
    static const int removal = std::atexit([] { std::filesystem::remove_all(root); });
    (void)removal;
    return root;
}

/// Writes the bytes to the file at path, replacing it; returns the path.
inline const std::string& WriteInput(const std::string& path, const uint8_t* data, size_t size) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) std::abort();
    if (size > 0 && std::fwrite(data, 1, size, file) != size) std::abort();
    std::fclose(file);
    return path;
}

} // namespace Velmora::Tests
