// The libFuzzer entry of one fuzz target: the executable is built of this
// file and the target's source, whose one registration it calls.
#include "fuzz_target.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static dqov_fuzz::TargetFunction target = dqov_fuzz::Targets().front().second;
    target(data, size);
    return 0;
}
