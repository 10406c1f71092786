// The object layer's expression store: the records handed out by the
// expression enumerations and the items answered by the item queries.
// Every record lives in a deque so that its address stays fixed while the
// store is filled; the store is replaced as a whole.
#ifndef DQOV_PLATFORM_DQOO_STORE_H
#define DQOV_PLATFORM_DQOO_STORE_H

#include "platform/dqoo/dqoo.h"
#include "platform/dqoo/dqoo_pcode.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace dqoo {

struct Literal {
    std::string text;
    uint16_t second = 0;
};

struct Attribute {
    std::string field;
    std::string attributes;
};

// A When group opened by a CASE: its group element and the subject the
// When routines of its WHENs compare.
struct WhenGroup {
    EXPR_PCODE_ROUTINE* element = nullptr;  // kind 150: the shared operand stack size
    EXPR_OPERAND_NODE* subject = nullptr;   // the subject's operand node
    char family = ' ';                      // the subject's value family (see dqoo_compile_internal.h)
    int numeric = 0;                        // its numeric type
    bool direct = true;                     // the WHENs have direct code
};

// Items kept side by side in blocks of at least kBlock, which never move:
// a compiled function holds thousands of short texts and short pointer
// arrays, which each on its own would take an allocation (and as a vector
// a header besides).
template <typename T, size_t kBlock>
class ArrayBlocks {
public:
    // A lasting copy of the n items at first; null when n is 0.
    T* Keep(const T* first, size_t n)
    {
        if (n == 0)
            return nullptr;
        if (n > left_) {
            const size_t size = std::max(n, kBlock);
            blocks_.push_back(std::make_unique_for_overwrite<T[]>(size));
            next_ = blocks_.back().get();
            left_ = size;
        }
        T* at = next_;
        std::copy(first, first + n, at);
        next_ += n;
        left_ -= n;
        return at;
    }

private:
    std::vector<std::unique_ptr<T[]>> blocks_;
    T* next_ = nullptr;
    size_t left_ = 0;
};

// The texts the records point to (field names, literals).
class TextArena {
public:
    const char* Keep(const std::string& s) { return chars_.Keep(s.c_str(), s.size() + 1); }
    // The one copy of a name that many records give: the same text kept
    // again is the same pointer. The expression writers find what they know
    // of a field again by its text's address, so the nodes of one field
    // share theirs (and a function's few hundred names are kept once).
    const char* KeepShared(const std::string& s)
    {
        if (const auto it = shared_.find(s); it != shared_.end())
            return it->second;
        const char* kept = Keep(s);
        shared_.emplace(std::string_view(kept, s.size()), kept);
        return kept;
    }

private:
    ArrayBlocks<char, 4096> chars_;
    std::unordered_map<std::string_view, const char*> shared_;
};

// The elements of every routine reference, by its key (a letter and seven
// digits). A compiled function has thousands: each list stays where it is
// made (a fixture holds on to one while it fills it), and the keys are kept
// side by side as numbers, sorted by the reference's number, in which order
// the compiler makes them.
class ReferenceTable {
public:
    using List = std::vector<EXPR_PCODE_ROUTINE*>;
    // The list of the reference; a new empty one when there is none.
    List& operator[](const std::string& key);
    // The list of the reference, or null.
    const List* find(const std::string& key) const;
    size_t count(const std::string& key) const { return find(key) != nullptr ? 1 : 0; }

private:
    // A key of a letter and seven digits as one number (the digits' value,
    // then the letter); false for a key of another form.
    static bool code(const std::string& key, uint64_t& out);

    std::deque<List> lists_;
    std::vector<std::pair<uint64_t, uint32_t>> codes_;  // sorted by code: the list's place in lists_
    std::map<std::string, uint32_t> others_;            // keys of another form
};

struct ExpressionStore {
    std::deque<EXPR_OPERAND_NODE> nodes;
    std::deque<EXPR_STATEMENT> statements;
    std::deque<EXPR_VARIANT> variants;
    std::deque<EXPR_EXPRESSION> expressions;
    std::deque<EXPR_PCODE_ROUTINE> routines;  // routines and elements
    TextArena texts;
    std::deque<int32_t> booleans;
    // Pointer arrays of the records.
    std::deque<std::vector<EXPR_OPERAND_NODE*>> nodeArrays;
    std::deque<std::vector<EXPR_EXPRESSION*>> expressionArrays;
    std::deque<std::vector<EXPR_VARIANT*>> variantArrays;
    std::deque<std::vector<EXPR_STATEMENT*>> statementArrays;
    // The same for compiled expressions, whose arrays are complete when kept.
    ArrayBlocks<EXPR_OPERAND_NODE*, 512> compiledNodeArrays;
    ArrayBlocks<EXPR_STATEMENT*, 512> compiledStatementArrays;
    ArrayBlocks<EXPR_VARIANT*, 512> compiledVariantArrays;
    ArrayBlocks<EXPR_EXPRESSION*, 512> compiledExpressionArrays;

    std::vector<EXPR_PCODE_ROUTINE*> routineOrder;  // expression enumeration
    // The highest routine number among the first numberedCount routines of
    // routineOrder (which only grows), so that numbering reads each once.
    mutable size_t numberedCount = 0;
    mutable int32_t highestNumber = 0;
    ReferenceTable references;                                           // key: letter + 7 digits
    std::map<std::string, Literal> literals;                             // key: letter + 7 digits
    std::map<std::string, std::vector<Attribute>> attributeLists;        // key: 7 digits
    std::map<std::string, std::string> pending;                          // key: 7 digits
    std::map<int32_t, std::vector<DQOO_STATEMENT_EVALUATION>> evaluations;

    // Compile state: the store came from an expression fixture (a new check
    // keeps it), and the open When groups by CASE level.
    bool fromFixture = false;
    std::vector<WhenGroup> whenGroups;

    const char* keepText(const std::string& s) { return texts.Keep(s); }
    // A field or system variable name: one copy for every node that names it.
    const char* keepName(const std::string& s) { return texts.KeepShared(s); }
};

// The store of the current object; empty at first.
ExpressionStore& currentStore();
void replaceStore(std::unique_ptr<ExpressionStore> store);

// The number of the next routine: one above every routine of the store.
int32_t nextRoutineNumber(const ExpressionStore& store);

// Starts an empty store for a new check, unless the store holds a fixture.
void resetCompiledStore();

// The key of a kind-3 item (byte 3, letter, seven digits): letter and digits,
// or "" when the item is not a kind-3 item.
std::string itemKey(const char* item);

}  // namespace dqoo

#endif
