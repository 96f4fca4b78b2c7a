// make_volume DIR [count]: writes a synthetic PDS volume folder of COUNT
// labels (default 10000) with a data file beside each.

#include "VolumeGenerator.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s DIR [count]\n", argv[0]);
        return 2;
    }
    const int count = argc == 3 ? std::atoi(argv[2]) : 10000;
    if (count <= 0) {
        std::fprintf(stderr, "count must be a positive number\n");
        return 2;
    }
    if (!bench::WriteVolume(argv[1], count)) {
        std::fprintf(stderr, "cannot write the volume in %s\n", argv[1]);
        return 1;
    }
    return 0;
}
