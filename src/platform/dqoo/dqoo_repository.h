// Reading rows of the repository through the services library: a cursor
// that is closed with its object, and typed column buffers.
#ifndef DQOV_PLATFORM_DQOO_REPOSITORY_H
#define DQOV_PLATFORM_DQOO_REPOSITORY_H

#include "platform/dqos/dqos.h"

#include <cstdint>
#include <string>

namespace dqoo {

// A blank-padded name handed in by a caller, without its trailing blanks
// (empty for a null pointer), as the repository keys are compared.
inline std::string trimmedName(const char* text)
{
    std::string s = text != nullptr ? text : "";
    s.erase(s.find_last_not_of(' ') + 1);
    return s;
}

// A varying text column: 16-bit length, then the text.
template <size_t Width> struct VaryingText {
    uint16_t length = 0;
    char text[Width] = {};
    std::string str() const { return std::string(text, length); }
    SSQL_COLUMN column() { return SSQL_VARYING(this, Width); }
};

// One open cursor over a declared statement.  Rows are fetched into the
// column buffers given to next(); the cursor is closed by the destructor.
class Cursor {
public:
    // Opens the cursor; ok() tells whether it could be opened.
    Cursor(const SSQL_AREA& area, const char* location);
    ~Cursor();
    Cursor(const Cursor&) = delete;
    Cursor& operator=(const Cursor&) = delete;

    bool ok() const { return open_; }

    // Fetches the next row: SSQL_RC_OK, SSQL_RC_END or SSQL_RC_ERROR.
    template <typename... Columns> unsigned short next(Columns... columns)
    {
        if (!open_)
            return SSQL_RC_ERROR;
        SSQL_SetLocation(location_.c_str());
        // the row is read from the buffers: no descriptor area is made
        return SSQL_sFetchExt(&area_, cursor_, &ca_, nullptr, static_cast<uint16_t>(sizeof...(Columns)), columns...);
    }

private:
    const SSQL_AREA& area_;
    std::string location_;
    uint16_t cursor_ = 0;
    bool open_ = false;
    SSQL_SQLDA* ca_ = nullptr;
};

}  // namespace dqoo

#endif
