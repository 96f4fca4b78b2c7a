#pragma once
// Writes a synthetic folder tree for the search benchmark: 10 top folders,
// 9 folders in each, 110 folders in each of those (10,000 folders), and 9
// files in every folder (90,000 files): 100,000 entries. Then one file,
// HALFWAY.EXE, is put into the folder that a depth-first, pre-order walk
// in the file system's listing order (the order of the search and of
// find) meets half-way, the 5,000th folder. Used by make_tree and
// bench_search.

#include <dirent.h>
#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace bench {

inline constexpr int kTreeFolders = 10000;
inline constexpr int kTreeEntries = 100000;
inline constexpr const char* kHalfwayName = "HALFWAY.EXE";

inline bool WriteFiles(const std::filesystem::path& folder)
{
    for (int i = 0; i < 9; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "File%02d.DAT", i);
        std::ofstream out(folder / name);
        if (!out)
            return false;
    }
    return true;
}

// The folders below root in pre-order, each folder listed as readdir gives
// its entries.
inline void PreOrderFolders(const std::string& root, std::vector<std::string>& folders)
{
    std::vector<std::string> pending{root};
    while (!pending.empty()) {
        const std::string folder = pending.back();
        pending.pop_back();
        if (folder != root)
            folders.push_back(folder);
        DIR* dir = opendir(folder.c_str());
        if (!dir)
            continue;
        std::vector<std::string> subfolders;
        while (const dirent* entry = readdir(dir)) {
            if (entry->d_name[0] == '.')
                continue;
            const std::string path = folder + "/" + entry->d_name;
            struct stat st {};
            if (lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
                subfolders.push_back(path);
        }
        closedir(dir);
        // Pushed in reverse so that the first listed is taken next.
        for (auto it = subfolders.rbegin(); it != subfolders.rend(); ++it)
            pending.push_back(*it);
    }
}

// Writes the tree into root (created) and returns the folder that holds
// HALFWAY.EXE, or an empty string on failure.
inline std::string WriteTree(const std::string& root)
{
    namespace fs = std::filesystem;
    std::error_code error;
    fs::create_directories(root, error);
    if (error)
        return {};
    for (int top = 0; top < 10; ++top) {
        const fs::path a = fs::path(root) / ("Top" + std::to_string(top));
        for (int mid = 0; mid < 9; ++mid) {
            const fs::path b = a / ("MIDDLE" + std::to_string(mid));
            for (int leaf = 0; leaf < 110; ++leaf) {
                const fs::path c = b / ("leaf" + std::to_string(leaf));
                fs::create_directories(c, error);
                if (error || !WriteFiles(c))
                    return {};
            }
            if (!WriteFiles(b))
                return {};
        }
        if (!WriteFiles(a))
            return {};
    }
    std::vector<std::string> folders;
    PreOrderFolders(root, folders);
    if (folders.size() != 10 + 90 + 9900)
        return {};
    const std::string halfway = folders[folders.size() / 2 - 1];
    std::ofstream(fs::path(halfway) / kHalfwayName);
    return halfway;
}

}  // namespace bench
