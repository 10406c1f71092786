// Computations and conditions of every kind the object layer compiles,
// their evaluation routines written, compiled with gcc at -O2 -Wall -Werror
// and run against the least run time of least_runtime.c (fields held as the
// run time holds them, the double store the run time's comment describes,
// and an evaluator of the instruction tables left to the run time). Every
// result is compared with the value worked out by hand below.
//
// The expressions are written as a user writes them and turned into the
// checker's operands and operations by a small parser here, sized as the
// checker sizes its work results.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "expr_compile_support.h"
#include "expr_routine_support.h"
#include "support/commands.h"
#include "support/scratch.h"

namespace {

using namespace expr_compile_test;

// The fields of the test: type letter, length (digits, characters or the
// bytes of an integer or float), decimals.
struct FieldDef {
    const char* name;
    char type;
    int32_t length;
    int32_t decimals;
};

constexpr FieldDef kFields[] = {
    {"P52", 'P', 5, 2},     {"P72", 'P', 7, 2},       {"P92", 'P', 9, 2},     {"P94", 'P', 9, 4},
    {"P93", 'P', 9, 3},     {"P30", 'P', 3, 0},       {"P50", 'P', 5, 0},     {"P50B", 'P', 5, 0},
    {"P90", 'P', 9, 0},     {"P132", 'P', 13, 2},     {"P132B", 'P', 13, 2},  {"P152", 'P', 15, 2},
    {"P152B", 'P', 15, 2},  {"P150", 'P', 15, 0},     {"BIG", 'P', 18, 0},    {"BIG2", 'P', 18, 0},
    {"BIGR", 'P', 18, 0},   {"P310", 'P', 31, 0},     {"P310B", 'P', 31, 0},  {"P319", 'P', 31, 9},
    {"P319B", 'P', 31, 9},  {"P315", 'P', 31, 5},     {"P315B", 'P', 31, 5},  {"S72", 'S', 7, 2},
    {"I4A", 'I', 4, 0},     {"I4B", 'I', 4, 0},       {"I4C", 'I', 4, 0},     {"I8", 'I', 8, 0},
    {"F8A", 'F', 8, 0},     {"F8B", 'F', 8, 0},       {"F8C", 'F', 8, 0},     {"YA", 'Y', 1, 0},
    {"YB", 'Y', 1, 0},      {"ALPHA", 'A', 10, 0},    {"P92B", 'P', 9, 2},    {"P10", 'P', 1, 0},
    {"P20", 'P', 2, 0},     {"P40", 'P', 4, 0},       {"S10", 'S', 1, 0},     {"S20", 'S', 2, 0},
    {"S30", 'S', 3, 0},     {"A2", 'A', 2, 0},        {"A5", 'A', 5, 0},        {"I1", 'I', 1, 0},
    {"S310", 'S', 31, 0},   {"S300", 'S', 30, 0},
};

const FieldDef* fieldNamed(const std::string& name)
{
    for (const FieldDef& f : kFields)
        if (name == f.name)
            return &f;
    return nullptr;
}

// A packed or signed field beyond 30 digits or 9 decimals is held with its
// field information.
bool heldWithInformation(const FieldDef& f)
{
    return (f.type == 'P' || f.type == 'S') && (f.length > 30 || f.decimals > 9);
}

// One expression as the checker hands it over: operands (leaves in text
// order, each operation's work result after its operands) and operations
// in evaluation order, the last "ZA", "MB" or "IF".
struct Checked {
    std::deque<std::string> names;
    std::vector<DQOO_CHECKED_OPERAND> operands;
    std::vector<DQOO_CHECKED_OPERATION> operations;

    DQOO_CHECKED_EXPRESSION View() const
    {
        return {static_cast<uint32_t>(operands.size()), operands.data(), static_cast<uint32_t>(operations.size()),
                operations.data()};
    }
};

// The checker's shape of an expression: precedence OR, AND, comparisons,
// + and -, * and /, left to right, brackets first. A work result is sized
// as the checker sizes it: a product the sum of the digits and decimals, a
// quotient the dividend's integer digits and the divisor's decimals with
// the most decimals of both and the result's, a sum one integer digit
// more; the last operation writes a work field of the result's size unless
// the whole text stands in brackets.
class Parser {
public:
    Parser(const std::string& text, const FieldDef* target) : text_(text), target_(target) {}

