// The writer that the recorders of a variant's lines derive from: what only
// reads the generator's state passes through unnoticed, every service with
// an effect of its own reaches the generator's writer and is noted (a
// variant built with such an effect is not written again from its recorded
// lines), and the lines are the recorder's.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "expr_routine_support.h"
#include "generator/expressions/expr_forwarding_writer.h"

namespace {

// The generator's writer, also keeping the error texts and error exits.
class Generator : public CaptureWriter {
public:
    std::vector<std::string> errors;
    std::vector<std::string> exits;
    void ReportError(std::string_view text) override { errors.emplace_back(text); }
    void InternalError(std::string_view where) override { exits.emplace_back(where); }
};

class Recorder final : public ExprForwardingWriter {
public:
    using ExprForwardingWriter::ExprForwardingWriter;
    using ExprForwardingWriter::Passed;
    std::vector<std::string> kept;
    void WriteLine(uint32_t, uint16_t, std::string_view text) override { kept.emplace_back(text); }
};

TEST(ForwardingWriter, ReadsOfTheGeneratorsStatePassUnnoticed)
{
    Generator gen;
    gen.target = '#';
    gen.stream = 11;
    gen.indent = 6;
    gen.depth = 2;
    gen.sqlNullMode = 'S';
    gen.nameCharacter3 = '@';
    Recorder r(gen);
    EXPECT_TRUE(r.CSharp());
    EXPECT_EQ(r.OutputStream(), 11u);
    EXPECT_EQ(r.OutputIndent(), 6);
    EXPECT_EQ(r.OutputDepth(), 2);
    EXPECT_EQ(r.HeaderStream(), 8u);
    EXPECT_EQ(r.SourceStream(), 7u);
    EXPECT_EQ(r.SqlNullAssignMode(), 'S');
    EXPECT_EQ(r.NameCharacter3(), '@');
    EXPECT_EQ(&r.Fields(), &gen.dictionary);
    /* a string constant is named by the generator: a quote as its escape */
    std::string reference, declared;
    r.StringConstant("A\"B", reference, declared);
    EXPECT_EQ(reference, "\"A\\x22\"\"B\"");
    /* the lines are the recorder's, none reaches the generator */
    r.Line("lOperand1 = 1;");
    EXPECT_EQ(r.kept, std::vector<std::string>{"lOperand1 = 1;"});
    EXPECT_TRUE(gen.lines.empty());
    EXPECT_FALSE(r.Passed());
}

TEST(ForwardingWriter, EveryServiceWithAnEffectReachesTheGeneratorAndIsNoted)
{
    struct Effect {
        const char* name;
        std::function<void(Recorder&)> call;
        std::function<bool(const Generator&)> reached;
    };
    const std::vector<Effect> effects = {
        {"stream", [](Recorder& r) { r.SetOutputStream(12); }, [](const Generator& g) { return g.stream == 12; }},
        {"indent", [](Recorder& r) { r.SetOutputIndent(9); }, [](const Generator& g) { return g.indent == 9; }},
        {"depth", [](Recorder& r) { r.IndentIn(); },
         [](const Generator& g) { return g.depth == 1 && g.indent == 6; }},
        {"macro", [](Recorder& r) { r.SetMacroContinuation(true); }, [](const Generator& g) { return g.macro; }},
        {"prefix", [](Recorder& r) { r.SetTextLiteralPrefix("LITERALX"); },
         [](const Generator& g) { return g.prefix == "LITERALX"; }},
        {"message", [](Recorder& r) { r.IssueMessage('F', "PRC1008", "EXPCALC"); },
         [](const Generator& g) { return g.messages == std::vector<std::string>{"F PRC1008 EXPCALC"}; }},
        {"failure", [](Recorder& r) { r.ObjectLayerFailure("DQOO_FCC_EnumerateRoutinePcode", 4); },
         [](const Generator& g) { return g.failures == std::vector<std::string>{"DQOO_FCC_EnumerateRoutinePcode 4"}; }},
        {"error", [](Recorder& r) { r.ReportError("value too long"); },
         [](const Generator& g) { return g.errors == std::vector<std::string>{"value too long"}; }},
        {"exit", [](Recorder& r) { r.InternalError("EXPR_WriteInstructionTable"); },
         [](const Generator& g) { return g.exits == std::vector<std::string>{"EXPR_WriteInstructionTable"}; }},
    };
    for (const Effect& e : effects) {
        Generator gen;
        Recorder r(gen);
        e.call(r);
        EXPECT_TRUE(e.reached(gen)) << e.name;
        EXPECT_TRUE(r.Passed()) << e.name;
        EXPECT_TRUE(gen.lines.empty()) << e.name;
    }
}

}  // namespace
