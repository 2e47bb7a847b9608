#pragma once

#include <dirent.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
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
            char* old = getcwd(nullptr, 0);
            if (old != nullptr) {
                previous = old;
                free(old);
            }
            entered = chdir(path.c_str()) == 0;
        }
    }
    ~ScratchDirectory() {
        if (entered) {
            (void)!chdir(previous.c_str());
        }
        if (!path.empty()) {
            const std::string command = "rm -rf '" + path + "'";
            (void)!std::system(command.c_str());
        }
    }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    std::string file(const std::string& name) const { return path + "/" + name; }

    // Names in the directory, without "." and "..".
    std::vector<std::string> list() const {
        std::vector<std::string> names;
        if (DIR* dir = opendir(path.c_str())) {
            while (dirent* e = readdir(dir)) {
                const std::string n = e->d_name;
                if (n != "." && n != "..") {
                    names.push_back(n);
                }
            }
            closedir(dir);
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
    std::string previous;
    bool entered = false;
};