    Checked Parse()
    {
        std::vector<int> values;
        std::vector<std::string> ops;
        bool expectOperand = true;
        size_t i = 0;
        const auto apply = [&] {
            const std::string code = ops.back();
            ops.pop_back();
            const int b = values.back();
            values.pop_back();
            const int a = values.back();
            values.pop_back();
            values.push_back(operation(a, code, b));
        };
        while (i < text_.size()) {
            const char c = text_[i];
            if (c == ' ') {
                ++i;
                continue;
            }
            if (c == '(') {
                ops.push_back("(");
                ++i;
                continue;
            }
            if (c == ')') {
                while (ops.back() != "(")
                    apply();
                ops.pop_back();
                ++i;
                expectOperand = false;
                continue;
            }
            if (expectOperand) {
                values.push_back(operand(i));
                expectOperand = false;
                continue;
            }
            const std::string code = operatorAt(i);
            while (!ops.empty() && ops.back() != "(" && precedence(ops.back()) >= precedence(code))
                apply();
            ops.push_back(code);
            expectOperand = true;
        }
        while (!ops.empty())
            apply();
        const int root = values.back();
        const bool condition = target_ == nullptr;
        if (!condition && !e_.operations.empty() && !whollyParenthesised()) {
            DQOO_CHECKED_OPERAND& work = e_.operands[static_cast<size_t>(root - 1)];
            if (work.chType == 'P') {
                work.lLength = target_->length;
                work.lDecimals = target_->decimals;
            }
        }
        const bool number = !condition && std::string("PSIF").find(target_->type) != std::string::npos;
        e_.operations.push_back(Op(static_cast<int16_t>(root), condition ? "IF" : number ? "ZA" : "MB"));
        return std::move(e_);
    }

private:
    bool whollyParenthesised() const
    {
        if (text_.empty() || text_.front() != '(')
            return false;
        int depth = 0;
        for (size_t i = 0; i < text_.size(); ++i) {
            depth += text_[i] == '(' ? 1 : text_[i] == ')' ? -1 : 0;
            if (depth == 0)
                return i + 1 == text_.size();
        }
        return false;
    }

    static int precedence(const std::string& code)
    {
        if (code == "OR")
            return 1;
        if (code == "AN")
            return 2;
        if (code == "MU" || code == "DV")
            return 5;
        if (code == "AD" || code == "SU")
            return 4;
        return 3;
    }

    std::string operatorAt(size_t& i)
    {
        static const std::pair<const char*, const char*> kOps[] = {
            {"<>", "NE"}, {"<=", "LE"}, {">=", "GE"}, {"AND", "AN"}, {"OR", "OR"}, {"+", "AD"}, {"-", "SU"},
            {"*", "MU"},  {"/", "DV"},  {"=", "EQ"},  {"<", "LT"},   {">", "GT"}};
        for (const auto& [written, code] : kOps)
            if (text_.compare(i, std::strlen(written), written) == 0) {
                i += std::strlen(written);
                return code;
            }
        ADD_FAILURE() << "no operator at " << text_.substr(i);
        i = text_.size();
        return "AD";
    }

    int add(const DQOO_CHECKED_OPERAND& o)
    {
        e_.operands.push_back(o);
        return static_cast<int>(e_.operands.size());
    }

    int operand(size_t& i)
    {
        const size_t start = i;
        if (text_[i] == '#') {
            ++i;
            while (i < text_.size() && std::isalnum(static_cast<unsigned char>(text_[i])))
                ++i;
            const std::string name = text_.substr(start + 1, i - start - 1);
            const FieldDef* f = fieldNamed(name);
            EXPECT_NE(f, nullptr) << name;
            return add(Operand("FL", e_.names.emplace_back(name).c_str(), f->type, f->length, f->decimals));
        }
        if (text_[i] == '*') {
            ++i;
            while (i < text_.size() && std::isalpha(static_cast<unsigned char>(text_[i])))
                ++i;
            return add(Operand("SV", e_.names.emplace_back(text_.substr(start, i - start)).c_str(), 'P', 0));
        }
        if (text_[i] == 'X' && i + 1 < text_.size() && text_[i + 1] == '\'') {
            i = text_.find('\'', i + 2) + 1;
            const std::string written = text_.substr(start, i - start);
            return add(Operand("HL", e_.names.emplace_back(written).c_str(), 'A',
                               static_cast<int32_t>(written.size() - 3) / 2));
        }
        if (text_[i] == '\'') {
            i = text_.find('\'', i + 1) + 1;
            const std::string written = text_.substr(start, i - start);
            return add(
                Operand("AL", e_.names.emplace_back(written).c_str(), 'A', static_cast<int32_t>(written.size() - 2)));
        }
        if (text_[i] == '-')
            ++i;
        int32_t digits = 0, decimals = 0;
        bool point = false;
        while (i < text_.size() && (std::isdigit(static_cast<unsigned char>(text_[i])) || text_[i] == '.')) {
            if (text_[i] == '.')
                point = true;
            else {
                ++digits;
                decimals += point ? 1 : 0;
            }
            ++i;
        }
        return add(Operand("NL", e_.names.emplace_back(text_.substr(start, i - start)).c_str(), 'P', digits, decimals));
    }

