// Test fixture of the command emitters: the generator set up for a function
// of the sample repository, a command lookup of every command of the
// language, parsed commands put into the command store and made current
// one by one, and the lines the emitters write captured as (stream,
// indent, text) through the deferred line queues.
#ifndef DQOV_TESTS_GENERATOR_EMITTERS_EMIT_FIXTURE_H
#define DQOV_TESTS_GENERATOR_EMITTERS_EMIT_FIXTURE_H

#include "generator/core/gen_fixture.h"

#include <initializer_list>
#include <ostream>

#include "generator/core/model/gen_chains.h"
#include "generator/core/points/command_loop.h"
#include "generator/emitters/emitters.h"
#include "params/parsed_command.h"

namespace emitters_test {

using namespace gencore_test;

/* One written line. */
struct Line {
    int stream;
    uint16_t indent;
    std::string text;
    bool operator==(const Line& o) const { return stream == o.stream && indent == o.indent && text == o.text; }
};

inline std::ostream& operator<<(std::ostream& out, const Line& l)
{
    return out << "(" << l.stream << ", " << l.indent << ", \"" << l.text << "\")";
}

/* The queue that stands in for the current output stream. */
inline constexpr GEN_STREAM kCurrent = 6;

class EmitterFixture : public GenFixture {
protected:
    void SetUp() override
    {
        GenFixture::SetUp();
        ctx.pCommandLookup = fullLookup();
        if (!ctx.pCommandStore) {
            ASSERT_EQ(RS_sCreateCommandStores(&ctx), 0);
        }
        setUp();
        GEN_MODULE_STATE& g = P3109_State();
        g.header = 5;
        g.out.mainOutput = kCurrent;
        g.out.current = kCurrent;
        g.out.usIndent = 3;
        g.out.sDepth = 0;
        g.out.cSuppress = 'N';
    }

    void TearDown() override
    {
        GEN_MODULE_STATE& g = P3109_State();
        g.cTarget = GEN_TARGET_C;
        g.cRoutineFlag1 = g.cRoutineFlag2 = 'N';
        g.header = GEN_NO_STREAM;
        GenFixture::TearDown();
    }

    /* Every command name of the language, sorted, as the checker's lookup. */
    static FFC_COMMAND_LOOKUP* fullLookup()
    {
        static FFC_COMMAND_LOOKUP lookup;
        std::memset(&lookup, 0, sizeof lookup);
        std::vector<std::string> names;
        for (const auto& c : dqov::cmdparm::kCommands) {
            std::string n = c.name;
            n.resize(10, ' ');
            names.push_back(n);
        }
        std::sort(names.begin(), names.end());
        size_t i = 0;
        lookup.aEntries[i++].ulNumber = FFC_COMMAND_LOOKUP_ENTRIES;
        for (const std::string& n : names) {
            std::memcpy(lookup.aEntries[i].acName, n.data(), 10);
            lookup.aEntries[i].ulNumber = static_cast<uint32_t>(i);
            ++i;
        }
        return &lookup;
    }

    /* A command numbered after the ones made before, with its source text. */
    FFC_PARSED_COMMAND& command(const std::string& name, const std::string& source = "", const std::string& label = "")
    {
        commands_.emplace_back(std::make_unique<FFC_PARSED_COMMAND>());
        FFC_PARSED_COMMAND& p = *commands_.back();
        std::memset(&p, 0, sizeof p);
        p.sLine = static_cast<int16_t>(commands_.size());
        p.sSequence = p.sLine;
        p.lDispatchId = -1;
        std::string n = name, l = label;
        n.resize(10, ' ');
        l.resize(3, ' ');
        std::memcpy(p.acName, n.data(), 10);
        std::memcpy(p.acLabel, l.data(), 3);
        std::memset(p.acParms, ' ', sizeof p.acParms);
        /* as the parser leaves them: every list count and number 0 */
        const int ci = dqov::cmdparm::FindCommand(dqov::cmdparm::CommandNameOf(p));
        if (ci >= 0) {
            const auto& def = dqov::cmdparm::kCommands[static_cast<size_t>(ci)];
            for (int i = 0; i < def.count; ++i) {
                const auto& param = def.params[i];
                const int32_t at = dqov::cmdparm::CountOffset(def.name, param.keyword);
                if (at >= 0 && at + 4 <= FFC_PARM_AREA_SIZE)
                    std::memset(p.acParms + at, 0, 4);
                for (int e = 0; e < param.elementCount; ++e) {
                    if (param.elements[e].kind != 'N' && param.elements[e].kind != 'H')
                        continue;
                    const uint16_t size = dqov::cmdparm::ElementSize(param.elements[e]);
                    for (int r = 0; r < param.entries; ++r) {
                        const int32_t n = dqov::cmdparm::EntryOffset(p, param.keyword, e, r, size);
                        if (n >= 0 && n + size <= FFC_PARM_AREA_SIZE)
                            std::memset(p.acParms + n, 0, size);
                    }
                }
            }
        }
        testCommands().push_back({name, {source.empty() ? name : source}, p.sLine});
        return p;
    }

