/*
** expr_table_rows.cpp: row texts, operand texts and the pending row.
*/
#include "generator/expressions/expr_table_rows.h"

#include <algorithm>
#include <charconv>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr size_t kNameField = 65;

/* The buffer a written or replaced row left behind: the rows of the tables
** take turns in it and the pending row's, instead of a new string each. */
std::string& spareRow()
{
    static std::string spare;
    return spare;
}

std::string takeSpareRow()
{
    std::string row = std::move(spareRow());
    row.clear();
    return row;
}

void keepSpareRow(std::string&& row)
{
    if (row.capacity() > spareRow().capacity())
        spareRow() = std::move(row);
}

}  // namespace

std::string_view EXPR_HexDigits(char (&text)[8], uint32_t value, size_t width, bool capitals)
{
    char digits[8];
    const size_t count = static_cast<size_t>(std::to_chars(digits, digits + sizeof digits, value, 16).ptr - digits);
    const size_t zeros = width > count ? width - count : 0;
    std::fill_n(text, zeros, '0');
    std::copy_n(digits, count, text + zeros);
    if (capitals)
        for (size_t i = zeros; i < zeros + count; ++i)
            if (text[i] >= 'a')
                text[i] = static_cast<char>(text[i] - 'a' + 'A');
    return {text, zeros + count};
}

ExprTableRows::ExprTableRows(ExprGeneratorServices& gen, const EXPR_PCODE_ROUTINE& routine, ExprTableReport& report)
    : gen_(gen), routine_(routine), report_(report), csharp_(gen.TargetLanguage() == EXPR_TARGET_CSHARP)
{}

namespace {

/* CRow's text, into `row` (which it replaces). */
void cRowInto(std::string& row, std::string_view name, std::string_view operand)
{
    /* "   " + the name and its comma padded to the name field + " " + operand,
       with room for the comma a flush adds */
    const size_t field = std::max(kNameField, name.size() + 1);
    const size_t length = 3 + field + 1 + operand.size();
    row.reserve(length + 1);
    /* blanks throughout, then the name, its comma and the operand put in place */
    row.assign(length, ' ');
    char* at = row.data();
    if (!name.empty())
        std::memcpy(at + 3, name.data(), name.size());
    at[3 + name.size()] = ',';
    if (!operand.empty())
        std::memcpy(at + 3 + field + 1, operand.data(), operand.size());
}

/* CsRow's text, into `row` (which it replaces). */
void csRowInto(std::string& row, uint32_t number, std::string_view name, std::string_view operand, ExprCsComma comma)
{
    /* "   0x<number> ", then the name in a C# comment with its comma,
    ** padded to the name field, then " " and the operand */
    const std::string_view close = comma == ExprCsComma::Tight ? " */," : " */ ,";
    const size_t field = 3 + name.size() + close.size();
    char digits[8];
    row.clear();
    row.reserve(14 + std::max(kNameField, field) + 1 + operand.size() + 1);
    row.append("   0x").append(EXPR_HexDigits(digits, number, 8, true)).append(" /* ").append(name).append(close);
    if (field < kNameField)
        row.append(kNameField - field, ' ');
    row.push_back(' ');
    row.append(operand);
}

/* The number a C# row gives a catalogue entry. */
uint32_t writtenNumber(const ExprOpcodeEntry& entry)
{
    return entry.writtenAs != 0 ? entry.writtenAs : entry.number;
}

}  // namespace

std::string ExprTableRows::CRow(std::string_view name, std::string_view operand)
{
    std::string row = takeSpareRow();
    cRowInto(row, name, operand);
    return row;
}

std::string ExprTableRows::CsRow(uint32_t number, std::string_view name, std::string_view operand, ExprCsComma comma)
{
    std::string row = takeSpareRow();
    csRowInto(row, number, name, operand, comma);
    return row;
}

void ExprTableRows::SetPendingRow(const ExprOpcodeEntry& entry, std::string_view operand, ExprCsComma comma)
{
    if (!csharp_)
        cRowInto(pending_, EXPR_OpcodeName(entry), operand);
    else
        csRowInto(pending_, writtenNumber(entry), EXPR_OpcodeName(entry), operand, comma);
}

