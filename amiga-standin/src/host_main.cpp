// The host's main(): sets up the harness from the environment, runs the program's own main (compiled
// as amiga_main), records how it ended and returns its code.
#include <standin/standin.h>

#include <cstdio>

int amiga_main(void);

int main(int argc, char **argv)
{
    standin::set_program_name(argc > 0 && argv[0] ? argv[0] : "program");
    standin::configure_from_environment();
    const int code = amiga_main();
    std::fflush(stdout);
    standin::transcript_event("exit", {{"code", code}});
    standin::shutdown();
    return code;
}
