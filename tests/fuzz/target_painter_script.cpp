// The painter-script reader: any text as a painter script. A script either
// reads or is refused with the reason.
#include "fuzz_target.h"

#include <memory>
#include <string>

#include "runcontrol/painter_script.h"

DQOV_FUZZ_TARGET(painter_script)
{
    const std::string text = dqov_fuzz::Text(data, size);
    std::string error;
    const std::unique_ptr<painter::PainterScript> script = painter::PainterScript::Parse(text, error);
    if (!script && error.empty())
        __builtin_trap();
}