    int operation(int a, const std::string& code, int b)
    {
        const DQOO_CHECKED_OPERAND first = e_.operands[static_cast<size_t>(a - 1)];
        const DQOO_CHECKED_OPERAND second = e_.operands[static_cast<size_t>(b - 1)];
        DQOO_CHECKED_OPERAND work = Operand("  ", "", 'L', 1);
        if (precedence(code) >= 4) {
            const int32_t i1 = first.lLength - first.lDecimals, i2 = second.lLength - second.lDecimals;
            const int32_t d1 = first.lDecimals, d2 = second.lDecimals;
            int32_t digits = 0, decimals = 0;
            if (code == "MU") {
                digits = i1 + i2;
                decimals = d1 + d2;
            } else if (code == "DV") {
                digits = i1 + d2;
                decimals = std::max({d1, d2, target_ != nullptr ? target_->decimals : 0});
            } else {
                digits = std::max(i1, i2) + 1;
                decimals = std::max(d1, d2);
            }
            work = Operand("  ", "", 'P', std::min(digits + decimals, 63), decimals);
        }
        const int result = add(work);
        e_.operations.push_back(
            Op(static_cast<int16_t>(a), code.c_str(), static_cast<int16_t>(b), static_cast<int16_t>(result)));
        return result;
    }

