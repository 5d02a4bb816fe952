#include "tools/presetcheck/PresetCheck.h"

// presetcheck: renders every factory preset and exits non-zero when the bank
// fails its checks (a silent preset, a preset clipping a -6 dBFS input, two
// presets that are practically the same).
int main()
{
    return PresetCheck().run() == 0 ? 0 : 1;
}