std::string ExprTableRows::Row(const ExprOpcodeEntry& entry, std::string_view operand, ExprCsComma comma) const
{
    if (!csharp_)
        return CRow(EXPR_OpcodeName(entry), operand);
    return CsRow(writtenNumber(entry), EXPR_OpcodeName(entry), operand, comma);
}

std::string ExprTableRows::Row(uint32_t number, std::string_view operand, ExprCsComma comma) const
{
    const ExprOpcodeEntry* entry = EXPR_FindOpcode(number);
    /* Every companion the rules name is in the catalogue. */
    if (entry == nullptr)
        return CRow("???", operand);
    return Row(*entry, operand, comma);
}

void ExprTableRows::CountUnknownOpcode(uint32_t opcode)
{
    ++report_.unknownOpcodes;
    /* the catalogue's name without its common prefix, when it names one */
    const ExprOpcodeEntry* entry = EXPR_FindOpcode(opcode);
    std::string_view name = entry != nullptr ? std::string_view(entry->name) : std::string_view();
    if (name.substr(0, 14) == "X_COMP_OPCODE_")
        name.remove_prefix(14);
    char text[128];
    std::snprintf(text, sizeof text, "Opcode %" PRIu32 " has no instruction row%s%.*s%s", opcode,
                  name.empty() ? "" : " (", static_cast<int>(name.size()), name.data(), name.empty() ? "" : ")");
    gen_.ReportError(text);
}

void ExprTableRows::CheckWidth(int64_t value)
{
    /* A C table is an array of 16-bit words: a value is kept when it fits
    ** them signed or unsigned. A C# table is an array of int. A wider value
    ** would compile into another number: it is an error of the job. */
    const bool fits =
        csharp_ ? (value >= INT32_MIN && value <= INT32_MAX) : (value >= INT16_MIN && value <= UINT16_MAX);
    if (fits)
        return;
    ++report_.wideOperands;
    char text[96];
    std::snprintf(text, sizeof text, "Expression table: value %" PRId64 " does not fit a %d-bit table column", value,
                  csharp_ ? 32 : 16);
    gen_.ReportError(text);
}

std::string ExprTableRows::Number(int64_t value)
{
    CheckWidth(value);
    return std::to_string(value);
}

std::string ExprTableRows::Index()
{
    return Number(report_.operandIndex);
}

std::string ExprTableRows::Pair(const EXPR_OPERAND_NODE* node)
{
    if (node == nullptr)
        return "0x0000";
    char high[8];
    char low[8];
    std::string text("0x");
    text.append(EXPR_HexDigits(high, node->value, 2, false)).append(EXPR_HexDigits(low, node->second, 2, false));
    /* The two words are joined digit by digit, so the literal's value is
    ** what the column receives. */
    const unsigned long long joined = std::strtoull(text.c_str() + 2, nullptr, 16);
    CheckWidth(joined > static_cast<unsigned long long>(INT64_MAX) ? INT64_MAX : static_cast<int64_t>(joined));
    return text;
}

std::string ExprTableRows::Hex4(const EXPR_OPERAND_NODE* node, std::string_view absent)
{
    if (node == nullptr)
        return std::string(absent);
    char digits[8];
    std::string text("0x");
    text.append(EXPR_HexDigits(digits, node->value, 4, false));
    CheckWidth(node->value);
    return text;
}

std::string ExprTableRows::Unresolved()
{
    ++report_.unresolvedOperands;
    return "???";
}

void ExprTableRows::WriteNow(std::string row)
{
    row.push_back(',');
    gen_.Line(row);
    keepSpareRow(std::move(row));
}

void ExprTableRows::SetPending(std::string row)
{
    pending_.swap(row);
    keepSpareRow(std::move(row));
}

void ExprTableRows::FlushWithComma()
{
    if (pending_.empty())
        return;
    pending_ += ',';
    gen_.Line(pending_);
    pending_.clear();
}

void ExprTableRows::FlushLast()
{
    gen_.Line(pending_);
    pending_.clear();
}

void ExprTableRows::CountOperand(const EXPR_OPERAND_NODE* node, uint32_t opcode)
{
    if (EXPR_IsCountedOperand(node, opcode))
        ++report_.operandIndex;
}
