// Cursor over a declared repository statement (see dqoo_repository.h).

#include "platform/dqoo/dqoo_repository.h"

namespace dqoo {

Cursor::Cursor(const SSQL_AREA& area, const char* location) : area_(area), location_(location)
{
    SSQL_SetLocation(location);
    open_ = area.ulSerial != 0 && SSQL_sOpenExt(&cursor_) == SSQL_RC_OK;
}

Cursor::~Cursor()
{
    if (open_)
        SSQL_sCloseExt(cursor_, &ca_, nullptr);
}

}  // namespace dqoo
