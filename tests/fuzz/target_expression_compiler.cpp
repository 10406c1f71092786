// The object layer's expression compiler: any bytes as one compile request
// (its form, the operands with their classes, types and sizes, the
// operations with any operand indexes, the targets and the special value),
// compiled in a build of the sample function EXPRPRC/EXPCALC; a routine
// that compiles is handed out again as the generator asks for it.
#include "fuzz_env.h"
#include "fuzz_target.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/dqoo/dqoo.h"
#include "platform/dqoo/dqoo_compile.h"
#include "platform/dqoo/dqoo_pcode.h"

namespace {

// The input, read a byte at a time (zero once it is used up).
class Bytes {
public:
    Bytes(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    uint8_t next() { return at_ < size_ ? data_[at_++] : 0; }
    template <size_t N> const char* pick(const char* const (&choices)[N]) { return choices[next() % N]; }
    // A short text of the input (at most 15 bytes).
    std::string text()
    {
        const size_t n = std::min<size_t>(next() % 16, size_ - std::min(at_, size_));
        std::string t(reinterpret_cast<const char*>(data_ + at_), n);
        at_ += n;
        return t;
    }

private:
    const uint8_t* data_;
    size_t size_, at_ = 0;
};

constexpr const char* kClasses[] = {"FL", "AL", "HL", "NL", "SV", "ML", "CP", "  ", "XX"};
constexpr const char* kTypes[] = {"A", "P", "S", "1", "2", "3", "4", "B", "E", "H", "M", "Z", "L", "?"};
constexpr const char* kCodes[] = {"AN", "OR", "EQ", "NE", "LT", "LE", "GT", "GE", "AD",
                                  "SU", "MU", "DV", "IF", "ZA", "MB", "??"};
constexpr const char* kNames[] = {"CUSTNO", "CREDIT", "CUSTNAM", "WRKCNT", "*DATE", "*TIME", "'A'",
                                  "1",      "0.5",    "X'41'",   "*NULL",  "*BLANK", ""};
constexpr const char* kSpecials[] = {"*NULL", "*BLANK",  "*BLANKS", "*ZERO", "*ZEROS", "*SQLNULL",
                                     "*HIVAL", "*LOVAL", "*NAVAIL", "*REMEMBERED_VALUE_FOR_USER", "?"};

struct Operands {
    std::vector<DQOO_CHECKED_OPERAND> list;
    std::vector<std::string> names;  // their texts, kept while the request lives
};

void readOperands(Bytes& in, size_t count, Operands& out)
{
    out.names.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        DQOO_CHECKED_OPERAND o{};
        std::memcpy(o.achClass, in.pick(kClasses), 2);
        o.chType = in.pick(kTypes)[0];
        o.lLength = static_cast<int32_t>(in.next()) - 8;
        o.lDecimals = static_cast<int32_t>(in.next() % 40) - 4;
        o.ulFlags = in.next() & 3u;
        const uint8_t nameKind = in.next();
        out.names.push_back(nameKind & 0x80 ? in.text() : in.pick(kNames));
        out.list.push_back(o);
    }
    for (size_t i = 0; i < count; ++i)
        out.list[i].pszName = out.names[i].empty() && (i & 1) ? nullptr : out.names[i].c_str();
}

long countElement(EXPR_PCODE_ROUTINE*, void* user, void*)
{
    ++*static_cast<long*>(user);
    return 0;
}

// The build the requests are compiled in; a new check (an empty store) now
// and then, so that the store does not grow without end.
FCC_BUILD_HANDLE* build()
{
    alignas(16) static unsigned char block[256];
    static FCC_BUILD_HANDLE* handle = nullptr;
    static unsigned compiled = 0;
    if (!handle) {
        handle = reinterpret_cast<FCC_BUILD_HANDLE*>(block);
        DQOO_BUILD_REQUEST request{};
        request.pszObjectName = "EXPRPRC";
        request.pszFunctionName = "EXPCALC";
        request.pszPartition = "DEM";
        uint32_t passes = 0;
        int32_t start = 0;
        if (DQOO_FCC_StartBuild(handle, &request, &passes, &start) != DQOO_OK)
            return handle = nullptr;
    }
    if (compiled++ % 256 == 0) {
        DQOO_FCC_EndChecking();
        DQOO_START_REQUEST start{};
        start.usMode = DQOO_MODE_TOOLS;
        start.pszProcessName = "EXPRPRC";
        start.pszFunctionName = "EXPCALC";
        if (DQOO_FCC_StartChecking(handle, &start) != DQOO_OK)
            return nullptr;
    }
    return handle;
}

}  // namespace

DQOV_FUZZ_TARGET(expression_compiler)
{
    if (!dqov_fuzz::RepositoryEnvironment())
        return;
    FCC_BUILD_HANDLE* handle = build();
    if (!handle)
        return;
    Bytes in(data, size);
    DQOO_COMPILE_REQUEST request{};
    request.lForm = in.next() % 7;  // 1 to 5, and two forms that do not exist
    request.ulGroupLevel = in.next() % 4;
    request.chRound = in.next() & 1 ? 'Y' : 'N';
    const size_t expressions = 1 + in.next() % 3;
    std::vector<Operands> operands(expressions);
    std::vector<std::vector<DQOO_CHECKED_OPERATION>> operations(expressions);
    std::vector<DQOO_CHECKED_EXPRESSION> list(expressions);
    for (size_t e = 0; e < expressions; ++e) {
        readOperands(in, 1 + in.next() % 8, operands[e]);
        const size_t count = 1 + in.next() % 8;
        for (size_t i = 0; i < count; ++i) {
            DQOO_CHECKED_OPERATION op{};
            op.sFirst = static_cast<int16_t>(static_cast<int8_t>(in.next()));
            std::memcpy(op.achCode, in.pick(kCodes), 2);
            op.sSecond = static_cast<int16_t>(static_cast<int8_t>(in.next()));
            op.sResult = static_cast<int16_t>(static_cast<int8_t>(in.next()));
            operations[e].push_back(op);
        }
        list[e] = {static_cast<uint32_t>(operands[e].list.size()), operands[e].list.data(),
                   static_cast<uint32_t>(operations[e].size()), operations[e].data()};
    }
    request.ulExpressionCount = in.next() % 4 == 0 ? 0 : static_cast<uint32_t>(expressions);
    request.pExpressions = list.data();
    Operands targets;
    readOperands(in, in.next() % 4, targets);
    request.ulTargetCount = static_cast<uint32_t>(targets.list.size());
    request.pTargets = targets.list.empty() ? nullptr : targets.list.data();
    const std::string special = in.next() & 1 ? in.text() : in.pick(kSpecials);
    request.pszSpecialValue = special.c_str();

    char reference[10] = {};
    char reason[200] = {};
    dqov_fuzz::Guarded([&] {
        if (DQOO_FCC_CompileCheckedExpression(handle, &request, reference, reason, sizeof reason) != DQOO_OK)
            return;
        long elements = 0;
        DQOO_FCC_EnumerateRoutinePcode(reference, countElement, &elements, nullptr);
    });
}
