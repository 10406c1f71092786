// DEF_ARRAY and the elements of arrays.
//
// An array is named by three characters after the national name character
// (#ORD) and declares its index fields, of up to three characters (#IX).
// An element is written as the array's name followed by an index field:
// #ORD#IX is the element of #ORD that #IX selects. Each such form is a
// field of the function with the attributes of the array's fields (which
// share one type, length and decimals), so that every operand, condition
// and expression takes it like any field; its use is recorded with the
// array and index it stands for, for the generator.
#include "checker/checker.h"
#include "checker/handlers.h"
#include "checker/operand_checks.h"
#include "checker/usage.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "dqov/runcontrol/definitions.h"
#include "dqov/runcontrol/fix.h"
#include "dqov/runcontrol/workfile.h"

using namespace checker;

namespace {

constexpr size_t kArrayNameMax = 3;
constexpr size_t kIndexNameMax = 3;

// Bytes of one element of the given type and length.
int32_t ElementBytes(char type, int32_t length)
{
    return type == 'P' ? length / 2 + 1 : length;
}

// The one definition the array's fields share; false (with the finding)
// when they have none, or differ.
bool ElementDefinition(const std::string& written, FFC_FIELD_DEFINITION& def)
{
    int32_t fields = ParmCount("OF_FIELDS");
    bool first = true;
    for (int32_t i = 0; i < fields; ++i) {
        char type = ' ';
        int32_t length = 0, decimals = 0;
        if (!LookUpField(NameOf(ParmEntry("OF_FIELDS", i)), type, length, decimals))
            continue;  // an undefined field is reported by the final field check
        if (first) {
            def.cType = type;
            def.lLength = length;
            def.lDecimals = decimals;
            first = false;
        } else if (type != def.cType || length != def.lLength || decimals != def.lDecimals) {
            Issue(Msg::ArrayFieldsNotValid, written);
            return false;
        }
    }
    if (first && fields <= 0)
        Issue(Msg::ArrayFieldsNotValid, written);
    return !first;
}

// The last byte the entries of an overlaying array reach in the field they
// lie over: the start position given with the field (the first byte when none)
// and the entries of the given bytes each; 0 when the array lies over no field
// or gives no number of entries.
int32_t OverlayEnd(int32_t bytes)
{
    if (Upper(Parm("OVERLAYING")) == "*NONE")
        return 0;
    const int32_t entries = std::atoi(Parm("ENTRYS").c_str());
    const int32_t start = std::atoi(Parm("OVERLAYING", 1).c_str());
    return entries > 0 ? std::max<int32_t>(start, 1) - 1 + entries * bytes : 0;
}

void WriteArrayRecords(const std::string& written)
{
    Globals& g = G();
    FFC_WORK_RECORD& r = g.record2;
    for (int k = 0; k < WR_ARRAYNAM_RECORDS; ++k) {
        char number[2] = {static_cast<char>('1' + k), 0};
        BlankRecord(r, WR_ARRAYNAM, Upper(written), number);
        std::memcpy(r.acData, g.parsed.acParms + (2 * k) * WR_ARRAYNAM_PIECE, WR_ARRAYNAM_PIECE);
        std::memcpy(r.acData + WR_ARRAYNAM_SECOND, g.parsed.acParms + (2 * k + 1) * WR_ARRAYNAM_PIECE,
                    WR_ARRAYNAM_PIECE);
        P3100_WriteRecord(r);
    }
}

}  // namespace

