/*
** library_math.cpp: linked into the release library beside SQLite's static
** library. SQLite's table of SQL math functions holds the addresses of the
** C library's math functions, and they are the library's only calls into
** the math library: linked as they are, the loader would map the math
** library at every start and run its selectors of processor-specific
** variants, a quarter of a megabyte of its code resident in a job that
** calls none of it. The release library defines them itself, hidden, so
** that every reference binds here: each opens the math library on the
** first call of one of them and calls the math library's function.
*/
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>

namespace {

void* mathFunction(const char* name)
{
    static void* const library = dlopen("libm.so.6", RTLD_NOW | RTLD_LOCAL);
    void* function = library ? dlsym(library, name) : nullptr;
    if (!function) {
        // Only where the C library's own math library is missing: no
        // answer can be given, and a wrong one must not be.
        std::fprintf(stderr, "dqov: the math function %s cannot be loaded: %s\n", name, dlerror());
        std::abort();
    }
    return function;
}

}  // namespace

// Each is defined under its own name for the compiler (the math names are
// its built-ins) and under the math name for the linker, hidden.
#define DQOV_FORWARD_MATH1(name)                                                                                       \
    extern "C" double dqov_forward_##name(double) __asm__(#name) __attribute__((visibility("hidden")));                \
    double dqov_forward_##name(double x)                                                                               \
    {                                                                                                                  \
        static const auto function = reinterpret_cast<double (*)(double)>(mathFunction(#name));                        \
        return function(x);                                                                                            \
    }
#define DQOV_FORWARD_MATH2(name)                                                                                       \
    extern "C" double dqov_forward_##name(double, double) __asm__(#name) __attribute__((visibility("hidden")));        \
    double dqov_forward_##name(double x, double y)                                                                     \
    {                                                                                                                  \
        static const auto function = reinterpret_cast<double (*)(double, double)>(mathFunction(#name));                \
        return function(x, y);                                                                                         \
    }

DQOV_FORWARD_MATH1(acos)
DQOV_FORWARD_MATH1(acosh)
DQOV_FORWARD_MATH1(asin)
DQOV_FORWARD_MATH1(asinh)
DQOV_FORWARD_MATH1(atan)
DQOV_FORWARD_MATH1(atanh)
DQOV_FORWARD_MATH1(cos)
DQOV_FORWARD_MATH1(cosh)
DQOV_FORWARD_MATH1(exp)
DQOV_FORWARD_MATH1(log)
DQOV_FORWARD_MATH1(sin)
DQOV_FORWARD_MATH1(sinh)
DQOV_FORWARD_MATH1(sqrt)
DQOV_FORWARD_MATH1(tan)
DQOV_FORWARD_MATH1(tanh)
DQOV_FORWARD_MATH1(trunc)
DQOV_FORWARD_MATH2(atan2)
DQOV_FORWARD_MATH2(fmod)
DQOV_FORWARD_MATH2(pow)
