/*
** gen_sql.h: repository statements of the generator through the services
** library: a declared statement area with its location tag, and a cursor
** that fetches into typed buffers. Every failure ends the process through
** the generator's fatal SQL path with the tag of the failing step ("/A"
** open, "/B" first fetch, "/C" later fetch, "/D" close, unless the caller
** names the four step letters itself).
*/
#ifndef GENERATOR_CORE_GEN_SQL_H
#define GENERATOR_CORE_GEN_SQL_H

#include <memory>
#include <string>

#include "generator/core/output/services.h"
#include "platform/dqos/dqos.h"

class GenSqlCursor {
public:
    /* tagBase is "DC_P3109/QV_F60"; the statement is declared by the caller
    ** into Area() after Begin(). */
    explicit GenSqlCursor(std::string tagBase, const char* pszSteps = "ABCD")
        : tagBase_(std::move(tagBase)), steps_(pszSteps), area_(std::make_unique<SSQL_AREA>())
    {}
    ~GenSqlCursor()
    {
        if (open_)
            SSQL_sCloseExt(cursor_, &ca_, nullptr);
    }
    GenSqlCursor(const GenSqlCursor&) = delete;
    GenSqlCursor& operator=(const GenSqlCursor&) = delete;

    SSQL_AREA* Begin()
    {
        SetTag(0);
        return area_.get();
    }
    /* After the declaration: checks it and opens the cursor. */
    void Open(unsigned short usDeclareRc)
    {
        if (usDeclareRc != SSQL_RC_OK || SSQL_sOpenExt(&cursor_) != SSQL_RC_OK)
            P3109_FatalSqlError(Tag(0).c_str());
        open_ = true;
    }
    /* true with a row; false at the end; an error is fatal. */
    template <typename... Columns> bool Fetch(Columns... columns)
    {
        const int step = first_ ? 1 : 2;
        SetTag(step);
        // the row is read from the buffers: no descriptor area is made
        unsigned short rc =
            SSQL_sFetchExt(area_.get(), cursor_, &ca_, nullptr, static_cast<uint16_t>(sizeof...(Columns)), columns...);
        first_ = false;
        if (rc == SSQL_RC_OK)
            return true;
        if (rc == SSQL_RC_ERROR)
            P3109_FatalSqlError(Tag(step).c_str());
        return false;
    }
    void Close()
    {
        SetTag(3);
        open_ = false;
        if (SSQL_sCloseExt(cursor_, &ca_, nullptr) != SSQL_RC_OK)
            P3109_FatalSqlError(Tag(3).c_str());
    }

private:
    std::string Tag(int step) const { return tagBase_ + "/" + steps_[step]; }
    void SetTag(int step) { SSQL_SetLocation(Tag(step).c_str()); }

    std::string tagBase_;
    const char* steps_;
    std::unique_ptr<SSQL_AREA> area_;
    uint16_t cursor_ = 0;
    bool open_ = false;
    bool first_ = true;
    SSQL_SQLDA* ca_ = nullptr;
};

#endif