namespace checker {

const Globals::ArrayElement* FindArrayElement(const std::string& field)
{
    const std::vector<Globals::ArrayElement>& elements = G().arrayElements;
    auto it =
        std::find_if(elements.begin(), elements.end(), [&](const Globals::ArrayElement& e) { return e.name == field; });
    return it == elements.end() ? nullptr : &*it;
}

void CompleteArrayElementUses()
{
    Globals& g = G();
    char nat = g.ctx->cNatChar1;
    for (const Globals::ArrayElement& e : g.arrayElements) {
        FFC_WORK_RECORD r;
        BlankRecord(r, WR_USEFIELD, std::string(1, nat) + e.name);
        if (WF_cReadFirst(g.ctx, 6, &r, 2) != '0')
            continue;
        auto* data = reinterpret_cast<WR_USEFIELD_DATA*>(r.acData);
        auto* element = reinterpret_cast<WR_ARRAY_ELEMENT_DATA*>(data->acArrayData);
        element->cKind = 'A';
        Pad(element->acArray, sizeof element->acArray, e.array);
        Pad(element->acIndex, sizeof element->acIndex, e.index);
        WF_cUpdate(g.ctx, 6, &r);
        RecordOperand(e.index);
    }
    WriteFieldUses();
}

}  // namespace checker

extern "C" {

// DEF_ARRAY: a named array over fields, with its index fields; four
// "ARRAYNAM" records carry the command's parameter area for the generator.
// In pass 2 the index fields must be numeric fields.
void P3100_CheckDefArray(void)
{
    Globals& g = G();
    std::string written = Upper(Parm("NAME"));
    std::string name = FieldOf(written);
    int32_t indexes = ParmCount("INDEXES");
    if (Pass() == 2) {
        for (int32_t i = 0; i < indexes; ++i)
            CheckFieldOperand(ParmEntry("INDEXES", i), 'N');
        return;
    }
    if (name.empty() || name.size() > kArrayNameMax) {
        Issue(Msg::ArrayNameNotValid, written);
        return;
    }
    FFC_WORK_RECORD& r = g.record2;
    BlankRecord(r, WR_ARRAYNAM, written);
    if (FindRecord(r, 2)) {
        Issue(Msg::ArrayDefinedTwice, written);
        return;
    }
    for (int32_t i = 0; i < indexes; ++i) {
        std::string index = Upper(ParmEntry("INDEXES", i));
        std::string field = FieldOf(index);
        if (field.empty() || field.size() > kIndexNameMax) {
            Issue(Msg::ArrayIndexNotValid, index);
            return;
        }
    }
    if (ParmCount("OF_FIELDS") <= 0 && Upper(Parm("OVERLAYING")) == "*NONE") {
        Issue(Msg::ArrayFieldsNotValid, written);
        return;
    }
    // an array is laid over the bytes of a field: not over a date, time,
    // timestamp, integer, float or Boolean, whose value is no byte string, nor
    // over a varying character field, whose text lies behind its length
    char type = ' ';
    int32_t length = 0, decimals = 0;
    if (Upper(Parm("OVERLAYING")) != "*NONE" && LookUpField(NameOf(Parm("OVERLAYING")), type, length, decimals) &&
        type != ' ' && std::strchr("EMZIFYH", type)) {
        Issue(Msg::ArrayFieldsNotValid, written);
        return;
    }
    FFC_FIELD_DEFINITION def;
    std::memset(&def, ' ', sizeof def);
    def.input.usLength = 0;
    def.output.usLength = 0;
    if (ParmCount("OF_FIELDS") > 0) {
        if (!ElementDefinition(written, def))
            return;
        int32_t bytes = ElementBytes(def.cType, def.lLength);
        // the entries laid over a field end within its bytes
        if (type != ' ' && OverlayEnd(bytes) > ElementBytes(type, length)) {
            Issue(Msg::ArrayFieldsNotValid, written);
            return;
        }
        std::memcpy(g.parsed.acParms, &bytes, sizeof bytes);  // @ELEMLEN
        NoteParmsWritten(sizeof bytes);
        for (int32_t i = 0; i < indexes; ++i) {
            std::string index = Upper(ParmEntry("INDEXES", i));
            Globals::ArrayElement element{name + index, written, index};
            Pad(def.acName, 10, element.name);
            Put_Function_Field(g.ctx, IsComponentRun() ? 'C' : 'F', &def, nullptr);
            g.arrayElements.push_back(element);
        }
    }
    WriteArrayRecords(written);
}

}  // extern "C"
