/* A stand-in helper program for launch tests. It appends its working
 * directory and every argument, one per line, to the file named by the
 * environment variable VELLORA_RECORD (argv[0] included), then its process
 * id, whether it leads its own session and what its standard input is,
 * then exits. */
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
    fprintf(out, "pid=%ld\n", (long)getpid());
    fprintf(out, "session-leader=%d\n", getsid(0) == getpid());
    char input[4096];
    const ssize_t length = readlink("/proc/self/fd/0", input, sizeof input - 1);
    input[length > 0 ? length : 0] = 0;
    fprintf(out, "stdin=%s\n", input);
    fprintf(out, "end\n");
    fclose(out);
    return 0;
}
