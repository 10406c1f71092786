// Holders of stylesheet objects: a small cache of compiled stylesheets keyed
// by file path (least recently used goes first), and the fixed array of
// stylesheet slots that the WAM generation keeps.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "classlib/xml/xslt.h"

// Counted pointer to an object that the web generation defines; the slot
// array needs only "empty when built, released when destroyed".
template <class T> class LComPtr {
public:
    LComPtr() = default;
    explicit LComPtr(std::shared_ptr<T> p) : m_p(std::move(p)) {}
    T* get() const { return m_p.get(); }
    T* operator->() const { return m_p.get(); }
    explicit operator bool() const { return static_cast<bool>(m_p); }
    void reset() { m_p.reset(); }

private:
    std::shared_ptr<T> m_p;
};

class WdGenWebletInliner;

class XSLTDocCache {
public:
    // A maximum below 1 is refused: such a cache would have no entry to fill.
    XSLTDocCache(int32_t maximum, bool importsOnly);
    XSLTDocCache(const XSLTDocCache&) = delete;
    XSLTDocCache& operator=(const XSLTDocCache&) = delete;

    // A copy sharing the cached stylesheet, loading it on a miss.
    XSLTDoc get(const LWString& path);
    // Prints the size, the maximum and every entry's name and last use to
    // standard output.
    void dump() const;
    int32_t size() const { return m_size; }
    bool holds(const LWString& path) const;

private:
    struct Entry {
        std::unique_ptr<XSLTDoc> doc;
        int64_t lastUse = 0;
    };
    int64_t tick();

    std::vector<Entry> m_entries;
    bool m_importsOnly;
    int32_t m_size = 0;
    int32_t m_maximum;
    int64_t m_clock = 0;
};

struct StylesheetSlot {
    std::unique_ptr<char[]> text;
    LComPtr<WdGenWebletInliner> inliner;
    XSLTDoc stylesheet;
    XsltDomDocument document;
};

class StylesheetSlotArray {
public:
    explicit StylesheetSlotArray(int32_t capacity);
    StylesheetSlotArray(const StylesheetSlotArray&) = delete;
    StylesheetSlotArray& operator=(const StylesheetSlotArray&) = delete;
    ~StylesheetSlotArray() = default;

    StylesheetSlot& operator[](int32_t index);
    int32_t capacity() const { return m_capacity; }
    int32_t used = 0;

private:
    std::unique_ptr<StylesheetSlot[]> m_slots;
    int32_t m_capacity;
};