    std::string text_;
    const FieldDef* target_;
    Checked e_;
};

// One run of a routine: the values set before it, and its result worked
// out by hand: the target's value ("OVERFLOW" when it does not fit, "FATAL
// 11 " and the value stored after a division by zero), or 1 or 0 for a
// condition.
struct Run {
    std::vector<std::pair<const char*, const char*>> inputs;
    const char* expected;
};

struct Case {
    const char* target;  // null for a condition
    const char* text;    // the expression, or the special value (starting with '*')
    bool round;
    std::vector<Run> runs;
};

// clang-format off
const std::vector<Case> kCases = {
    /* mixed decimals, negative values */
    {"P92", "#P52 + #P72", false, {{{{"P52", "1.25"}, {"P72", "100.10"}}, "101.35"},
                                   {{{"P52", "-1.25"}, {"P72", "100.10"}}, "98.85"}}},
    {"P92", "#P52 - #P72", false, {{{{"P52", "1.25"}, {"P72", "100.10"}}, "-98.85"},
                                   {{{"P52", "-0.01"}, {"P72", "0.01"}}, "-0.02"}}},
    {"P94", "#P52 * #P93", false, {{{{"P52", "1.25"}, {"P93", "2.125"}}, "2.6562"},
                                   {{{"P52", "-1.25"}, {"P93", "2.125"}}, "-2.6562"}}},
    {"P92", "#P52 * 1.000", false, {{{{"P52", "0.29"}}, "0.29"}, {{{"P52", "-0.29"}}, "-0.29"},
                                    {{{"P52", "0.57"}}, "0.57"}}},
    {"P94", "#P52 / #P30", false, {{{{"P52", "10.00"}, {"P30", "3"}}, "3.3333"},
                                   {{{"P52", "-10.00"}, {"P30", "3"}}, "-3.3333"},
                                   {{{"P52", "1.00"}, {"P30", "8"}}, "0.1250"},
                                   {{{"P52", "1.00"}, {"P30", "0"}}, "FATAL 11 0.0000"}}},
    {"P92", "(#P52 + #P93) * 2", false, {{{{"P52", "1.25"}, {"P93", "0.125"}}, "2.75"},
                                         {{{"P52", "0.01"}, {"P93", "0.005"}}, "0.03"}}},
    {"P72", "#P72 - #P52 * 3", false, {{{{"P72", "100.00"}, {"P52", "1.25"}}, "96.25"}}},
    {"S72", "#P52 - #P72", false, {{{{"P52", "1.25"}, {"P72", "100.10"}}, "-98.85"}}},
    {"P90", "#P50 + #P50B", false, {{{{"P50", "12345"}, {"P50B", "-345"}}, "12000"}}},
    {"P94", "#P52 / 3", false, {{{{"P52", "20.00"}}, "6.6666"}}},
    {"P92", "#P92B", false, {{{{"P92B", "-12.34"}}, "-12.34"}}},
    /* ROUND_UP on +, -, *, / with negative operands */
    {"P92", "#P52 * #P93", true, {{{{"P52", "2.50"}, {"P93", "1.003"}}, "2.51"},
                                  {{{"P52", "-2.50"}, {"P93", "1.003"}}, "-2.51"},
                                  {{{"P52", "2.50"}, {"P93", "1.001"}}, "2.50"},
                                  {{{"P52", "-2.50"}, {"P93", "1.001"}}, "-2.50"}}},
    {"P92", "#P92B - #P93", true, {{{{"P92B", "-1.00"}, {"P93", "0.005"}}, "-1.01"},
                                   {{{"P92B", "0.00"}, {"P93", "0.004"}}, "0.00"},
                                   {{{"P92B", "0.00"}, {"P93", "0.005"}}, "-0.01"},
                                   {{{"P92B", "1.00"}, {"P93", "0.005"}}, "1.00"}}},
    {"P92", "#P92B + #P93", true, {{{{"P92B", "1.25"}, {"P93", "0.004"}}, "1.25"},
                                   {{{"P92B", "1.25"}, {"P93", "0.005"}}, "1.26"},
                                   {{{"P92B", "-1.25"}, {"P93", "-0.005"}}, "-1.26"}}},
    {"P94", "#P52 / 3", true, {{{{"P52", "20.00"}}, "6.6667"}, {{{"P52", "-20.00"}}, "-6.6667"},
                               {{{"P52", "2.00"}}, "0.6667"}, {{{"P52", "0.03"}}, "0.0100"}}},
    {"P90", "#P50 / #P50B", true, {{{{"P50", "7"}, {"P50B", "2"}}, "4"},
                                   {{{"P50", "-7"}, {"P50B", "2"}}, "-4"},
                                   {{{"P50", "5"}, {"P50B", "3"}}, "2"},
                                   {{{"P50", "4"}, {"P50B", "3"}}, "1"}}},
    {"P90", "#P50 / #P50B", false, {{{{"P50", "7"}, {"P50B", "2"}}, "3"},
                                    {{{"P50", "7"}, {"P50B", "0"}}, "FATAL 11 0"}}},
    /* 15 digits: within the double's, and beyond */
    {"P152", "#P152 + #P152B", false, {{{{"P152", "1234567890123.45"}, {"P152B", "0.01"}}, "1234567890123.46"},
                                       {{{"P152", "-9999999999999.99"}, {"P152B", "0.01"}}, "-9999999999999.98"}}},
    {"P152", "#P152 * 2", false, {{{{"P152", "1234567890123.45"}}, "2469135780246.90"},
                                  {{{"P152", "9999999999999.99"}}, "OVERFLOW"}}},
    {"P150", "#P150 + 1", false, {{{{"P150", "999999999999998"}}, "999999999999999"},
                                  {{{"P150", "999999999999999"}}, "OVERFLOW"}}},
    {"P152", "#P132 + #P132B", false, {{{{"P132", "99999999999.99"}, {"P132B", "0.01"}}, "100000000000.00"},
                                       {{{"P132", "12345678901.23"}, {"P132B", "0.77"}}, "12345678902.00"}}},
    {"P132", "#P132 * #P52", false, {{{{"P132", "12345678901.23"}, {"P52", "1.01"}}, "12469135690.24"}}},
    /* 18 digits */
    {"BIGR", "#BIG * #BIG2 / #BIG2", false,
     {{{{"BIG", "123456789012345678"}, {"BIG2", "1"}}, "123456789012345678"},
      {{{"BIG", "999999999999999999"}, {"BIG2", "1"}}, "999999999999999999"},
      {{{"BIG", "999999999999999999"}, {"BIG2", "999999999999999999"}}, "999999999999999999"},
      {{{"BIG", "-123456789012345678"}, {"BIG2", "3"}}, "-123456789012345678"},
      {{{"BIG", "5"}, {"BIG2", "0"}}, "FATAL 11 0"}}},
    {"BIGR", "#BIG + #BIG2", false, {{{{"BIG", "999999999999999998"}, {"BIG2", "1"}}, "999999999999999999"},
                                     {{{"BIG", "999999999999999999"}, {"BIG2", "1"}}, "OVERFLOW"},
                                     {{{"BIG", "1"}, {"BIG2", "-999999999999999999"}}, "-999999999999999998"}}},
    {"BIGR", "#BIG / #BIG2", false, {{{{"BIG", "999999999999999999"}, {"BIG2", "3"}}, "333333333333333333"},
                                     {{{"BIG", "999999999999999999"}, {"BIG2", "0"}}, "FATAL 11 0"}}},
    /* 31 digits */
    {"P310", "#P310 + #P310B", false,
     {{{{"P310", "9999999999999999999999999999998"}, {"P310B", "1"}}, "9999999999999999999999999999999"},
      {{{"P310", "9999999999999999999999999999999"}, {"P310B", "1"}}, "OVERFLOW"}}},
    {"P319", "#P319 * #P319B", false, {{{{"P319", "1.000000001"}, {"P319B", "1.000000001"}}, "1.000000002"},
                                       {{{"P319", "-2.5"}, {"P319B", "4"}}, "-10.000000000"}}},
    {"P319", "#P319 / #P319B", false, {{{{"P319", "1"}, {"P319B", "3"}}, "0.333333333"},
                                       {{{"P319", "-2"}, {"P319B", "3"}}, "-0.666666666"},
                                       {{{"P319", "1"}, {"P319B", "0"}}, "FATAL 11 0.000000000"}}},
    {"P315", "#P315 / 7", true, {{{{"P315", "100"}}, "14.28571"}, {{{"P315", "-100"}}, "-14.28571"},
                                 {{{"P315", "1"}}, "0.14286"}}},
    {"P315", "#P315 * #P315B", true, {{{{"P315", "1.23456"}, {"P315B", "1.00001"}}, "1.23457"},
                                      {{{"P315", "1.23456"}, {"P315B", "-1.00001"}}, "-1.23457"}}},
    /* integer fields */
    {"I4C", "#I4A + #I4B", false, {{{{"I4A", "100000"}, {"I4B", "-250"}}, "99750"},
                                   {{{"I4A", "-5"}, {"I4B", "-7"}}, "-12"}}},
    {"I8", "#I4A * #I4B", false, {{{{"I4A", "100000"}, {"I4B", "300000"}}, "30000000000"}}},
    {"P92", "#I4A / 8", false, {{{{"I4A", "99"}}, "12.37"}, {{{"I4A", "-99"}}, "-12.37"}}},
    {"I4C", "#P92", false, {{{{"P92", "12.99"}}, "12"}, {{{"P92", "-12.99"}}, "-12"}}},
    {"I4C", "#P90 * 2", false, {{{{"P90", "21"}}, "42"}}},
    {"P92", "#I4A + #P52", false, {{{{"I4A", "7"}, {"P52", "1.25"}}, "8.25"}}},
    /* floating-point fields */
    {"F8C", "#F8A * #F8B", false, {{{{"F8A", "1.5"}, {"F8B", "2.25"}}, "3.375"}}},
    {"P92", "#F8A * 2", false, {{{{"F8A", "1.5"}}, "3.00"}, {{{"F8A", "0.1"}}, "0.20"}}},
    {"F8C", "#P92 + 1", false, {{{{"P92", "12.25"}}, "13.25"}}},
    /* a boolean field */
    {"YB", "#YA", false, {{{{"YA", "1"}, {"YB", "0"}}, "1"}, {{{"YA", "0"}, {"YB", "1"}}, "0"}}},
    /* overflow */
    {"P52", "#P72 * 10", false, {{{{"P72", "5000.00"}}, "OVERFLOW"}, {{{"P72", "99.99"}}, "999.90"}}},
    {"P30", "#P90 + 1", false, {{{{"P90", "999"}}, "OVERFLOW"}, {{{"P90", "998"}}, "999"}}},
    {"P72", "#P92", false, {{{{"P92", "1234567.89"}}, "OVERFLOW"}, {{{"P92", "12345.67"}}, "12345.67"}}},
    /* a zero byte in a literal; SQL null into an alphanumeric field */
    {"ALPHA", "X'C100C2'", false, {{{}, "\\xC1\\x00\\xC2       "}}},
    {nullptr, "#ALPHA = X'C100C2'", false, {{{}, "1"}, {{{"ALPHA", "AB"}}, "0"}}},
    {"ALPHA", "*SQLNULL", false, {{{{"ALPHA", "ABC"}}, "          "}}},
    /* the highest and lowest values of short packed and signed fields, and
       not available in characters of 2, 5 and 10 */
    {"P10", "*HIVAL", false, {{{}, "9"}}},
    {"P10", "*LOVAL", false, {{{}, "-9"}}},
    {"P20", "*HIVAL", false, {{{}, "99"}}},
    {"P30", "*LOVAL", false, {{{}, "-999"}}},
    {"P40", "*HIVAL", false, {{{}, "9999"}}},
    {"P50", "*LOVAL", false, {{{}, "-99999"}}},
    {"S10", "*LOVAL", false, {{{}, "-9"}}},
    {"S20", "*HIVAL", false, {{{}, "99"}}},
    {"S20", "*LOVAL", false, {{{}, "-99"}}},
    {"S30", "*LOVAL", false, {{{}, "-999"}}},
    {"A2", "*NAVAIL", false, {{{{"A2", "XY"}}, "  "}}},
    {"A5", "*NAVAIL", false, {{{}, "N/AVA"}}},
    {"ALPHA", "*NAVAIL", false, {{{{"ALPHA", "ABCDEFGHIJ"}}, "N/AVAIL   "}}},
    /* comparisons at their boundary: equal values, one less, one more */
    {nullptr, "#P50 <= #P50B", false, {{{{"P50", "5"}, {"P50B", "5"}}, "1"}, {{{"P50", "6"}, {"P50B", "5"}}, "0"},
                                       {{{"P50", "-6"}, {"P50B", "5"}}, "1"}}},
    {nullptr, "#P50 < #P50B", false, {{{{"P50", "5"}, {"P50B", "5"}}, "0"}, {{{"P50", "4"}, {"P50B", "5"}}, "1"}}},
    {nullptr, "#P50 >= #P50B", false, {{{{"P50", "5"}, {"P50B", "5"}}, "1"}, {{{"P50", "4"}, {"P50B", "5"}}, "0"}}},
    {nullptr, "#P50 > #P50B", false, {{{{"P50", "5"}, {"P50B", "5"}}, "0"}, {{{"P50", "6"}, {"P50B", "5"}}, "1"}}},
    {nullptr, "#P50 = #P50B", false, {{{{"P50", "5"}, {"P50B", "5"}}, "1"}, {{{"P50", "6"}, {"P50B", "5"}}, "0"}}},
    {nullptr, "#P50 <> #P50B", false, {{{{"P50", "5"}, {"P50B", "5"}}, "0"}, {{{"P50", "-5"}, {"P50B", "5"}}, "1"}}},
    {nullptr, "#P92 <= #P92B", false, {{{{"P92", "1.25"}, {"P92B", "1.25"}}, "1"},
                                       {{{"P92", "1.26"}, {"P92B", "1.25"}}, "0"}}},
    {nullptr, "#P92 >= #P92B", false, {{{{"P92", "1.25"}, {"P92B", "1.25"}}, "1"},
                                       {{{"P92", "1.24"}, {"P92B", "1.25"}}, "0"}}},
    /* a one-byte integer at its highest and lowest */
    {"I1", "*HIVAL", false, {{{}, "127"}}},
    {"I1", "*LOVAL", false, {{{}, "-128"}}},
    /* a signed field of 31 digits is held with its field information, one
       of 30 is not */
    {"S310", "#P310", false, {{{{"P310", "-1234567890123456789012345678901"}}, "-1234567890123456789012345678901"}}},
    {"S300", "#P310", false, {{{{"P310", "-123456789012345678901234567890"}}, "-123456789012345678901234567890"}}},
    /* fields of identical layout moved whole, beyond 30 digits with their
       field information */
    {"P50B", "#P50", false, {{{{"P50", "-12345"}}, "-12345"}}},
    {"P310B", "#P310", false, {{{{"P310", "-1234567890123456789012345678901"}}, "-1234567890123456789012345678901"}}},
    {"P315B", "#P315", false, {{{{"P315", "12345678901234567890123456.12345"}}, "12345678901234567890123456.12345"}}},
    {"A5", "#A5", false, {{{{"A5", "ABCDE"}}, "ABCDE"}}},
    /* conditions */
    {nullptr, "#P52 > #P93", false, {{{{"P52", "1.25"}, {"P93", "1.249"}}, "1"},
                                     {{{"P52", "1.25"}, {"P93", "1.250"}}, "0"}}},
    {nullptr, "#P52 = #P93", false, {{{{"P52", "1.25"}, {"P93", "1.250"}}, "1"},
                                     {{{"P52", "1.25"}, {"P93", "1.251"}}, "0"}}},
    {nullptr, "#P52 * 2 >= #P72", false, {{{{"P52", "1.25"}, {"P72", "2.50"}}, "1"},
                                          {{{"P52", "1.25"}, {"P72", "2.51"}}, "0"}}},
    {nullptr, "(#P52 < 0) OR (#P72 < 0)", false, {{{{"P52", "1.00"}, {"P72", "-0.01"}}, "1"},
                                                 {{{"P52", "0.00"}, {"P72", "0.00"}}, "0"}}},
    {nullptr, "#P152 = #P152B", false, {{{{"P152", "1234567890123.45"}, {"P152B", "1234567890123.46"}}, "0"},
                                        {{{"P152", "1234567890123.45"}, {"P152B", "1234567890123.45"}}, "1"}}},
    {nullptr, "#BIG > #BIG2", false, {{{{"BIG", "999999999999999999"}, {"BIG2", "999999999999999998"}}, "1"},
                                      {{{"BIG", "999999999999999998"}, {"BIG2", "999999999999999999"}}, "0"}}},
    {nullptr, "#P310 > #P310B", false,
     {{{{"P310", "9999999999999999999999999999999"}, {"P310B", "9999999999999999999999999999998"}}, "1"},
      {{{"P310", "9999999999999999999999999999998"}, {"P310B", "9999999999999999999999999999999"}}, "0"}}},
    {nullptr, "#P52 = *ZERO", false, {{{{"P52", "0.00"}}, "1"}, {{{"P52", "0.01"}}, "0"}}},
    {nullptr, "#P72 = *HIVAL", false, {{{{"P72", "99999.99"}}, "1"}, {{{"P72", "99999.98"}}, "0"}}},
    {nullptr, "#P72 > *LOVAL", false, {{{{"P72", "-99999.99"}}, "0"}, {{{"P72", "0.00"}}, "1"}}},
    {nullptr, "#P72 < *HIVAL", false, {{{{"P72", "-99999.99"}}, "1"}, {{{"P72", "99999.99"}}, "0"}}},
    {nullptr, "#I4A > #I4B", false, {{{{"I4A", "5"}, {"I4B", "-5"}}, "1"}, {{{"I4A", "-5"}, {"I4B", "5"}}, "0"}}},
    {nullptr, "#F8A < #F8B", false, {{{{"F8A", "1.5"}, {"F8B", "2.25"}}, "1"}, {{{"F8A", "2.5"}}, "0"}}},
    {nullptr, "#YA", false, {{{{"YA", "1"}}, "1"}, {{{"YA", "0"}}, "0"}}},
    {nullptr, "#YA = #YB", false, {{{{"YA", "1"}, {"YB", "1"}}, "1"}, {{{"YA", "1"}, {"YB", "0"}}, "0"}}},
    {nullptr, "#YA AND (#P52 > 1)", false, {{{{"YA", "1"}, {"P52", "1.25"}}, "1"},
                                            {{{"YA", "0"}, {"P52", "1.25"}}, "0"},
                                            {{{"YA", "1"}, {"P52", "0.50"}}, "0"}}},
    {nullptr, "(#P52 + #P93) = 1.375", false, {{{{"P52", "1.25"}, {"P93", "0.125"}}, "1"},
                                               {{{"P52", "1.25"}, {"P93", "0.126"}}, "0"}}},
    {nullptr, "#P319 * #P319B > 1", false, {{{{"P319", "1.000000001"}, {"P319B", "1"}}, "1"},
                                            {{{"P319", "-1"}, {"P319B", "-1"}}, "0"}}},
};
// clang-format on

// Defaults of fields: the default as written, the field's value before and
// after its default-value routine ran. A field beyond 30 digits is held
// with its field information: its default lands in the data behind the
// field state, every digit of the old value replaced.
struct DefaultCase {
    const char* field;
    const char* written;
    const char* before;
    const char* expected;
};

const std::vector<DefaultCase> kDefaults = {
    {"S310", "-12", "1234567890123456789012345678901", "-12"},
    {"P310", "345", "-1234567890123456789012345678901", "345"},
    {"S300", "7", "-123456789012345678901234567890", "7"},
    {"P52", "*ZERO", "123.45", "0.00"},
};

class ExactRun : public CompiledRoutines {
protected:
    testsupport::ScratchDir dir{"expr-exact"};
    CaptureWriter gen;

