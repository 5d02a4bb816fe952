#include "fuzz/FuzzTarget.h"

#if defined (QUILVERN_LIBFUZZER)
 #include <cstdio>
 #include <cstdlib>
#else
 #include <gtest/gtest.h>
#endif

std::vector<FuzzTarget>& FuzzTarget::all()
{
    static std::vector<FuzzTarget> targets;
    return targets;
}

void fuzzExpect (bool condition, const char* what)
{
    if (condition)
        return;

#if defined (QUILVERN_LIBFUZZER)
    std::fprintf (stderr, "fuzz property broken: %s\n", what);
    std::abort();
#else
    ADD_FAILURE() << "fuzz property broken: " << what;
#endif
}
