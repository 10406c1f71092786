// Integrity of the opcode catalogue against the numbering rules of the
// opcode families: which numbers have rows, the gaps, the family ranges,
// the name formulas of the families and the companions named by each entry.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "generator/expressions/expr_opcodes.h"

namespace {

using Range = std::pair<uint32_t, uint32_t>;

std::set<uint32_t> Numbers(std::initializer_list<Range> ranges) {
    std::set<uint32_t> out;
    for (auto [a, b] : ranges)
        for (uint32_t n = a; n <= b; ++n) out.insert(n);
    return out;
}

std::set<uint32_t> Minus(std::set<uint32_t> a, const std::set<uint32_t>& b) {
    for (uint32_t n : b) a.erase(n);
    return a;
}

std::string Short(const ExprOpcodeEntry* e) {
    std::string n = e ? e->name : "";
    const std::string prefix = "X_COMP_OPCODE_";
    return n.rfind(prefix, 0) == 0 ? n.substr(prefix.size()) : n;
}

std::string Name(uint32_t number) { return Short(EXPR_FindOpcode(number)); }

// Every number that has rows of its own, range by range, without the gaps.
std::set<uint32_t> NumbersWithRows() {
    std::set<uint32_t> all;
    auto add = [&](const std::set<uint32_t>& s) { all.insert(s.begin(), s.end()); };
    add(Minus(Numbers({{1, 143}}),
              Numbers({{30, 30}, {50, 50}, {53, 63}, {72, 79}, {88, 95}, {104, 111}, {120, 127},
                       {129, 129}, {131, 131}, {133, 133}, {135, 135}, {137, 137}, {139, 139},
                       {141, 141}})));
    add(Minus(Numbers({{144, 287}}),
              Numbers({{145, 147}, {150, 151}, {154, 155}, {158, 159}, {162, 163}, {165, 165},
                       {167, 167}, {169, 169}, {171, 175}, {177, 178}, {180, 181}, {183, 184},
                       {189, 223}, {225, 225}, {227, 227}, {245, 255}, {276, 287}})));
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

TEST(OpcodeCatalogue, RowsExistExactlyForTheFamilyRangesWithoutTheirGaps) {
    const std::set<uint32_t> expected = NumbersWithRows();
    EXPECT_EQ(expected.size(), 956u);
    for (uint32_t n = 0; n <= 1400; ++n) {
        EXPECT_EQ(EXPR_FindRowEntry(n) != nullptr, expected.count(n) == 1) << n;
    }
    for (uint32_t n : {65535u, 65536u, 65552u, 65553u, 0xFFFFFFFFu}) {
        EXPECT_EQ(EXPR_FindRowEntry(n), nullptr) << n;
    }
}

TEST(OpcodeCatalogue, PseudoOpcodesAreExactly65536To65552) {
    for (uint32_t n = 65530; n <= 65560; ++n) {
        EXPECT_EQ(EXPR_IsPseudoOpcode(n), n >= 65536 && n <= 65552) << n;
        EXPECT_EQ(EXPR_FindOpcode(n), nullptr);
    }
}

TEST(OpcodeCatalogue, CompanionsHaveNamesButNoRows) {
    const std::set<uint32_t> companions = Numbers({{72, 79}, {88, 95}, {104, 111}, {120, 127},
        {129, 129}, {131, 131}, {133, 133}, {135, 135}, {137, 137}, {139, 139}, {141, 141},
        {145, 147}, {150, 151}, {154, 155}, {158, 159}, {162, 163}, {165, 165}, {167, 167},
        {169, 169}, {171, 171}, {177, 178}, {180, 181}, {183, 184}, {225, 225}, {227, 227},
        {246, 246}, {1058, 1060}});
    size_t count = 0;
    for (const auto& e : EXPR_OpcodeCatalogue()) {
        if (e.rule != ExprRowRule::None) continue;
        ++count;
        EXPECT_EQ(companions.count(e.number), 1u) << e.number;
        EXPECT_EQ(e.family, ExprOpFamily::Companion);
    }
    EXPECT_EQ(count, companions.size());
    EXPECT_EQ(Name(1058), "SET_INDEX");
    EXPECT_EQ(Name(1059), "REFRESH_COMPONENT");
    EXPECT_EQ(Name(1060), "REFRESH_FIELD");
    EXPECT_EQ(Name(183), "PUSH_LIST_VECTOR_AS_STACK_VECTOR");
    EXPECT_EQ(Name(184), "PUSH_ARRAY_VECTOR_AS_STACK_VECTOR");
}

TEST(OpcodeCatalogue, NamesCarryTheirPrefix) {
    std::set<std::string> seen;
    for (const auto& e : EXPR_OpcodeCatalogue()) {
        const std::string name = e.name;
        if (e.number >= 9 && e.number <= 15) {
            EXPECT_EQ(name.rfind("X_VAR_RESOLVE_", 0), 0u) << e.number;
        } else {
            EXPECT_EQ(name.rfind("X_COMP_OPCODE_", 0), 0u) << e.number;
        }
        if (e.writtenAs == 0) {
            EXPECT_TRUE(seen.insert(name).second) << "twice: " << name;
        }
        EXPECT_EQ(EXPR_FindOpcodeByName(name)->number, e.writtenAs ? e.writtenAs : e.number);
    }
    // 16, 17 and 18 are written as 21, 22 and 23.
    for (uint32_t n = 16; n <= 18; ++n) {
        EXPECT_EQ(EXPR_FindOpcode(n)->writtenAs, n + 5);
        EXPECT_STREQ(EXPR_FindOpcode(n)->name, EXPR_FindOpcode(n + 5)->name);
    }
}

TEST(OpcodeCatalogue, FamiliesCoverTheirRanges) {
    struct Span { uint32_t first, last; ExprOpFamily family; };
    const std::vector<Span> spans = {
        {288, 416, ExprOpFamily::Coerce},       {432, 654, ExprOpFamily::VectorPull},
        {672, 691, ExprOpFamily::DispatchSet},  {704, 719, ExprOpFamily::ResultVariant},
        {736, 743, ExprOpFamily::IdenticalPull},{768, 783, ExprOpFamily::Logical},
        {800, 891, ExprOpFamily::Compare},      {912, 927, ExprOpFamily::IsNull},
        {928, 968, ExprOpFamily::Arithmetic},   {969, 974, ExprOpFamily::Round},
        {975, 976, ExprOpFamily::Concat},       {992, 1039, ExprOpFamily::When},
        {1072, 1284, ExprOpFamily::Intrinsic},  {1296, 1299, ExprOpFamily::Bom},
        {256, 275, ExprOpFamily::DispatchGet},  {224, 243, ExprOpFamily::ResultVectorPush},
    };
    for (const auto& s : spans) {
        for (uint32_t n = s.first; n <= s.last; ++n) {
            const ExprOpcodeEntry* e = EXPR_FindRowEntry(n);
            if (e == nullptr) continue;
            EXPECT_EQ(e->family, s.family) << n;
        }
    }
}

TEST(OpcodeCatalogue, VectorPushCompanionsFollowTheirNames) {
    for (const auto& e : EXPR_OpcodeCatalogue()) {
        if (e.rule != ExprRowRule::VectorPush) continue;
        const std::string v = Short(&e);
        const std::string type = v.substr(v.rfind("_AS_") + 4);
        if (type == "SQLNULL") {
            const bool two = v.find("VECTOR2") != std::string::npos;
            EXPECT_EQ(Name(e.arrayCompanion), two ? "PUSH_ARRAY_VECTOR2_AS_SQLNULL" : "PUSH_ARRAY_VECTOR_AS_SQLNULL");
            EXPECT_EQ(Name(e.listCompanion), two ? "PUSH_LIST_VECTOR2_AS_SQLNULL" : "PUSH_LIST_VECTOR_AS_SQLNULL");
            EXPECT_STREQ(e.recordCompanion, two ? "X_COMP_OPCODE_PUSH_RECORD_VECTOR2_AS_SQLNULL"
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

TEST(OpcodeCatalogue, SecondVectorPullsAreTheFirstPlus32Or33) {
    for (const char* family : {"PULL_PACKED_VECTOR", "PULL_SIGNED_VECTOR"}) {
        for (const auto& e : EXPR_OpcodeCatalogue()) {
            const std::string n = Short(&e);
            const std::string head = std::string(family) + "_FROM_";
            if (n.rfind(head, 0) != 0) continue;
            const std::string source = n.substr(head.size());
            const uint32_t offset = (source == "HIVAL" || source == "LOVAL") ? 33 : 32;
            EXPECT_EQ(Name(e.number + offset), std::string(family) + "2_FROM_" + source) << e.number;
        }
    }
    EXPECT_EQ(Name(487), "PULL_PACKED_VECTOR2_FROM_SQLNULL");
    EXPECT_EQ(Name(551), "PULL_SIGNED_VECTOR2_FROM_SQLNULL");
}

TEST(OpcodeCatalogue, FixedWidthPullsFollow560Plus5TargetPlusSource) {
    const char* targets[] = {"INT8", "INTU8", "INT16", "INT32", "INT64", "FLOAT32", "FLOAT64", "BOOLEAN"};
    const char* values[] = {"INT32", "INT32", "INT32", "INT32", "INT64", "FLOAT64", "FLOAT64", "BOOLEAN"};
    for (uint32_t t = 0; t < 8; ++t) {
        const char* sources[] = {values[t], "NULL", "SQLNULL", "HIVAL", "LOVAL"};
        for (uint32_t s = 0; s < 5; ++s) {
            EXPECT_EQ(Name(560 + 5 * t + s),
                      std::string("PULL_") + targets[t] + "_VECTOR_FROM_" + sources[s]);
        }
    }
}

TEST(OpcodeCatalogue, DispatchSetsAreWrittenForTheListedPulls) {
    // The vector pulls that write each dispatch-set opcode for a dispatch target.
    const std::map<uint32_t, std::set<uint32_t>> writtenFor = {
        {672, Numbers({{432, 434}, {464, 466}, {496, 498}, {528, 530}})},
        {673, Numbers({{435, 437}, {467, 469}, {499, 501}, {531, 533}})},
        {674, Numbers({{438, 440}, {470, 472}, {502, 504}, {534, 536}})},
        {675, Numbers({{441, 443}, {473, 475}, {505, 507}, {537, 539}})},
        {676, {444, 476, 508, 540}},
        {677, {445, 477, 509, 541}},
        {678, Numbers({{446, 448}, {478, 480}, {510, 512}, {542, 544}, {560, 560}, {565, 565},
                       {570, 570}, {575, 575}})},
        {679, Numbers({{449, 451}, {481, 483}, {513, 515}, {545, 547}, {580, 580}})},
        {680, {452, 484, 516, 548, 585, 590}},
        {681, {453, 485, 517, 549}},
        {682, {595}},
        {683, {600, 612}},
        {684, {606, 613}},
        {685, {601, 607, 614}},
        {686, {619, 620, 625, 626, 640, 641, 648, 649}},
        {687, Numbers({{632, 634}})},
        {688, {454, 486, 518, 550, 561, 566, 571, 576, 581, 586, 591, 596, 602, 608, 615, 621,
               627, 635, 642, 650}},
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

TEST(OpcodeCatalogue, ComponentRefreshShapeIsHivalLovalAndTheListedPulls) {
    for (const auto& e : EXPR_OpcodeCatalogue()) {
        const std::string n = Short(&e);
        if (e.family != ExprOpFamily::VectorPull && e.family != ExprOpFamily::IdenticalPull) continue;
        const bool hiLo = n.size() > 6 && (n.substr(n.size() - 6) == "_HIVAL" || n.substr(n.size() - 6) == "_LOVAL");
        const bool listed = e.number == 624 || e.number == 646 || e.number == 647 ||
                            (e.number >= 736 && e.number <= 743);
        EXPECT_EQ(e.rule == ExprRowRule::PullComponentRefresh, hiLo || listed) << e.number;
    }
}

TEST(OpcodeCatalogue, ResultVariantsAreDispatchSetsPlus32) {
    for (uint32_t d = 672; d <= 687; ++d) {
        const std::string set = Name(d);
        const std::string type = set.substr(std::string("PULL_DISPATCH_SET_FROM_").size());
        EXPECT_EQ(Name(d + 32), "PULL_RESULT_VARIANT_FROM_" + type);
        EXPECT_EQ(EXPR_FindRowEntry(d + 32)->rule, ExprRowRule::Hex4Or0002);
    }
    for (uint32_t n = 720; n <= 723; ++n) EXPECT_EQ(EXPR_FindOpcode(n), nullptr);
}

TEST(OpcodeCatalogue, CoercionsFollowTheirTypeOrder) {
    const std::vector<std::string> numeric = {"LONG", "LONGLONG", "DOUBLE", "PACKED31", "PACKED63",
                                              "DECIMAL", "INT32", "INT64", "FLOAT64"};
    uint32_t n = 288;
    for (const auto& source : numeric) {
        for (const auto& target : numeric) {
            if (target == source) continue;
            if (source == "FLOAT64" && (target == "DOUBLE" || target == "PACKED31" || target == "PACKED63"))
                continue;
            EXPECT_EQ(Name(n++), "COERCE_" + source + "_TO_" + target);
        }
        EXPECT_EQ(Name(n++), "COERCE_" + source + "_TO_VARIANT");
        EXPECT_EQ(Name(n++), "COERCE_" + source + "_TO_BOOLEAN");
    }
    EXPECT_EQ(n, 375u);
    for (const auto& e : EXPR_OpcodeCatalogue()) {
        if (e.family != ExprOpFamily::Coerce) continue;
        EXPECT_EQ(e.rule, e.number == 402 ? ExprRowRule::Pair : ExprRowRule::Zero) << e.number;
    }
}

TEST(OpcodeCatalogue, ComparesNullTestsWhenAndArithmeticFollowTheirFormulas) {
    const std::vector<std::string> types = {"LONG", "LONGLONG", "DOUBLE", "PACKED31", "PACKED63",
                                            "DECIMAL", "INT32", "INT64", "FLOAT64", "VARIANT", "DATE",
                                            "TIME", "DATETIME", "STRING", "BINARY"};
    const std::vector<std::string> ops = {"EQ", "LT", "LE", "GT", "GE", "NE"};
    for (uint32_t t = 0; t < types.size(); ++t) {
        for (uint32_t o = 0; o < ops.size(); ++o) {
            const uint32_t n = 800 + 6 * t + o;
            EXPECT_EQ(Name(n), "COMPARE_" + types[t] + "_" + ops[o] + "_" + types[t]);
            EXPECT_EQ(EXPR_FindRowEntry(n)->rule,
                      types[t] == "DOUBLE" ? ExprRowRule::Pair : ExprRowRule::Zero);
        }
    }
    EXPECT_EQ(Name(890), "COMPARE_BOOLEAN_EQ_BOOLEAN");
    EXPECT_EQ(Name(891), "COMPARE_BOOLEAN_NE_BOOLEAN");

    const std::vector<std::string> isTypes = {"LONG", "LONGLONG", "DOUBLE", "PACKED31", "PACKED63",
                                              "DECIMAL", "INT32", "INT64", "FLOAT64", "VARIANT", "DATE",
                                              "TIME", "DATETIME", "BOOLEAN", "STRING", "BINARY"};
    for (uint32_t t = 0; t < isTypes.size(); ++t) EXPECT_EQ(Name(912 + t), "IS_" + isTypes[t] + "_NULL");

    const std::vector<std::string> whenTypes = {"LONG", "LONGLONG", "DOUBLE", "PACKED31", "PACKED63",
                                                "DECIMAL", "INT32", "INT64", "FLOAT64", "BOOLEAN",
                                                "VARIANT", "DATE", "TIME", "DATETIME", "STRING", "BINARY"};
    const char* blocks[] = {"WHEN_SUBJECT_", "WHEN_TRUE_", "WHEN_ALL_FALSE_"};
    for (uint32_t b = 0; b < 3; ++b)
        for (uint32_t t = 0; t < 16; ++t) EXPECT_EQ(Name(992 + 16 * b + t), blocks[b] + whenTypes[t]);

    const std::vector<std::string> arith = {"LONG", "LONGLONG", "DOUBLE", "PACKED31", "PACKED63",
                                            "DECIMAL", "INT32", "INT64", "FLOAT64", "VARIANT"};
    const char* aops[] = {"PLUS", "MINUS", "DIVIDE", "MULTIPLY"};
    for (uint32_t t = 0; t < arith.size(); ++t) {
        for (uint32_t o = 0; o < 4; ++o) {
            uint32_t n = 928 + 4 * t + o;
            if (n >= 951) ++n;  // the gap in the DECIMAL block
            EXPECT_EQ(Name(n), arith[t] + "_" + aops[o]);
            EXPECT_EQ(EXPR_FindRowEntry(n)->rule, ExprRowRule::Pair);
        }
    }
}

TEST(OpcodeCatalogue, IntrinsicsFillTheirRangeOnce) {
    size_t count = 0;
    for (uint32_t n = 1072; n <= 1284; ++n) {
        const ExprOpcodeEntry* e = EXPR_FindRowEntry(n);
        ASSERT_NE(e, nullptr) << n;
        ++count;
        if (n == 1280) {
            EXPECT_STREQ(e->name, "X_COMP_OPCODE_EVALUATE_DATE_CHECK");
            EXPECT_EQ(e->rule, ExprRowRule::Hex4Or0002);
        } else {
            EXPECT_EQ(Short(e).rfind("IMP_INTRINSIC_", 0), 0u) << n;
            EXPECT_EQ(e->rule, ExprRowRule::Hex4OrZero);
        }
    }
    EXPECT_EQ(count, 213u);
}

TEST(OpcodeCatalogue, OnlyThreeNamesOverflowTheCSharpNameField) {
    std::set<uint32_t> wide;
    for (const auto& e : EXPR_OpcodeCatalogue()) {
        if (e.rule == ExprRowRule::None) continue;
        // "/* " + name + " */ ," must fit 65 columns.
        if (std::string(e.name).size() + 8 > 65) wide.insert(e.number);
    }
    EXPECT_EQ(wide, (std::set<uint32_t>{275, 1239, 1240}));
}

TEST(OpcodeCatalogue, ResultVectorNamesCoverTheirTwentyNumbers) {
    for (uint32_t n = EXPR_OP_FIRST_RESULT_VECTOR; n <= EXPR_OP_LAST_RESULT_VECTOR; ++n) {
        const std::string name = Name(n);
        EXPECT_EQ(name.rfind("PUSH_", 0), 0u);
        EXPECT_NE(name.find("_RESULT_VECTOR"), std::string::npos) << n;
        EXPECT_EQ(name.substr(name.size() - 16), "_AS_STACK_VECTOR") << n;
    }
}

} // namespace
