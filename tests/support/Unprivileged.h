#pragma once

#include <unistd.h>

// Permission bits do not stop root, and CI runs the tests as root: while an
// Unprivileged lives, the process acts as the user "nobody" (its effective
// ids only, so they come back), and a folder or file without write or read
// permission refuses it as it refuses any user. Without root it does nothing.
class Unprivileged
{
public:
    static constexpr uid_t nobody = 65534;

    Unprivileged()
    {
        if (wasRoot)
            dropped = setegid (nobody) == 0 && seteuid (nobody) == 0;
    }

    ~Unprivileged()
    {
        if (wasRoot)
        {
            [[maybe_unused]] const int user = seteuid (0);
            [[maybe_unused]] const int group = setegid (0);
        }
    }

    // False only when root could not give up its rights, where the test cannot show anything.
    bool isEffective() const { return ! wasRoot || dropped; }

    Unprivileged (const Unprivileged&) = delete;
    Unprivileged& operator= (const Unprivileged&) = delete;

private:
    const bool wasRoot = geteuid() == 0;
    bool dropped = false;
};
