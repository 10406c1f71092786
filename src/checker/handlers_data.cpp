// Check handlers of the data commands (DEFINE, CHANGE, DEF_LIST, DEF_ARRAY,
// GROUP_BY, USE) and of the commands carrying a condition or a value to
// compare (IF, DOWHILE, DOUNTIL, CASE, WHEN, BEGIN_LOOP).
#include "checker/builtins.h"
#include "checker/checker.h"
#include "checker/expression_routines.h"
#include "checker/field_lists.h"
#include "checker/handlers.h"
#include "checker/lists.h"
#include "checker/operand_checks.h"
#include "checker/usage.h"
#include "dqov/layout/layout_records.h"
#include "params/field_texts.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <vector>

#include "dqov/runcontrol/definitions.h"
#include "dqov/runcontrol/fatal.h"
#include "dqov/runcontrol/fix.h"
#include "dqov/runcontrol/workfile.h"
#include "platform/dqos/dqos.h"

using namespace checker;

namespace {

// A value given that changes something: neither empty, *NONE nor *SAME.
bool GivenNotSame(const std::string& value)
{
    return Given(value) && Upper(value) != "*SAME";
}

// Type code of a DEFINE's TYPE value; ' ' when not one of them.
char TypeCode(const std::string& type)
{
    std::string t = Upper(type);
    if (t == "*CHAR" || t == "*ALPHA" || t == "A")
        return 'A';
    if (t == "*DEC" || t == "*PACKED" || t == "P")
        return 'P';
    if (t == "*SIGNED" || t == "S")
        return 'S';
    return ' ';
}

// Non-negative whole number of a LENGTH or DECIMALS value; -1 otherwise.
int32_t WholeNumber(const std::string& value)
{
    if (value.empty() || value.size() > 5 ||
        !std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return -1;
    return std::stoi(value);
}

// An attribute list given (INPUT_ATR, OUTPUT_ATR): its 4-character codes,
// each without a leading '*' ("*HI" and "HI" are one code).
void TakeAttributes(const char* keyword, FFC_ATTRIBUTE_LIST& list)
{
    const int32_t count = std::clamp<int32_t>(ParmCount(keyword), 0, static_cast<int32_t>(sizeof list.acCodes / 4));
    if (count == 0)
        return;
    std::memset(list.acCodes, ' ', sizeof list.acCodes);
    int32_t used = 0;
    for (int32_t i = 0; i < count; ++i) {
        std::string code = Upper(ParmEntry(keyword, i));
        if (!code.empty() && code[0] == '*')
            code.erase(0, 1);
        if (code.empty() || code == "NONE")
            continue;
        Pad(list.acCodes + 4 * used++, 4, code.substr(0, 4));
    }
    list.usLength = static_cast<uint16_t>(4 * used);
}

// The editing and attributes the command gives: an edit code (*NONE: none)
// replaces the edit word it inherits and an edit word the edit code; a
// field made alphanumeric keeps no inherited editing.
void TakeEditing(FFC_FIELD_DEFINITION& def)
{
    // The edit word keeps its leading blanks: they are digit positions.
    const std::string code = Upper(Parm("EDIT_CODE")), word = dqov::cmdparm::ParmText(G().parsed, "EDIT_WORD");
    const bool codeGiven = !code.empty() && code != "*SAME", wordGiven = !word.empty() && Upper(word) != "*SAME";
    if (!codeGiven && !wordGiven && def.cType == 'A') {
        def.cEditCode = ' ';
        std::memset(def.acEditWord, ' ', sizeof def.acEditWord);
    }
    if (codeGiven) {
        def.cEditCode = code == "*NONE" ? ' ' : code[0];
        if (!wordGiven)
            std::memset(def.acEditWord, ' ', sizeof def.acEditWord);
    }
    if (wordGiven) {
        Pad(def.acEditWord, sizeof def.acEditWord, Upper(word) == "*NONE" ? std::string() : word);
        if (!codeGiven)
            def.cEditCode = ' ';
    }
    TakeAttributes("INPUT_ATR", def.input);
    TakeAttributes("OUTPUT_ATR", def.output);
}

// The editing and attribute codes of a new or overridden field, checked as
// the layouts check them; false with the findings issued.
bool EditingSound(const FFC_FIELD_DEFINITION& def)
{
    Globals& g = G();
    char entry[10], image[256], shift = ' ', control = 'N';
    bool valid = true;
    std::memcpy(entry, def.acName, 10);
    int32_t width = 0;
    int16_t number = 0;
    FLDCHK_sCheckFieldAttributes(g.ctx, entry, def.cType, ' ', def.lLength, def.lDecimals, def.cEditCode,
                                 def.acEditWord, &width, image, &shift, &valid, 'D', g.msgQueue, 'N', g.sysFlags);
    if (valid)
        FLDCHK_sCheckNameCharacters(g.ctx, entry, def.cType, static_cast<int16_t>(def.input.usLength / 4),
                                    def.input.acCodes, static_cast<int16_t>(def.output.usLength / 4),
                                    def.output.acCodes, &valid, g.msgQueue, def.lLength, &control, &number);
    P3100_ReplayQueuedMessages();
    return valid;
}

// The definition of a new field: the reference field's (or the dictionary
// field's of the same name), overridden by the TYPE, LENGTH and DECIMALS,
// the editing and the attributes given; false when the result is no sound
// field.
bool NewFieldDefinition(const std::string& field, const std::string& reference, FFC_FIELD_DEFINITION& def)
{
    std::memset(&def, ' ', sizeof def);
    def.input.usLength = 0;
    def.output.usLength = 0;
    char type = ' ';
    int32_t length = 0, decimals = 0;
    const std::string& base = GivenNotSame(reference) ? reference : field;
    if (LookUpFieldDefinition(base, def)) {
        type = def.cType;
        length = def.lLength;
        decimals = def.lDecimals;
    } else if (GivenNotSame(reference)) {
        return false;
    } else {
        std::memset(&def, ' ', sizeof def);
        def.input.usLength = 0;
        def.output.usLength = 0;
    }
    Pad(def.acName, 10, field);
    std::string typeText = Parm("TYPE"), lengthText = Parm("LENGTH"), decimalsText = Parm("DECIMALS");
    if (GivenNotSame(typeText)) {
        type = TypeCode(typeText);
        if (type == ' ')
            return false;
    }
    if (GivenNotSame(lengthText) && (length = WholeNumber(lengthText)) < 0)
        return false;
    if (GivenNotSame(decimalsText) && (decimals = WholeNumber(decimalsText)) < 0)
        return false;
    else if (!GivenNotSame(decimalsText) && GivenNotSame(typeText) && type == 'A')
        decimals = 0;
    if (type == ' ' || length <= 0)
        return false;
    if (type == 'A' ? (length > 256 || decimals != 0) : decimals > length)
        return false;
    def.cType = type;
    def.lLength = length;
    def.lDecimals = decimals;
    TakeEditing(def);
    return true;
}

// Values of CHANGE that are no expression.
bool SpecialChangeValue(const std::string& value)
{
    static constexpr const char* kSpecial[] = {
        "*NULL",
        "*DEFAULT",
        "*NAVAIL",
        "*LOVAL",
        "*HIVAL",
        "*BLANK",
        "*BLANKS",
        "*ZERO",
        "*ZEROS",
        "*ZEROES",
        "*REMEMBERED_VALUE_FOR_USER",
        "*REMEMBERED_VALUE_FOR_FUNCTION",
        "*REMEMBERED_VALUE_FOR_SYSTEM",
        "*REMEMBERED_VALUE_FOR_USER_IN_SYSTEM",
        "*REMEMBERED_VALUE_FOR_USER_AND_FUNCTION",
        "*SQLNULL",
    };
    if (value.empty() || value[0] != '*')
        return false;
    const std::string v = Upper(value);
    return std::any_of(std::begin(kSpecial), std::end(kSpecial), [&](std::string_view s) { return v == s; });
}

// The text of CHANGE TO('...') written as one quoted literal that names no
// field: a literal for an alphanumeric target unless it is an expression
// that computes or names something (a system variable, a condition); for
// a numeric target an expression. An expression loses the literal kind
// the parameter preparation gave it.
// True when the value was checked as a literal; false when it is to be
// checked (and compiled) as an expression.
bool CheckQuotedChangeValue(const std::string& value, const OperandInfo& target)
{
    bool literal = target.typeClass == 'A';
    if (literal) {
        ExpressionShape shape = ExpressionShapeOf(value, 'A', target.length, target.decimals);
        literal = !(shape.valid && (shape.computes || shape.namesOperand));
    }
    if (literal) {
        // The value as a literal operand (a value that still holds its
        // quotes is one already), checked to fit the target.
        bool written = value.size() >= 2 && value.front() == '\'' && value.back() == '\'';
        std::string operand = written ? value : "'";
        for (size_t i = 0; !written && i < value.size(); ++i) {
            if (value[i] == '\'')
                operand += "''";
            else
                operand += value[i];
        }
        CheckOperandValue(written ? operand : operand + "'", 'A', target.length, 0);
        return true;
    }
    SetParmEntry("@LITKIND", 0, 0, "");
    return false;
}

bool StartsWithComparison(std::string_view value)
{
    static constexpr std::string_view kOperators[] = {"=",   "<",   ">",    "^=",   "EQ ",  "NE ",  "LT ",  "LE ",
                                                      "GT ", "GE ", "*EQ ", "*NE ", "*LT ", "*LE ", "*GT ", "*GE "};
    // the value's start in capitals, compared where it lies
    return std::any_of(std::begin(kOperators), std::end(kOperators), [value](std::string_view op) {
        if (value.size() < op.size())
            return false;
        for (size_t i = 0; i < op.size(); ++i)
            if (UpperChar(value[i]) != op[i])
                return false;
        return true;
    });
}

// A group named "XG_..." joins the run's field groups, so that later field
// lists can name it; false with the finding issued when it cannot.
bool DefineFieldGroup(const std::string& name)
{
    Globals& g = G();
    constexpr int32_t kCapacity = 100, kWidth = 10;
    int32_t count = std::max<int32_t>(0, std::min<int32_t>(ParmCount("FIELDS"), kCapacity));
    std::vector<char> names(static_cast<size_t>(kCapacity * kWidth), ' ');
    for (int32_t i = 0; i < count; ++i)
        Pad(names.data() + i * kWidth, kWidth, ParmEntry("FIELDS", i).substr(0, kWidth));
    char listName[10], msgId[7], msgData[FFC_MESSAGE_TEXT_LEN];
    Pad(listName, 10, name);
    int32_t msgLength = 0;
    if (P3136_sExpandFileFieldList(g.ctx, 'G', nullptr, listName, kCapacity, kWidth, &count, names.data(), 0, nullptr,
                                   msgId, msgData, &msgLength, g.parsed.acName))
        return true;
    Issue('F', std::string(msgId, 7).c_str(), std::string_view(msgData, static_cast<size_t>(msgLength)));
    return false;
}

// The texts of a new or overridden field: those the command gives, else
// the reference field's (or the field's own), else derived from the name.
FFC_FIELD_TEXT NewFieldTexts(const std::string& field, const std::string& reference)
{
    Globals& g = G();
    FFC_FIELD_TEXT text;
    std::memset(&text, ' ', sizeof text);
    std::string label = Parm("LABEL"), description = Parm("DESC");
    if (GivenNotSame(label))
        Pad(text.acLabel, sizeof text.acLabel, label);
    if (GivenNotSame(description))
        Pad(text.acDescription, sizeof text.acDescription, description);
    int32_t headings = std::min<int32_t>(ParmCount("COLHDG"), 3);
    for (int32_t i = 0; i < headings; ++i)
        Pad(text.acColumnHeadings[i], sizeof text.acColumnHeadings[i], ParmEntry("COLHDG", i));
    FFC_FIELD_DEFINITION base;
    std::memset(&base, ' ', sizeof base);
    std::string baseName = GivenNotSame(reference) ? NameOf(reference) : field;
    Pad(base.acName, 10, baseName);
    FFC_FIELD_TEXT baseText;
    std::memset(&baseText, ' ', sizeof baseText);
    char local = 'N';
    bool found = Get_Function_Field_Allow_Component(g.ctx, &local, &base, &baseText, nullptr) == '0';
    char name[10];
    Pad(name, 10, field);
    FLDTXT_DeriveFieldTexts(name, found ? &baseText : nullptr, &text);
    return text;
}

// The arguments and receiving fields of a USE against the types of the
// catalogue.
void CheckBuiltInTypes(const std::string& name)
{
    const BuiltInFunction* f = FindBuiltIn(name);
    if (!f)
        return;
    auto expectedClass = [](const std::vector<char>& types, int32_t i) {
        return i < static_cast<int32_t>(types.size()) ? BuiltInTypeClass(types[static_cast<size_t>(i)]) : ' ';
    };
    int32_t given = ParmCount("WITH_ARGS"), gets = ParmCount("TO_GET");
    auto listAt = [](const std::vector<char>& types, int32_t i) {
        return i < static_cast<int32_t>(types.size()) && types[static_cast<size_t>(i)] == 'L';
    };
    for (int32_t i = 0; i < given; ++i) {
        /* a list argument names a working list of the function */
        if (listAt(f->argumentTypes, i)) {
            ListDefinition list;
            if (!FindList(ParmEntry("WITH_ARGS", i), list))
                Issue(Msg::ListNotDefined, NameOf(ParmEntry("WITH_ARGS", i)));
            continue;
        }
        OperandInfo info = CheckOperandValue(ParmEntry("WITH_ARGS", i));
        char expected = expectedClass(f->argumentTypes, i);
        if (info.valid && expected != ' ' && info.typeClass != ' ' && info.typeClass != expected)
            Issue(Msg::BuiltinArgumentType, name);
    }
    for (int32_t i = 0; i < gets; ++i) {
        if (listAt(f->returnTypes, i)) {
            ListDefinition list;
            if (!FindList(ParmEntry("TO_GET", i), list))
                Issue(Msg::ListNotDefined, NameOf(ParmEntry("TO_GET", i)));
            continue;
        }
        OperandInfo info = CheckFieldOperand(ParmEntry("TO_GET", i));
        char expected = expectedClass(f->returnTypes, i);
        if (info.valid && expected != ' ' && info.typeClass != expected)
            Issue(Msg::BuiltinReturnType, name);
    }
}

// The fields of a group named where fields are changed, written with the
// name character.
std::vector<std::string> GroupFieldNames(const std::string& entry)
{
    std::vector<std::string> fields;
    const std::string group = NameOf(entry);
    const char marker = G().ctx && G().ctx->cNatChar1 != ' ' ? G().ctx->cNatChar1 : '#';
    FFC_WORK_RECORD member;
    BlankRecord(member, LAYOUT_KIND_GROUPFLD, group);
    for (char rc = WF_cReadFirst(G().ctx, 6, &member, 2); rc == '0'; rc = WF_cReadNext(G().ctx, 6, &member, 2))
        fields.push_back(std::string(1, marker) + Trim(reinterpret_cast<const GROUPFLD_DATA*>(member.acData)->acField, 10));
    return fields;
}

// Whether the generator's own writers of special values (blanks or zero,
// the highest and lowest value, "not available") cannot set the field: the
// types of the extended language and the decimals beyond the classic
// sizes or able to hold SQL null take the object layer's code for it.
bool NeedsCompiledSpecialValue(const std::string& written)
{
    FFC_FIELD_DEFINITION def;
    if (!LookUpFieldDefinition(written, def))
        return false;
    if (def.cType != '\0' && std::strchr("H1UB2YEMZIF34", def.cType) != nullptr)
        return true;
    if (def.cType != 'P' && def.cType != 'S')
        return false;
    char asqn = 'N', suns = 'N', suni = 'N';
    P310C_ScanFieldAttributeCodes(def.input.acCodes, def.output.acCodes, &asqn, &suns, &suni);
    return def.lLength > 30 || def.lDecimals > 9 || asqn == 'Y';
}

// A special value given to field groups, or *DEFAULT: the generator sets
// the classic fields itself, member by member, and each field with a
// default by its default-value routine. The fields its writers cannot set
// (NeedsCompiledSpecialValue) get the value from one compiled routine, for
// *DEFAULT their blank or zero (*NULL) when they have no default; *SQLNULL,
// which only compiled code sets, is compiled for every field.
void CompileSpecialValueOfMembers(const std::string& value, const std::vector<std::string>& fields)
{
    const std::string upper = Upper(value);
    if (upper.rfind("*REMEMBERED_VALUE_FOR_", 0) == 0)
        return;
    std::vector<std::string> compiled;
    for (const std::string& field : fields) {
        if (upper == "*SQLNULL" ||
            (NeedsCompiledSpecialValue(field) && (upper != "*DEFAULT" || FieldDefault(NameOf(field)).empty())))
            compiled.push_back(field);
    }
    if (!compiled.empty())
        CompileSpecialValue(upper == "*DEFAULT" ? "*NULL" : upper, compiled);
}

}  // namespace

extern "C" {

// DEFINE: a field of the function, defined once; its reference field must
// exist, and a field of neither the dictionary nor a reference needs a type.
void P3100_CheckDefine(void)
{
    Globals& g = G();
    if (Pass() != 1)
        return;
    std::string written = Parm("FIELD");
    std::string field = FieldOf(written);
    if (field.empty()) {
        Issue(Msg::DefineNotValid, written);
        return;
    }
    if (FieldDefined(field)) {
        Issue(Msg::DefineNotValid, written);
        return;
    }
    std::string reference = Parm("REFFLD");
    if (GivenNotSame(reference)) {
        std::string refField = NameOf(reference);
        if (!FieldDefined(refField) && !FieldInDictionary(refField)) {
            Issue(Msg::FieldNotInDictionary, reference);
            return;
        }
    } else if (!GivenNotSame(Parm("TYPE")) && !FieldInDictionary(field)) {
        Issue(Msg::DefineNotValid, written);
        return;
    }
    FFC_FIELD_DEFINITION def;
    if (!NewFieldDefinition(field, reference, def)) {
        Issue(Msg::DefineNotValid, written);
        return;
    }
    if (!EditingSound(def))
        return;
    FFC_FIELD_TEXT text = NewFieldTexts(field, reference);
    // asked while the field cache still holds the dictionary's answer (the
    // function's own definition replaces it)
    const bool inDictionary = !GivenNotSame(reference) && FieldInDictionary(field);
    Put_Function_Field(g.ctx, IsComponentRun() ? 'C' : 'F', &def, &text);
    FFC_WORK_RECORD& r = g.record2;
    BlankRecord(r, WR_DEFINE, field);
    auto* data = reinterpret_cast<WR_DEFINE_DATA*>(r.acData);
    data->cType = def.cType;
    FIX_LongToDigits(&def.lLength, 5, data->acLength);
    FIX_LongToDigits(&def.lDecimals, 3, data->acDecimals);
    P3100_WriteRecord(r);
    RecordFieldDefault(field, GivenNotSame(reference) ? reference : inDictionary ? field : "");
}

// OVERRIDE: new attributes for a field of the dictionary or the function;
// from here on the checks see the field with them.
void P3100_CheckOverride(void)
{
    Globals& g = G();
    if (Pass() != 1)
        return;
    std::string written = Parm("FIELD");
    std::string field = FieldOf(written);
    if (field.empty() || (!FieldDefined(field) && !FieldInDictionary(field))) {
        Issue(Msg::OverrideNotValid, written);
        return;
    }
    bool changes = GivenNotSame(Parm("REFFLD"));
    for (const char* keyword : {"TYPE", "LENGTH", "DECIMALS", "EDIT_CODE", "EDIT_WORD", "LABEL", "DESC", "DEFAULT"})
        changes = changes || GivenNotSame(Parm(keyword));
    changes = changes || ParmCount("COLHDG") > 0 || ParmCount("INPUT_ATR") > 0 || ParmCount("OUTPUT_ATR") > 0;
    if (!changes) {
        Issue(Msg::OverrideChangesNothing, written);
        return;
    }
    FFC_FIELD_DEFINITION def;
    if (!NewFieldDefinition(field, Parm("REFFLD"), def)) {
        Issue(Msg::OverrideValueNotValid, written);
        return;
    }
    if (!EditingSound(def))
        return;
    FFC_FIELD_TEXT text = NewFieldTexts(field, Parm("REFFLD"));
    Put_Function_Field(g.ctx, IsComponentRun() ? 'C' : 'F', &def, &text);
    RecordFieldDefault(field, Parm("REFFLD"));
}

// CHANGE: the fields (or groups) changed and the fields of the value in
// pass 1; in pass 2 the fields changed and the value, checked as an
// expression of the first changed field's type.
void P3100_CheckChange(void)
{
    if (Pass() == 1) {
        std::vector<std::string> expanded;
        if (ParmCount("FIELD") <= 0) {
            Issue(Msg::ChangeNotValid, "FIELD");
            return;
        }
        // A CHANGE has no file whose fields *ALL could name; the fields it
        // changes are named one by one or by their group, which the
        // program changes member by member: a special entry would change
        // nothing.
        if (!ExpandFieldList("FIELD", {}, expanded))
            return;
        for (int32_t i = 0; i < ParmCount("FIELD"); ++i)
            if (const std::string entry = Upper(ParmEntry("FIELD", i)); !entry.empty() && entry[0] == '*')
                Issue(Msg::ChangeNotValid, entry + " is no field or field group");
        return;
    }
    OperandInfo target;
    int32_t fields = ParmCount("FIELD");
    std::vector<std::string> targets, members;
    bool plainFields = true; /* only plain fields take a compiled value */
    for (int32_t i = 0; i < fields; ++i) {
        std::string entry = ParmEntry("FIELD", i);
        const bool names = !entry.empty() && entry[0] != '*';
        const bool group = names && NamesFieldGroup(entry);
        if (group) {
            const std::vector<std::string> fieldsOfGroup = GroupFieldNames(entry);
            members.insert(members.end(), fieldsOfGroup.begin(), fieldsOfGroup.end());
        }
        if (!names || group) {
            plainFields = plainFields && entry.empty();
            continue;
        }
        OperandInfo info = CheckFieldOperand(entry);
        plainFields = plainFields && info.valid;
        targets.push_back(entry);
        if (info.valid && !target.valid)
            target = info;
    }
    std::string value = Parm("TO");
    if (value.empty())
        return;
    if (SpecialChangeValue(value) && !target.valid && !members.empty()) {
        CompileSpecialValueOfMembers(value, members);
        return;
    }
    if (!target.valid)
        return;
    if (SpecialChangeValue(value)) {
        if (plainFields && Upper(value) != "*DEFAULT") {
            CompileSpecialValue(Upper(value), targets);
            return;
        }
        if (plainFields || !members.empty()) {
            members.insert(members.begin(), targets.begin(), targets.end());
            CompileSpecialValueOfMembers(value, members);
        }
        return;
    }
    const std::string kind = Parm("@LITKIND");
    if (kind == "ALL" || (kind == "ALP" && CheckQuotedChangeValue(value, target)))
        return;
    /* the size a value must fit: an integer field's length is its bytes,
       which hold the digits of its largest value; a float takes any number
       of digits and decimals its range holds (rounded to its precision) */
    int32_t length = target.length, decimals = target.decimals;
    if (target.type == 'I') {
        length = target.length == 1 ? 3 : target.length == 2 ? 5 : target.length == 4 ? 10 : 19;
        decimals = 0;
    } else if (target.type == 'F') {
        length = decimals = 0;
    }
    CheckedExpression accepted;
    if (CheckExpressionText(value, target.typeClass, length, decimals, &accepted) && plainFields)
        CompileValue(accepted, targets, Upper(Parm("ROUND_UP")) == "*YES");
}

// DEF_LIST: not in a component; its fields are used.
void P3100_CheckDefList(void)
{
    if (Pass() != 1)
        return;
    if (IsComponentRun() && !G().ctx->lLanguageLevelTwo) {
        Issue(Msg::CommandNotForObject, Trim(G().parsed.acName, 10));
        return;
    }
    if (ParmCount("FIELDS") <= 0) {
        Issue(Msg::ParameterHasNoEntry, "FIELDS");
        return;
    }
    CheckFieldListValues();
    RecordListDefinition();
}

// GROUP_BY: a named group of fields, recorded for the use counts.
void P3100_CheckGroupBy(void)
{
    Globals& g = G();
    if (Pass() != 1)
        return;
    std::string name = Upper(Parm("NAME"));
    if (ParmCount("FIELDS") <= 0) {
        Issue(Msg::ParameterHasNoEntry, "FIELDS");
        return;
    }
    if (!DefineFieldGroup(name))
        return;
    if (name.empty())
        return;
    FFC_WORK_RECORD& r = g.record2;
    BlankRecord(r, WR_GROUPNAM, name);
    if (FindRecord(r, 2))
        return;
    /* the members in group order, for the commands that name the group */
    for (int32_t i = 0; i < ParmCount("FIELDS"); ++i) {
        int32_t number = i + 1;
        char digits[10];
        FIX_LongToDigits(&number, 10, digits);
        BlankRecord(r, LAYOUT_KIND_GROUPFLD, name, std::string_view(digits, 10));
        Pad(reinterpret_cast<GROUPFLD_DATA*>(r.acData)->acField, 10, NameOf(ParmEntry("FIELDS", i)));
        P3100_WriteRecord(r);
    }
    BlankRecord(r, WR_GROUPNAM, name);
    auto* data = reinterpret_cast<WR_GROUPNAM_DATA*>(r.acData);
    std::memcpy(data->acOrigin, "DEF", 3);
    WR_SetGroupUseCount(data, 0);
    P3100_WriteRecord(r);
}

// USE: a built-in function of the catalogue with as many arguments and
// return values as it takes.
void P3100_CheckUse(void)
{
    if (Pass() == 2) {
        CheckBuiltInTypes(Upper(Parm("BUILTIN")));
        return;
    }
    std::string name = Upper(Parm("BUILTIN"));
    const BuiltInFunction* f = name.empty() ? nullptr : FindBuiltIn(name);
    if (!f) {
        Issue(Msg::UseBuiltinNotValid, name);
        return;
    }
    int32_t given = ParmCount("WITH_ARGS"), gets = ParmCount("TO_GET");
    if (given > f->arguments || given < f->required || gets > f->returns)
        Issue(Msg::BuiltinArgumentCount, name);
}

}  // extern "C"

namespace {

// The condition of IF, DOWHILE and DOUNTIL in pass 2 (its fields are
// recorded with every command's keywords).
void CheckCommandCondition()
{
    if (Pass() == 1)
        return;
    std::string condition = Parm("COND");
    if (condition.empty()) {
        Issue(Msg::ParameterHasNoEntry, "COND");
        return;
    }
    CheckCompiledCondition(condition);
}

}  // namespace

extern "C" {

void P3100_CheckIf(void)
{
    CheckCommandCondition();
}

void P3100_CheckDoWhile(void)
{
    CheckCommandCondition();
}

void P3100_CheckDoUntil(void)
{
    CheckCommandCondition();
}

// CASE: the operand compared by the WHEN commands of the block.
void P3100_CheckCase(void)
{
    if (Pass() == 1)
        return;
    OperandInfo info = CheckOperandValue(Parm("OF_FIELD"));
    if (!G().caseLevels.empty())
        G().caseLevels.back().second = info.valid;
    /* the subject of the When group its WHEN routines test */
    CheckedExpression subject;
    if (info.valid && !G().caseLevels.empty() && CheckExpressionText(Parm("OF_FIELD"), info.typeClass, 0, 0, &subject))
        CompileWhenSubject(subject, static_cast<uint32_t>(G().caseLevels.size()));
}

// WHEN: each value is a comparison with the CASE operand: "= U" compares
// the operand with U; a value without a comparison operator compares for
// equality.
void P3100_CheckWhen(void)
{
    Globals& g = G();
    if (Pass() == 1)
        return;
    if (g.caseLevels.empty() || !g.caseLevels.back().second)
        return;
    const int32_t values = ParmCount("VALUE_IS");
    const std::string& operand = g.caseLevels.back().first;
    /* the tests of one WHEN after the other, each in the room of the one
    ** before it (an accepted check fills every part of its test); kept to
    ** the end of the run */
    static std::vector<CheckedExpression>& tests = *new std::vector<CheckedExpression>();
    size_t count = 0;
    bool accepted = true;
    std::string value, test;
    for (int32_t i = 0; i < values; ++i) {
        value = ParmEntry("VALUE_IS", i);
        if (value.empty())
            continue;
        // the operand, and the value as a comparison with it
        test.assign(operand);
        test += StartsWithComparison(value) ? " " : " = ";
        test += value;
        if (count == tests.size())
            tests.emplace_back();
        accepted = CheckConditionText(test, &tests[count++]) && accepted;
    }
    if (count < tests.size())
        tests.resize(count);
    if (accepted)
        CompileWhenTests(tests, static_cast<uint32_t>(g.caseLevels.size()));
}

// BEGIN_LOOP: the loop field (a work field of its own for *INTERNAL) and
// the values giving its bounds, all numeric.
void P3100_CheckBeginLoop(void)
{
    std::string loopField = Parm("USING");
    if (Pass() == 1) {
        if (Upper(loopField) != "*INTERNAL" && FieldOf(loopField).empty())
            Issue(Msg::BeginLoopNotValid, loopField);
        return;
    }
    if (Upper(loopField) != "*INTERNAL")
        CheckNumericField(loopField, Msg::BeginLoopNotValid, "USING(" + loopField + ") is not numeric");
    for (const char* keyword : {"FROM", "TO", "STEP"})
        CheckOperandValue(Parm(keyword), 'N');
}

}  // extern "C"
