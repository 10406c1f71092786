// The sanitizers' defaults for every test executable of a sanitized build.
// - allocator_may_return_null: an impossible request is answered with NULL,
//   so that the out-of-storage paths can be taken.
// - intercept_tls_get_addr=0: the leak checker's record of dynamic
//   thread-local blocks misreads this C library's blocks (a block of a
//   library loaded at run time is taken for one of terabytes) and its
//   scan at exit then faults; the blocks are left out of the scan.
extern "C" const char* __asan_default_options()
{
    return "allocator_may_return_null=1:intercept_tls_get_addr=0";
}
