/*
** library_relr.cpp: linked into the release library, whose relative
** relocations the linker packs into a DT_RELR table (a few kilobytes in
** place of a quarter of a megabyte of entries the loader reads at every
** start). The C library loads such a library only when it names the
** C library's GLIBC_ABI_DT_RELR version among those it needs; a reference
** to that version's marker symbol puts it there. The reference is weak, so
** that linking a program against the library does not ask for the marker
** as a definition.
*/
extern "C" [[gnu::weak]] const char dqov_relr_version_marker;
__asm__(".symver dqov_relr_version_marker, GLIBC_ABI_DT_RELR@GLIBC_ABI_DT_RELR");

namespace {
[[gnu::used]] const void* const kRelrVersionNeeded = &dqov_relr_version_marker;
}  // namespace