    static void set(FFC_PARSED_COMMAND& p, const char* keyword, const std::string& value, int element = 0,
                    int entry = 0)
    {
        const std::string name = dqov::cmdparm::CommandNameOf(p);
        const int ci = dqov::cmdparm::FindCommand(name);
        ASSERT_GE(ci, 0) << name;
        const int pi = dqov::cmdparm::FindParam(dqov::cmdparm::kCommands[static_cast<size_t>(ci)], keyword);
        ASSERT_GE(pi, 0) << keyword;
        const auto& e = dqov::cmdparm::kCommands[static_cast<size_t>(ci)].params[pi].elements[element];
        const int32_t at = dqov::cmdparm::EntryOffset(p, keyword, element, entry, dqov::cmdparm::ElementSize(e));
        ASSERT_GE(at, 0) << keyword;
        if (e.kind == 'N' || e.kind == 'H') {
            const int32_t v = std::stoi(value);
            if (e.kind == 'H') {
                const int16_t h = static_cast<int16_t>(v);
                std::memcpy(p.acParms + at, &h, 2);
            } else {
                std::memcpy(p.acParms + at, &v, 4);
            }
            return;
        }
        std::string padded = value;
        padded.resize(dqov::cmdparm::ElementSize(e), ' ');
        std::memcpy(p.acParms + at, padded.data(), padded.size());
    }

    /* A list parameter: its entries (first element) and its count. */
    static void list(FFC_PARSED_COMMAND& p, const char* keyword, std::initializer_list<std::string> values)
    {
        int i = 0;
        for (const std::string& v : values)
            set(p, keyword, v, 0, i++);
        const int32_t at = dqov::cmdparm::CountOffset(dqov::cmdparm::CommandNameOf(p), keyword);
        ASSERT_GE(at, 0) << keyword;
        const int32_t n = i;
        std::memcpy(p.acParms + at, &n, 4);
    }

    /* Makes the command current as the command loop does. */
    void current(FFC_PARSED_COMMAND& p)
    {
        ASSERT_EQ(RS_PutCommandRecord(&ctx, &p, sizeof p), 0);
        GEN_COMMAND_RECORD r;
        r.usNumber = static_cast<uint16_t>(p.sLine);
        r.usSequence = 0;
        r.lLineNumber = p.sLine;
        std::memcpy(r.acLabel, p.acLabel, 3);
        std::memcpy(r.acName, p.acName, 10);
        P3109_MakeCurrentCommand(r);
        P3109_State().cLabelFlag = 'N';
    }

    /* The lines written while f runs, to the current stream (queue 6), to
    ** the data section (queue 1) and to the header (queue 5). */
    template <typename F> std::vector<Line> lines(F f)
    {
        GEN_MODULE_STATE& g = P3109_State();
        for (auto& q : g.out.queues)
            q.clear();
        g.out.current = kCurrent;
        f();
        std::vector<Line> out;
        for (int stream : {1, 5, 6})
            for (const GEN_QUEUED_LINE& l : g.out.queues[static_cast<size_t>(stream - 1)])
                out.push_back({stream, l.usIndent, std::string(l.text)});
        return out;
    }

    /* Dispatches a command through the command loop, with its block
    ** controls, and answers its lines. */
    std::vector<Line> dispatch(FFC_PARSED_COMMAND& p)
    {
        current(p);
        return lines([] { P3109_DispatchCommand(); });
    }

    /* The texts of the lines in order. */
    static std::vector<std::string> texts(const std::vector<Line>& ls)
    {
        std::vector<std::string> t;
        for (const Line& l : ls)
            t.push_back(l.text);
        return t;
    }

    /* The lines as "stream/indent|text", one a line, for failure messages. */
    static std::string dump(const std::vector<Line>& ls)
    {
        std::string d;
        for (const Line& l : ls)
            d += std::to_string(l.stream) + "/" + std::to_string(l.indent) + "|" + l.text + "\n";
        return d;
    }

    /* Whether the lines hold the run of lines given, one after the other. */
    static testing::AssertionResult holds(const std::vector<Line>& ls, const std::vector<Line>& run)
    {
        for (size_t i = 0; i + run.size() <= ls.size(); ++i)
            if (std::equal(run.begin(), run.end(), ls.begin() + static_cast<long>(i)))
                return testing::AssertionSuccess();
        return testing::AssertionFailure() << dump(ls);
    }

    static testing::AssertionResult holdsText(const std::vector<Line>& ls, const std::string& text)
    {
        for (const Line& l : ls)
            if (l.text == text)
                return testing::AssertionSuccess();
        return testing::AssertionFailure() << dump(ls);
    }

    /* A field of the function: defined and used. */
    void field(const std::string& name, char type = 'P', int32_t length = 5, int32_t decimals = 0)
    {
        defineField(name, type, length, decimals);
        useField(name, "FL", name);
    }

    std::vector<std::unique_ptr<FFC_PARSED_COMMAND>> commands_;
};

}  // namespace emitters_test

#endif
