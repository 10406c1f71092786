/*
** emitter_interface.cpp: the registries of emitters and section writers.
*/
#include "generator/core/emitter_interface.h"

#include <map>
#include <string>

namespace {

std::map<std::string, P3109_EMITTER, std::less<>>& emitters()
{
    static std::map<std::string, P3109_EMITTER, std::less<>> m;
    return m;
}

std::map<std::string, P3109_SECTION_WRITER, std::less<>>& writers()
{
    static std::map<std::string, P3109_SECTION_WRITER, std::less<>> m;
    return m;
}

} // namespace

void P3109_RegisterEmitter(std::string_view name, P3109_EMITTER pfnEmitter) { emitters()[std::string(name)] = pfnEmitter; }

P3109_EMITTER P3109_pFindEmitter(std::string_view name)
{
    auto it = emitters().find(name);
    return it == emitters().end() ? nullptr : it->second;
}

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
    emitters().clear();
    writers().clear();
}
