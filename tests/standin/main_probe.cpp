// A program run by the host main() under the harness: it reads a file through a relative name, greets
// on standard output, records one event and ends with code 3.
#include <proto/dos.h>
#include <proto/exec.h>
#include <standin/standin.h>

#include <cstdio>

int amiga_main(void)
{
    char line[64] = "";
    BPTR fh = Open("texte/hello.txt", MODE_OLDFILE);
    if (fh) {
        FGets(fh, line, sizeof(line));
        Close(fh);
    }
    std::printf("%s", line);
    PrintFault(ERROR_OBJECT_NOT_FOUND, nullptr);
    standin::transcript_event("probe", {{"ram", Lock("RAM:T", SHARED_LOCK) != 0}});
    return 3;
}
