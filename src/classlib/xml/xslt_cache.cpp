// Stylesheet cache and stylesheet slot array.
#include "classlib/xml/xslt_cache.h"

#include <cstdio>

XSLTDocCache::XSLTDocCache(int32_t maximum, bool importsOnly) : m_importsOnly(importsOnly), m_maximum(maximum)
{
    if (maximum < 1)
        throw LException("A stylesheet cache needs room for at least one stylesheet.");
    m_entries.resize(static_cast<size_t>(maximum));
}

// A strictly increasing use count orders the entries: two uses never tie,
// as readings of the processor clock can.
int64_t XSLTDocCache::tick()
{
    return ++m_clock;
}

bool XSLTDocCache::holds(const LWString& path) const
{
    for (int32_t i = 0; i < m_size; ++i)
        if (m_entries[i].doc->getName().compare(path) == 0)
            return true;
    return false;
}

XSLTDoc XSLTDocCache::get(const LWString& path)
{
    int32_t victim = 0;
    int64_t oldest = INT64_MAX;
    for (int32_t i = 0; i < m_size; ++i) {
        Entry& e = m_entries[i];
        if (e.doc->getName().compare(path) == 0) {
            e.lastUse = tick();
            return *e.doc;
        }
        if (e.lastUse < oldest) {
            oldest = e.lastUse;
            victim = i;
        }
    }
    auto doc = std::make_unique<XSLTDoc>();
    doc->load(path, m_importsOnly);  // a failure leaves the cache as it was
    int32_t slot = m_size < m_maximum ? m_size++ : victim;
    m_entries[slot].doc = std::move(doc);
    m_entries[slot].lastUse = tick();
    return *m_entries[slot].doc;
}

void XSLTDocCache::dump() const
{
    std::printf("\nCurrent size: %d. maximum size: %d.\n", m_size, m_maximum);
    for (int32_t i = 0; i < m_size; ++i) {
        LCharBuffer name = m_entries[i].doc->getName().toMultiByte();
        std::printf("  Stylesheet: %s. Last used: %ld\n", name.c_str() ? name.c_str() : "",
                    static_cast<long>(m_entries[i].lastUse));
    }
    std::fflush(stdout);
}

StylesheetSlotArray::StylesheetSlotArray(int32_t capacity) : m_capacity(capacity < 0 ? 0 : capacity)
{
    if (m_capacity >= 1)
        m_slots = std::make_unique<StylesheetSlot[]>(static_cast<size_t>(m_capacity));
}

StylesheetSlot& StylesheetSlotArray::operator[](int32_t index)
{
    if (index < 0 || index >= m_capacity)
        throw LException("Stylesheet slot index outside the array.");
    return m_slots[index];
}
