// The fixture of the definition and table writers: a job set up on the
// sample function, with readable files in place of the header, storage and
// main outputs, and the deferred queues read back line by line.
#ifndef DQOV_TESTS_GENERATOR_CORE_TABLES_FIXTURE_H
#define DQOV_TESTS_GENERATOR_CORE_TABLES_FIXTURE_H

#include "gen_fixture.h"

#include "generator/core/output/static_lists.h"

namespace gencore_test {

/* Lines written as "\n"-ended text without the trailing blank and CR. */
inline std::string plain(std::string text)
{
    for (size_t at; (at = text.find(" \r\n")) != std::string::npos;)
        text.replace(at, 3, "\n");
    return text;
}

/* The lines of a deferred queue, each preceded by its indent. */
inline std::string queueText(int queue)
{
    std::string text;
    for (const GEN_QUEUED_LINE& l : P3109_State().out.queues[static_cast<size_t>(queue - 1)])
        text.append(l.usIndent, ' ').append(l.text).append("\n");
    return text;
}

class TablesFixture : public GenFixture {
protected:
    /* The job's set-up, then the captures in place of its outputs. */
    void begin()
    {
        setUp();
        CGEN_SetTextLiteralLanguage("", "ENG"); /* the literals of this test only */
        GEN_MODULE_STATE& g = P3109_State();
        header_ = std::make_unique<Capture>();
        stg_ = std::make_unique<Capture>();
        main_ = std::make_unique<Capture>();
        g.header = header_->stream();
        g.stg = stg_->stream();
        g.out.mainOutput = main_->stream();
        g.out.current = main_->stream();
        g.out.usIndent = 0;
        g.skel.usColumn = 0;
    }
    void TearDown() override
    {
        header_.reset();
        stg_.reset();
        main_.reset();
        GenFixture::TearDown();
    }
    std::string header() const { return plain(header_->text()); }
    std::string stg() const { return plain(stg_->text()); }
    std::string mainText() const { return plain(main_->text()); }

    std::unique_ptr<Capture> header_, stg_, main_;
};

}  // namespace gencore_test

#endif
