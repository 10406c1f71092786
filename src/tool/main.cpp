// dqov: runs one check (and generate) job on one object of a repository, in
// tools mode, as the environment's command-line tools do.
#include <cstdio>
#include <cstring>

static void usage(FILE* to)
{
    std::fputs("usage: dqov [options] PROCESS FUNCTION\n"
               "       dqov [options] --component COMPONENT\n", to);
}

int main(int argc, char** argv)
{
    if (argc > 1 && (std::strcmp(argv[1], "-h") == 0 || std::strcmp(argv[1], "--help") == 0)) {
        usage(stdout);
        return 0;
    }
    usage(stderr);
    return 2;
}
