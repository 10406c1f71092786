/*
** emitter_interface.cpp: the registry of section writers.
*/
#include "generator/core/emitter_interface.h"

#include <map>
#include <string>

namespace {

std::map<std::string, P3109_SECTION_WRITER, std::less<>>& writers()
{
    static std::map<std::string, P3109_SECTION_WRITER, std::less<>> m;
    return m;
}

} // namespace

void P3109_RegisterSectionWriter(std::string_view name, P3109_SECTION_WRITER pfnWriter)
{
    writers()[std::string(name)] = pfnWriter;
}

P3109_SECTION_WRITER P3109_pFindSectionWriter(std::string_view name)
{
    auto it = writers().find(name);
    return it == writers().end() ? nullptr : it->second;
}

void P3109_ClearRegistrations()
{
    writers().clear();
}