    void SetUp() override
    {
        CompiledRoutines::SetUp();
        gen.indent = 0;
        for (const FieldDef& f : kFields)
            gen.dictionary.fields[f.name] = FieldFacts(vector(f.name).c_str(), f.type, f.length, f.decimals);
    }
    static std::string vector(const std::string& name) { return "V_FIELD_" + name; }
    static DQOO_CHECKED_OPERAND targetOperand(const FieldDef& f)
    {
        return Operand("FL", f.name, f.type, f.length, f.decimals);
    }

    // Compiles every case into routine n (in order) and answers the C
    // driver that runs each case's runs.
    std::string compileCases()
    {
        std::string driver = "int main(void)\n{\n    LOCALS\n";
        int n = 0;
        for (size_t c = 0; c < kCases.size(); ++c) {
            const Case& k = kCases[c];
            ++n;
            const std::string number = std::to_string(n);
            const std::string key = std::string(k.target != nullptr ? "B" : "D") + std::string(7 - number.size(), '0') +
                                    number;
            const FieldDef* target = k.target != nullptr ? fieldNamed(k.target) : nullptr;
            std::string call;
            if (k.text[0] == '*') {
                compileSpecial(k.text, targetOperand(*target), key.c_str());
            } else {
                const Checked e = Parser(k.text, target).Parse();
                const DQOO_CHECKED_EXPRESSION view = e.View();
                if (target != nullptr)
                    compileValue(view, targetOperand(*target), key.c_str(), k.round ? 'Y' : 'N');
                else
                    compileCondition(view, key.c_str());
            }
            for (size_t r = 0; r < k.runs.size(); ++r) {
                driver += "    BEGIN();\n";
                for (const auto& [field, value] : k.runs[r].inputs)
                    driver += "    LR_Set( " + vector(field) + ", \"" + value + "\" );\n";
                driver += "    printf( \"" + std::to_string(c + 1) + "." + std::to_string(r + 1) + " \" );\n";
                if (target != nullptr)
                    driver += "    LR_Fatal = 0; LR_Overflow = 0;\n    EVALUATE_COMMAND_" + number +
                              "\n    END( " + vector(k.target) + " );\n";
                else
                    driver += "    LR_Fatal = 0; LR_Overflow = 0;\n    TEST( Boolean_Evaluation_Routine_" + number +
                              "( FUNCTION_STD_PARMS ) );\n";
            }
        }
        for (size_t d = 0; d < kDefaults.size(); ++d)
            driver += defaultRun(d);
        return driver + "    return 0;\n}\n";
    }
    // Prepares the default-value routine of a default case and answers the
    // driver's run of it.
    std::string defaultRun(size_t d)
    {
        const DefaultCase& k = kDefaults[d];
        const FieldDef& f = *fieldNamed(k.field);
        const DQOO_DEFAULT_VALUE_REQUEST request{f.name, f.type, static_cast<uint32_t>(f.length),
                                                static_cast<uint32_t>(f.decimals), k.written};
        char reference[10] = {};
        EXPECT_EQ(0, DQOO_FCC_PrepareDefaultValueRoutine(handle, &request, reference)) << k.field;
        const int number = std::atoi(std::string(reference + 2, 7).c_str());
        return "    BEGIN();\n    LR_Set( " + vector(f.name) + ", \"" + k.before + "\" );\n    printf( \"D" +
               std::to_string(d + 1) + " \" );\n    LR_Fatal = 0; LR_Overflow = 0;\n    EVALUATE_DEFAULT_VALUE_" +
               std::to_string(number) + "( " + vector(f.name) + " )\n    END( " + vector(f.name) + " );\n";
    }
    // What the driver should print: the expected value of every run.
    static std::string expected()
    {
        std::string out;
        for (size_t c = 0; c < kCases.size(); ++c)
            for (size_t r = 0; r < kCases[c].runs.size(); ++r)
                out += std::to_string(c + 1) + "." + std::to_string(r + 1) + " " + kCases[c].runs[r].expected + "\n";
        for (size_t d = 0; d < kDefaults.size(); ++d)
            out += "D" + std::to_string(d + 1) + " " + kDefaults[d].expected + "\n";
        return out;
    }
};

const char* const kDriverHead = R"(
#define LOCALS                                                                                    \
    struct X_IDS *pX_Ids = LR_pIds;                                                               \
    struct X_PRO *pX_Pro = pX_NULL;                                                               \
    struct X_FUN *pX_Fun = pX_NULL;                                                               \
    struct X_FLD *pX_Fld = LR_Fld;                                                                \
    struct X_LIST *pX_List = pX_NULL;                                                             \
    struct X_FKEY *X_FKey = pX_NULL;                                                              \
    struct FUNCTION_STATIC_GLOBAL_1 *pGlobal1 = pX_NULL;                                          \
    struct FUNCTION_STATIC_GLOBAL_2 *pGlobal2 = pX_NULL;                                          \
    (void)pX_Pro; (void)pX_Fun; (void)pX_Fld; (void)pX_List; (void)X_FKey; (void)pGlobal1;        \
    (void)pGlobal2;                                                                               \
    DEFINE_FIELDS
#define BEGIN() ( pX_Ids->chFatalError = NO )
/* the value of the target; OVERFLOW when the value did not fit it, the
** fatal error's text number before the value stored after it */
#define END( field )                                                                              \
    do {                                                                                          \
        if ( LR_Overflow ) printf( "OVERFLOW" );                                                  \
        else {                                                                                    \
            if ( LR_Fatal ) printf( "FATAL %d ", LR_Fatal );                                      \
            LR_Show( field );                                                                     \
        }                                                                                         \
        printf( "\n" );                                                                           \
    } while ( 0 )
#define TEST( condition )                                                                         \
    do {                                                                                          \
        int fTrue = ( condition ) ? 1 : 0;                                                        \
        if ( LR_Fatal ) printf( "FATAL %d ", LR_Fatal );                                          \
        printf( "%d\n", fTrue );                                                                  \
    } while ( 0 )
)";

