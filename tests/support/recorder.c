/* A stand-in helper program for launch tests. It appends its working
 * directory and every argument, one per line, to the file named by the
 * environment variable VELLORA_RECORD (argv[0] included), then exits. */
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

int main(int argc, char** argv)
{
    const char* target = getenv("VELLORA_RECORD");
    if (!target)
        return 2;
    FILE* out = fopen(target, "a");
    if (!out)
        return 3;
    char cwd[4096];
    fprintf(out, "cwd=%s\n", getcwd(cwd, sizeof cwd) ? cwd : "?");
    fprintf(out, "argc=%d\n", argc);
    for (int i = 0; i < argc; ++i)
        fprintf(out, "argv[%d]=%s\n", i, argv[i]);
    fprintf(out, "end\n");
    fclose(out);
    return 0;
}
