// nec2c-classic IN OUT
//
// Rewrites the nec2c listing IN into the classic NEC-2 listing layout and writes it to
// OUT (which may be IN itself). A listing already in the classic layout is copied
// unchanged. Exit code 0 on success, 1 on a read or write failure, 2 on wrong usage.
#include "engine/ClassicListing.h"

#include <cstdio>
#include <string>

using namespace vrnnec;

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: nec2c-classic IN OUT\n");
        return 2;
    }
    const std::string error = engine::RewriteListingFile(argv[1], argv[2]);
    if (!error.empty()) {
        std::fprintf(stderr, "nec2c-classic: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
