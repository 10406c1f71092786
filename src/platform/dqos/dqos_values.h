// Encoding of the bound values kept inside an SSQL_AREA: per value a kind
// byte, then for a text a 32-bit length and the bytes, for an integer the
// 64-bit value.
#pragma once

#include "platform/dqos/dqos.h"

#include <cstdint>
#include <string_view>

namespace dqos {

struct ValueRef {
    bool isText = true;
    std::string_view textValue;
    int64_t intValue = 0;

    static ValueRef text(std::string_view s) { return ValueRef{true, s, 0}; }
    static ValueRef integer(int64_t v) { return ValueRef{false, {}, v}; }
};

// Appends one value; false when the area has no room left.
bool appendValue(SSQL_AREA& area, const ValueRef& v);

// Calls fn(index, value) for every value of the area, index from 1; false
// when the encoding is damaged.
template <typename Fn> bool forEachValue(const SSQL_AREA& area, Fn&& fn);

bool decodeValue(const SSQL_AREA& area, uint32_t& pos, ValueRef& out);

template <typename Fn> bool forEachValue(const SSQL_AREA& area, Fn&& fn)
{
    uint32_t pos = 0;
    for (int i = 1; i <= area.usValues; ++i) {
        ValueRef v;
        if (!decodeValue(area, pos, v))
            return false;
        fn(i, v);
    }
    return true;
}

}  // namespace dqos
