// Integrity of the opcode catalogue against the numbering rules of the
// opcode families: which numbers have rows, the gaps, the family ranges, the
// row rules and the companions named by each entry.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "generator/expressions/expr_opcode_traits.h"
#include "generator/expressions/expr_opcodes.h"

namespace {

using Range = std::pair<uint32_t, uint32_t>;

std::set<uint32_t> Numbers(std::initializer_list<Range> ranges)
{
    std::set<uint32_t> out;
    for (auto [a, b] : ranges)
        for (uint32_t n = a; n <= b; ++n)
            out.insert(n);
    return out;
}

std::set<uint32_t> Minus(std::set<uint32_t> a, const std::set<uint32_t>& b)
{
    for (uint32_t n : b)
        a.erase(n);
    return a;
}

std::string Short(const ExprOpcodeEntry* e)
{
    std::string n = e ? e->name : "";
    const std::string prefix = "X_COMP_OPCODE_";
    return n.rfind(prefix, 0) == 0 ? n.substr(prefix.size()) : n;
}

std::string Name(uint32_t number)
{
    return Short(EXPR_FindOpcode(number));
}

// Every number that has rows of its own, range by range, without the gaps.
std::set<uint32_t> NumbersWithRows()
{
    std::set<uint32_t> all;
    auto add = [&](const std::set<uint32_t>& s) { all.insert(s.begin(), s.end()); };
    add(Minus(Numbers({{1, 143}}), Numbers({{30, 30},
                                            {50, 50},
                                            {53, 63},
                                            {72, 79},
                                            {88, 95},
                                            {104, 111},
                                            {120, 127},
                                            {129, 129},
                                            {131, 131},
                                            {133, 133},
                                            {135, 135},
                                            {137, 137},
                                            {139, 139},
                                            {141, 141}})));
    add(Minus(Numbers({{144, 287}}), Numbers({{145, 147},
                                              {150, 151},
                                              {154, 155},
                                              {158, 159},
                                              {162, 163},
                                              {165, 165},
                                              {167, 167},
                                              {169, 169},
                                              {171, 175},
                                              {177, 178},
                                              {180, 181},
                                              {183, 184},
                                              {189, 223},
                                              {225, 225},
                                              {227, 227},
                                              {245, 255},
                                              {276, 287}})));
    add(Minus(Numbers({{288, 431}}), Numbers({{375, 376}, {378, 379}, {417, 431}})));
    add(Minus(Numbers({{432, 495}}), Numbers({{457, 463}, {490, 495}})));
    add(Minus(Numbers({{496, 559}}), Numbers({{521, 527}, {554, 559}})));
    add(Numbers({{560, 639}}));
    add(Minus(Numbers({{640, 767}}), Numbers({{655, 671}, {692, 703}, {720, 735}, {744, 767}})));
    add(Minus(Numbers({{768, 927}}), Numbers({{784, 799}, {892, 911}})));
    add(Minus(Numbers({{928, 991}}), Numbers({{951, 951}, {977, 991}})));
    add(Minus(Numbers({{992, 1071}}), Numbers({{1040, 1055}, {1058, 1064}, {1066, 1071}})));
    add(Minus(Numbers({{1072, 1295}}), Numbers({{1285, 1295}})));
    add(Numbers({{1296, 1299}}));
    return all;
}

TEST(OpcodeCatalogue, RowsExistExactlyForTheFamilyRangesWithoutTheirGaps)
{
    const std::set<uint32_t> expected = NumbersWithRows();
    EXPECT_EQ(expected.size(), 956u);
    for (uint32_t n = 0; n <= 1400; ++n) {
        EXPECT_EQ(EXPR_FindRowEntry(n) != nullptr, expected.count(n) == 1) << n;
    }
    for (uint32_t n : {65535u, 65536u, 65552u, 65553u, 0xFFFFFFFFu}) {
        EXPECT_EQ(EXPR_FindRowEntry(n), nullptr) << n;
    }
}

TEST(OpcodeCatalogue, PseudoOpcodesAreExactly65536To65552)
{
    for (uint32_t n = 65530; n <= 65560; ++n) {
        EXPECT_EQ(EXPR_IsPseudoOpcode(n), n >= 65536 && n <= 65552) << n;
        EXPECT_EQ(EXPR_FindOpcode(n), nullptr);
    }
}

TEST(OpcodeCatalogue, EveryNumberFindsItsFirstEntryAndNoOtherNumberAny)
{
    // Looked for entry by entry: the first entry of each number in the
    // catalogue's order; every number up to one past the highest that no
    // entry has finds nothing.
    std::map<uint32_t, const ExprOpcodeEntry*> first;
    uint32_t highest = 0;
    for (const auto& e : EXPR_OpcodeCatalogue()) {
        first.emplace(e.number, &e);
        highest = std::max(highest, e.number);
    }
    for (uint32_t n = 0; n <= highest + 1; ++n) {
        const auto it = first.find(n);
        EXPECT_EQ(EXPR_FindOpcode(n), it != first.end() ? it->second : nullptr) << n;
    }
}

TEST(OpcodeCatalogue, CompanionsHaveNamesButNoRows)
{
    const std::set<uint32_t> companions = Numbers(
        {{72, 79},   {88, 95},   {104, 111}, {120, 127}, {129, 129}, {131, 131}, {133, 133}, {135, 135}, {137, 137},
         {139, 139}, {141, 141}, {145, 147}, {150, 151}, {154, 155}, {158, 159}, {162, 163}, {165, 165}, {167, 167},
         {169, 169}, {171, 171}, {177, 178}, {180, 181}, {183, 184}, {225, 225}, {227, 227}, {246, 246}, {1058, 1060}});
    size_t count = 0;
    for (const auto& e : EXPR_OpcodeCatalogue()) {
        if (e.rule != ExprRowRule::None)
            continue;
        ++count;
        EXPECT_EQ(companions.count(e.number), 1u) << e.number;
    }
    EXPECT_EQ(count, companions.size());
    EXPECT_EQ(Name(1058), "SET_INDEX");
    EXPECT_EQ(Name(1059), "REFRESH_COMPONENT");
    EXPECT_EQ(Name(1060), "REFRESH_FIELD");
    EXPECT_EQ(Name(183), "PUSH_LIST_VECTOR_AS_STACK_VECTOR");
    EXPECT_EQ(Name(184), "PUSH_ARRAY_VECTOR_AS_STACK_VECTOR");
}

TEST(OpcodeCatalogue, NamesAreUniqueAndFoundByName)
{
    // The names themselves are checked against the run-time's by the
    // compile test; here each one names one entry, and 16, 17 and 18 are
    // written as 21, 22 and 23.
    std::set<std::string> seen;
    for (const auto& e : EXPR_OpcodeCatalogue()) {
        if (e.writtenAs == 0) {
            EXPECT_TRUE(seen.insert(e.name).second) << "twice: " << e.name;
        }
        EXPECT_EQ(EXPR_FindOpcodeByName(e.name)->number, e.writtenAs ? e.writtenAs : e.number);
    }
    for (uint32_t n = 16; n <= 18; ++n)
        EXPECT_EQ(EXPR_FindOpcode(n)->writtenAs, n + 5);
}

TEST(OpcodeCatalogue, NameViewsHoldTheWholeNameInAndOutsideTheCatalogue)
{
    // Every row is put together from the entry's name: its view must hold
    // the whole name, no more, for the catalogue's entries and for a copy.
    EXPECT_EQ(EXPR_OpcodeName(*EXPR_FindOpcode(184)), "X_COMP_OPCODE_PUSH_ARRAY_VECTOR_AS_STACK_VECTOR");
    EXPECT_EQ(EXPR_OpcodeName(*EXPR_FindOpcode(183)), "X_COMP_OPCODE_PUSH_LIST_VECTOR_AS_STACK_VECTOR");
    for (const auto& e : EXPR_OpcodeCatalogue())
        EXPECT_EQ(EXPR_OpcodeName(e), std::string(e.name));
    ExprOpcodeEntry copy = *EXPR_FindOpcode(184);
    copy.name[14] = '\0';
    EXPECT_EQ(EXPR_OpcodeName(copy), "X_COMP_OPCODE_");
    std::fill(std::begin(copy.name), std::end(copy.name), 'X');
    EXPECT_EQ(EXPR_OpcodeName(copy).size(), EXPR_OPCODE_NAME_SIZE);
}

TEST(OpcodeCatalogue, VectorPushCompanionsFollowTheirNames)
{
    for (const auto& e : EXPR_OpcodeCatalogue()) {
        if (e.rule != ExprRowRule::VectorPush)
            continue;
        const std::string v = Short(&e);
        const std::string type = v.substr(v.rfind("_AS_") + 4);
        if (type == "SQLNULL") {
            const bool two = v.find("VECTOR2") != std::string::npos;
            EXPECT_EQ(Name(e.arrayCompanion), two ? "PUSH_ARRAY_VECTOR2_AS_SQLNULL" : "PUSH_ARRAY_VECTOR_AS_SQLNULL");
            EXPECT_EQ(Name(e.listCompanion), two ? "PUSH_LIST_VECTOR2_AS_SQLNULL" : "PUSH_LIST_VECTOR_AS_SQLNULL");
            EXPECT_STREQ(EXPR_RecordCompanionName(e.recordCompanion),
                         two ? "X_COMP_OPCODE_PUSH_RECORD_VECTOR2_AS_SQLNULL"
                             : "X_COMP_OPCODE_PUSH_RECORD_VECTOR_AS_SQLNULL");
            EXPECT_EQ(Name(e.dispatchCompanion), "PUSH_DISPATCH_GET_AS_SQLNULL");
            continue;
        }
        // S is the stack-vector form of the same push.
        std::string s = v;
        s.replace(s.find("_VECTOR"), 7, "_STACK_VECTOR");
        EXPECT_EQ(Name(e.stackCompanion), s) << e.number;
        // G gets the pushed type; alpha and variant pushes get the source's
        // own type: a string, or a binary value.
        std::string g = type;
        if (type == "ALPHA" || type == "VARIANT")
            g = v.find("BINARY") != std::string::npos ? "BINARY" : "STRING";
        EXPECT_EQ(Name(e.dispatchCompanion), "PUSH_DISPATCH_GET_AS_" + g) << e.number;
        if (e.number >= 64 && e.number <= 127) {
            EXPECT_EQ(e.stackCompanion, e.number + 8);
        }
        EXPECT_EQ(e.whenRefresh, e.number == 142 || e.number == 143 || e.number == 244) << e.number;
    }
}

TEST(OpcodeCatalogue, DispatchSetsAreWrittenForTheListedPulls)
{
    // The vector pulls that write each dispatch-set opcode for a dispatch target.
    const std::map<uint32_t, std::set<uint32_t>> writtenFor = {
        {672, Numbers({{432, 434}, {464, 466}, {496, 498}, {528, 530}})},
        {673, Numbers({{435, 437}, {467, 469}, {499, 501}, {531, 533}})},
        {674, Numbers({{438, 440}, {470, 472}, {502, 504}, {534, 536}})},
        {675, Numbers({{441, 443}, {473, 475}, {505, 507}, {537, 539}})},
        {676, {444, 476, 508, 540}},
        {677, {445, 477, 509, 541}},
        {678,
         Numbers({{446, 448}, {478, 480}, {510, 512}, {542, 544}, {560, 560}, {565, 565}, {570, 570}, {575, 575}})},
        {679, Numbers({{449, 451}, {481, 483}, {513, 515}, {545, 547}, {580, 580}})},
        {680, {452, 484, 516, 548, 585, 590}},
        {681, {453, 485, 517, 549}},
        {682, {595}},
        {683, {600, 612}},
        {684, {606, 613}},
        {685, {601, 607, 614}},
        {686, {619, 620, 625, 626, 640, 641, 648, 649}},
        {687, Numbers({{632, 634}})},
        {688, {454, 486, 518, 550, 561, 566, 571, 576, 581, 586, 591, 596, 602, 608, 615, 621, 627, 635, 642, 650}},
        {689, {487, 551, 562, 567, 572, 577, 582, 587, 592, 597, 603, 609, 616, 628, 636, 643, 651}},
        {690, {}},
        {691, {631, 639, 654}},
    };
    size_t standard = 0;
    for (const auto& e : EXPR_OpcodeCatalogue()) {
        if (e.rule != ExprRowRule::PullStandard) {
            EXPECT_TRUE(e.rule != ExprRowRule::PullComponentRefresh || e.dispatchCompanion == 0);
            continue;
        }
        ++standard;
        auto it = writtenFor.find(e.dispatchCompanion);
        ASSERT_NE(it, writtenFor.end()) << e.number;
        EXPECT_EQ(it->second.count(e.number), 1u) << e.number << " writes " << e.dispatchCompanion;
    }
    size_t listed = 0;
    for (const auto& [d, pulls] : writtenFor) {
        listed += pulls.size();
        EXPECT_EQ(EXPR_FindRowEntry(d)->rule, ExprRowRule::DispatchOperand);
    }
    EXPECT_EQ(standard, listed);
}

TEST(OpcodeCatalogue, ComponentRefreshShapeIsHivalLovalAndTheListedPulls)
{
    for (const auto& e : EXPR_OpcodeCatalogue()) {
        if (e.number < 432 || e.number > 767 || e.rule == ExprRowRule::None)
            continue;
        const std::string n = Short(&e);
        const bool hiLo = n.size() > 6 && (n.substr(n.size() - 6) == "_HIVAL" || n.substr(n.size() - 6) == "_LOVAL");
        const bool listed =
            e.number == 624 || e.number == 646 || e.number == 647 || (e.number >= 736 && e.number <= 743);
        EXPECT_EQ(e.rule == ExprRowRule::PullComponentRefresh, hiLo || listed) << e.number;
    }
}

TEST(OpcodeCatalogue, ResultVariantsAreDispatchSetsPlus32)
{
    for (uint32_t d = 672; d <= 687; ++d)
        EXPECT_EQ(EXPR_FindRowEntry(d + 32)->rule, ExprRowRule::Hex4Or0002);
}

TEST(OpcodeCatalogue, PrecisionPairsOfCoercionsComparesAndArithmetic)
{
    // Rows that carry the operand's two words: 402, the DOUBLE compares and
    // all arithmetic; the other coercions and compares write 0.
    for (const Range& r : {Range{288, 416}, Range{800, 891}, Range{928, 968}}) {
        for (uint32_t n = r.first; n <= r.second; ++n) {
            const ExprOpcodeEntry* e = EXPR_FindRowEntry(n);
            if (e == nullptr)
                continue;
            const bool pair = n == 402 || (n >= 812 && n <= 817) || n >= 928;
            EXPECT_EQ(e->rule, pair ? ExprRowRule::Pair : ExprRowRule::Zero) << n;
        }
    }
}

TEST(OpcodeCatalogue, IntrinsicsTakeTheValueWord)
{
    for (uint32_t n = 1072; n <= 1284; ++n)
        EXPECT_EQ(EXPR_FindRowEntry(n)->rule, n == 1280 ? ExprRowRule::Hex4Or0002 : ExprRowRule::Hex4OrZero) << n;
}

// The traits of a number are read from the catalogue the first time and
// found in the table of numbers after that; the pseudo opcodes and numbers
// past the table have theirs apart. Asked again, every one is the same.
TEST(OpcodeTraits, FirstAndLaterAnswersAgreeInsideAndOutsideTheTable)
{
    struct Expected {
        uint32_t opcode;
        ExprOpKind kind;
        ExprValue value;
        ExprComparator comparator;
    };
    const Expected cases[] = {
        {801, ExprOpKind::Compare, ExprValue::Long, ExprComparator::Lt},
        {992, ExprOpKind::WhenSubject, ExprValue::Long, ExprComparator::None},
        {1008, ExprOpKind::WhenTrue, ExprValue::Long, ExprComparator::None},
        {65536, ExprOpKind::SubjectLoad, ExprValue::Long, ExprComparator::None},
        {65552, ExprOpKind::Pseudo, ExprValue::None, ExprComparator::None},
        {1300, ExprOpKind::Other, ExprValue::None, ExprComparator::None},
        {70000, ExprOpKind::Other, ExprValue::None, ExprComparator::None},
    };
    for (const Expected& c : cases) {
        const ExprOpTraits& first = EXPR_OpTraits(c.opcode);
        EXPECT_EQ(first.kind, c.kind) << c.opcode;
        EXPECT_EQ(first.value, c.value) << c.opcode;
        EXPECT_EQ(first.comparator, c.comparator) << c.opcode;
        EXPECT_EQ(&EXPR_OpTraits(c.opcode), &first) << c.opcode;
    }
    /* the sets the writers test, answered from the same traits */
    EXPECT_TRUE(EXPR_fIsWhenOpcode(992));
    EXPECT_TRUE(EXPR_fIsWhenOpcode(1008));
    EXPECT_FALSE(EXPR_fIsWhenOpcode(801));
    EXPECT_TRUE(EXPR_fIsSubjectLoad(65536));
    EXPECT_TRUE(EXPR_fIsSubjectLoad(65550));
    EXPECT_FALSE(EXPR_fIsSubjectLoad(65552));
    EXPECT_FALSE(EXPR_fIsSubjectLoad(70000));
    EXPECT_TRUE(EXPR_fHasBooleanResult(770));  /* LOGICAL_AND */
    EXPECT_TRUE(EXPR_fHasBooleanResult(801));  /* a LONG compare */
    EXPECT_FALSE(EXPR_fHasBooleanResult(992)); /* a When subject */
    EXPECT_FALSE(EXPR_fHasBooleanResult(70000));
}

}  // namespace
