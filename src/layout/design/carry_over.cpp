// Field attribute carry-over: when a design step rewrites a command's field
// list, the attributes the user wrote for the current field (directly or
// through attribute lists) that the design does not decide are appended to
// the parameter text being built.
#include <cctype>
#include <cstring>
#include <string>

#include "dqov/runcontrol/fatal.h"
#include "layout/design/report_design.h"
#include "layout/design/screen_design.h"
#include "platform/dqoo/dqoo.h"

using namespace layout::design;

namespace {

using DesignStep = DesignCommon;

constexpr const char* kScreenKeywords[12] = {"*COLUMN", "*COL",     "*COLHEAD", "*COLHDG",    "*LAB",  "*LABEL",
                                             "*NOID",   "*NOIDENT", "*NEWPAGE", "*NEWFORMAT", "*DESC", "*DES"};
constexpr size_t kReportKeywords = 8;
constexpr size_t kAreaSize = sizeof DesignCommon::attributes;

// A position such as *R5 or *C12: "*R", "*L", "*C" or "*P" followed by
// blanks or digits only.
bool IsPosition(const char* value)
{
    if (value[0] != '*' || std::strchr("RLCP", value[1]) == nullptr)
        return false;
    for (int i = 2; i < 10; ++i)
        if (value[i] != ' ' && !std::isdigit(static_cast<unsigned char>(value[i])))
            return false;
    return true;
}

bool IsKeyword(const char* value, size_t keywords)
{
    for (size_t k = 0; k < keywords; ++k) {
        char padded[10];
        std::memset(padded, ' ', 10);
        std::memcpy(padded, kScreenKeywords[k], std::strlen(kScreenKeywords[k]));
        if (std::memcmp(padded, value, 10) == 0)
            return true;
    }
    return false;
}

using FieldCallback = int (*)(const char*, const char*);

void Expand(DesignStep& s, size_t keywords, FieldCallback callback);

// The object layer's callback: hands each field to the step's routine.
long Enumerated(void* control, const char* field, const char* attributes)
{
    return (*static_cast<FieldCallback*>(control))(field, attributes);
}

int AddEnumerated(DesignStep& s, size_t keywords, FieldCallback callback, const char* field, const char* attributes)
{
    const int32_t slot = s.entryCount++;
    std::memcpy(s.entries[slot], field, std::min<size_t>(std::strlen(field), 10));
    std::memcpy(s.attributes + slot * kEntryValues * 10, attributes,
                std::min<size_t>(std::strlen(attributes), kEntryValues * 10));
    if (s.entryCount == kListEntries) {
        Expand(s, keywords, callback);
        s.entryCount = 0;
        std::memset(s.entries, ' ', sizeof s.entries);
        std::memset(s.attributes, ' ', sizeof s.attributes);
    }
    return 0;
}

void Expand(DesignStep& s, size_t keywords, FieldCallback callback)
{
    for (int32_t i = 0; i < s.entryCount; ++i) {
        const char* entry = s.entries[i];
        if (entry[0] == 3 && entry[1] == 'M') {
            const int32_t count = s.entryCount;
            std::vector<char> attributes(s.attributes, s.attributes + kAreaSize);
            std::vector<char> entries(&s.entries[0][0], &s.entries[0][0] + sizeof s.entries);
            char item[10];
            std::memcpy(item, entry, 9);
            item[9] = '\0';
            s.entryCount = 0;
            std::memset(s.entries, ' ', sizeof s.entries);
            std::memset(s.attributes, ' ', sizeof s.attributes);
            FieldCallback control = callback;
            const long rc = DQOO_FCC_LL2_ETT_EnumerateFieldAttributeParmList(item, Enumerated, &control, nullptr);
            if (rc != 0)
                DQOO_FCC_FatalError("DQOO_FCC_LL2_ETT_EnumerateFieldAttributeParmList", rc);
            if (s.entryCount > 0)
                Expand(s, keywords, callback);
            s.entryCount = count;
            std::memcpy(s.attributes, attributes.data(), kAreaSize);
            std::memcpy(&s.entries[0][0], entries.data(), sizeof s.entries);
            continue;
        }
        if (std::memcmp(entry, s.currentField, 10) != 0)
            continue;
        for (int32_t v = 0; v < kEntryValues; ++v) {
            const char* value = s.attributes + (i * kEntryValues + v) * 10;
            static const char kBlank[10] = {' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '};
            if (std::memcmp(value, kBlank, 10) == 0 || IsPosition(value) || IsKeyword(value, keywords))
                continue;
            PutToken(s, value, 10);
        }
        return;
    }
}

}  // namespace

extern "C" int P3097_AddEnumeratedField(const char* pszField, const char* pszAttributes)
{
    return AddEnumerated(ScreenStep(), 12, P3097_AddEnumeratedField, pszField, pszAttributes);
}

extern "C" int P3019_AddEnumeratedField(const char* pszField, const char* pszAttributes)
{
    return AddEnumerated(ReportStep(), kReportKeywords, P3019_AddEnumeratedField, pszField, pszAttributes);
}

extern "C" void P3097_ExpandFieldAttributeLists(void)
{
    Expand(ScreenStep(), 12, P3097_AddEnumeratedField);
}

extern "C" void P3019_ExpandFieldAttributeLists(void)
{
    Expand(ReportStep(), kReportKeywords, P3019_AddEnumeratedField);
}