TEST_F(ExactRun, EveryResultIsTheOneWorkedOutByHand)
{
    const std::string driver = compileCases();
    EXPR_WriteEvaluationHeaderSections(gen);
    EXPR_WriteEvaluationRoutines(gen);
    const std::string header = gen.StreamText(gen.header), source = gen.StreamText(7);

    std::ostringstream prelude;
    prelude << "#define X_MODULE_COMPONENT_EVALUATE_PCODE 1\n#include <stdio.h>\n#include \"x_funstd.h\"\n"
               "#include \"least_runtime.h\"\n";
    std::string fields = "#define DEFINE_FIELDS";
    for (size_t i = 0; i < std::size(kFields); ++i) {
        const FieldDef& f = kFields[i];
        const int bytes = f.type == 'P' ? f.length / 2 + 1 : f.length;
        /* a field held with its field information: the structure's bytes, as the generator defines them */
        const std::string length = heldWithInformation(f) ? "(sizeof( X_FLD_PACKED ) - 1 + " + std::to_string(bytes) + ")"
                                                          : std::to_string(bytes);
        prelude << "#define " << vector(f.name) << " " << i << "\n#define BYTE_LEN_" << vector(f.name) << " " << length
                << "\n";
        fields += " LR_Define( " + vector(f.name) + ", '" + f.type + "', " + std::to_string(f.length) + ", " +
                  std::to_string(f.decimals) + ", " + (heldWithInformation(f) ? "1" : "0") + " );";
    }
    prelude << fields << "\n" << kDriverHead;

    const std::filesystem::path c = dir / "routines.c", o = dir / "routines.o", exe = dir / "routines";
    {
        std::ofstream out(c);
        out << prelude.str() << header << source << driver;
    }
    const std::string root(DQOV_SOURCE_DIR);
    const std::string include = " -I '" + root + "/samples/runtime/c' -I '" + root +
                                "/tests/generator/expressions' -I '" + root + "/tests/runtime'";
    /* the generated routines compile as generated programs must */
    ASSERT_EQ(testsupport::runOutput("gcc -std=c99 -O2 -Wall -Werror -c" + include + " -o '" + o.string() + "' '" +
                                     c.string() + "' 2>&1"),
              "")
        << header << source;
    ASSERT_EQ(testsupport::runOutput("gcc -std=c99 -O2 -Wall -Werror" + include + " -o '" + exe.string() + "' '" +
                                     o.string() + "' '" + root + "/tests/generator/expressions/least_runtime.c' '" +
                                     root + "/tests/runtime/rt_decimal.c' 2>&1"),
              "");
    const std::string got = testsupport::runOutput("'" + exe.string() + "' 2>&1");
    /* line by line, so that a difference names its case and run */
    std::istringstream gotLines(got), expectedLines(expected());
    std::string g, e;
    size_t lines = 0;
    while (std::getline(expectedLines, e)) {
        ++lines;
        ASSERT_TRUE(std::getline(gotLines, g)) << "the run ended before: " << e << "\n" << got;
        EXPECT_EQ(g, e);
    }
    EXPECT_FALSE(std::getline(gotLines, g)) << "more output: " << g;
    EXPECT_GE(kCases.size(), 60u);
    EXPECT_GE(lines, 120u);
}

}  // namespace
