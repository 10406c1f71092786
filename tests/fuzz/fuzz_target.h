// Fuzz targets: functions that take arbitrary bytes as the input of one
// reader or check of the library. Each is registered by name, so that the
// libFuzzer build (one executable per target, built by `make fuzz`) and the
// replay test of `make test` (every corpus file and every saved crasher of
// every target) run the same code.
//
// A target must come back for every input: a fatal end of the library (the
// process end through DosExit) is caught through the exit hook and counts
// as a handled outcome, as a clear message is.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace dqov_fuzz {

using TargetFunction = void (*)(const uint8_t* data, size_t size);

std::vector<std::pair<std::string, TargetFunction>>& Targets();
TargetFunction FindTarget(std::string_view name);

struct Registration {
    Registration(const char* name, TargetFunction function) { Targets().emplace_back(name, function); }
};

// Runs f with the library's fatal end turned into a return; true when f
// ran to its end, false when the library ended fatally.
bool RunGuarded(void (*f)(void*), void* user);
template <typename F> bool Guarded(F&& f)
{
    return RunGuarded([](void* u) { (*static_cast<F*>(u))(); }, &f);
}

// The input as text (a NUL byte stays in it).
inline std::string Text(const uint8_t* data, size_t size)
{
    return std::string(reinterpret_cast<const char*>(data), size);
}

}  // namespace dqov_fuzz

#define DQOV_FUZZ_TARGET(name)                                                                                         \
    static void FuzzTarget_##name(const uint8_t* data, size_t size);                                                   \
    static dqov_fuzz::Registration fuzzRegistration_##name(#name, FuzzTarget_##name);                                  \
    static void FuzzTarget_##name(const uint8_t* data, size_t size)
