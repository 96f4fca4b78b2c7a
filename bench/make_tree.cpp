// make_tree DIR: writes the search benchmark's tree of 100,000 entries in
// 10,000 folders into DIR and prints the folder that holds HALFWAY.EXE.

#include "TreeGenerator.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DIR\n", argv[0]);
        return 2;
    }
    const std::string halfway = bench::WriteTree(argv[1]);
    if (halfway.empty()) {
        std::fprintf(stderr, "cannot write the tree in %s\n", argv[1]);
        return 1;
    }
    std::printf("%s\n", halfway.c_str());
    return 0;
}
