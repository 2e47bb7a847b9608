#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

// A fresh directory under /tmp for one test, removed with everything in it
// when the test ends. Optionally the working directory for that time.
class ScratchDirectory {
public:
    explicit ScratchDirectory(bool enter = false) {
        char pattern[] = "/tmp/zumbra-test.XXXXXX";
        const char* made = mkdtemp(pattern);
        path = made != nullptr ? made : "";
        if (enter && !path.empty()) {
            std::error_code error;
            previous = std::filesystem::current_path(error);
            std::filesystem::current_path(path, error);
            entered = !error;
        }
    }
    ~ScratchDirectory() {
        std::error_code error;
        if (entered) {
            std::filesystem::current_path(previous, error);
        }
        if (!path.empty()) {
            std::filesystem::remove_all(path, error);
        }
    }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    std::string file(const std::string& name) const { return path + "/" + name; }

    // Names in the directory, without "." and "..".
    std::vector<std::string> list() const {
        std::vector<std::string> names;
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(path, error)) {
            names.push_back(entry.path().filename());
        }
        return names;
    }

    static std::string contents(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    static void put(const std::string& file, const std::string& text) {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out << text;
    }

    std::string path;

private:
    std::filesystem::path previous;
    bool entered = false;
};
