/*
** builtin_calls.cpp: USE, the call of a built-in function. One block
** declares the call's control block and the descriptions of its arguments
** and return values, calls the function the way its definition says it is
** implemented (a routine of the run time, a user program, an entry of a
** user DLL, or a function written in ZOPH, which receives a parameter
** list), and branches to the error handling when the call fails.
*/
#include <charconv>
#include <cstring>

#include "checker/support_names.h"
#include "dqov/runcontrol/definitions.h"
#include "generator/core/model/definitions.h"
#include "generator/core/model/field_helpers.h"
#include "generator/core/model/list_definitions.h"
#include "generator/core/output/line_writer.h"
#include "generator/core/output/services.h"
#include "generator/core/output/static_lists.h"
#include "generator/emitters/emit_support.h"
#include "generator/emitters/io_support.h"
#include "generator/expressions/expr_routines.h"
#include "runcontrol/message_table.h"

using dqov::Msg;

namespace {

bool cs()
{
    return P3109_fCSharp();
}

/* The lines of a call are put together in one buffer kept between lines,
** piece by piece as printf's formats put them: a text up to its first NUL,
** a number in decimal. */
class LineText {
public:
    LineText& operator<<(std::string_view text)
    {
        text = text.substr(0, text.find('\0'));
        text_.append(text.data(), text.size());
        return *this;
    }
    LineText& operator<<(const char* text)
    {
        text_.append(text);
        return *this;
    }
    LineText& operator<<(const std::string& text) { return *this << text.c_str(); }
    LineText& operator<<(char c)
    {
        text_.push_back(c);
        return *this;
    }
    LineText& operator<<(long value)
    {
        char digits[24];
        text_.append(digits, static_cast<size_t>(std::to_chars(digits, digits + sizeof digits, value).ptr - digits));
        return *this;
    }
    LineText& operator<<(int value) { return *this << static_cast<long>(value); }
    const std::string& Text() const { return text_; }

private:
    std::string text_;
    friend LineText& line();
};

/* The buffer, emptied for a new line. */
LineText& line()
{
    static LineText text;
    text.text_.clear();
    return text;
}

/* Writes the line put together. */
void write(const LineText& text)
{
    P3109_Line(text.Text());
}

bool componentRun()
{
    const FFC_CONTEXT* ctx = P3109_Context();
    return ctx && ctx->lComponentRun != 0;
}

/* The definition of the built-in function, for update of its used flag. */
GEN_BIF_DEFINITION* findDefinition(const std::string& name)
{
    return const_cast<GEN_BIF_DEFINITION*>(P3109_pFindBuiltinFunction(name));
}

/* The number of values given: the position of the last value, among the
** definition's count, whose first 10 characters are not blank. */
int32_t givenCount(const char* keyword, int16_t sDefined)
{
    int32_t given = 0;
    const int32_t count = std::min<int32_t>(P3109_ParmCount(keyword), sDefined);
    for (int32_t i = 0; i < count; ++i)
        if (!P3109_TrimRight(P3109_ParmField(keyword, 0, i).substr(0, 10)).empty())
            given = i + 1;
    return given;
}

/* The value text of an argument, through the object layer for a literal
** it holds. */
std::string literalValue(int32_t lEntry)
{
    const std::string value = P3109_ParmField("WITH_ARGS", 0, lEntry);
    char text[52];
    P31O2_sQueryLiteralInfo(value.c_str(), text, 50);
    return P3109_TrimRight(std::string_view(text, std::strlen(text)));
}

/* The default table of the arguments or the return values. */
void writeDefaults(const char* table, const std::array<GEN_BIF_VALUE, GEN_BIF_DESCRIPTORS>& values, int16_t sCount)
{
    P3109_Line(cs() ? std::string("_X_ZOPH_BIF_DEFAULT[] ") + table + " = {"
                    : std::string("static struct _X_ZOPH_BIF_DEFAULT ") + table + "[] = {");
    CGEN_SetTextLiteralPrefix("BIFDFT");
    for (int16_t i = 0; i < std::min<int16_t>(sCount, static_cast<int16_t>(GEN_BIF_DESCRIPTORS)); ++i) {
        const GEN_BIF_VALUE& v = values[static_cast<size_t>(i)];
        const char* reference = nullptr;
        const char* declared = nullptr;
        CGEN_GetTextLiteralDefineName(v.defaultValue, nullptr, nullptr, GEN_LITERAL_TRIMMED, &reference, &declared);
        const char type = v.cType == '\0' ? ' ' : v.cType;
        if (cs())
            P3109_Line(P3109_Format("  %snew _X_ZOPH_BIF_DEFAULT( '%c',%d,%d,%s ) ", i == 0 ? " " : ",", type,
                                    static_cast<int>(v.sLength), static_cast<int>(v.sDecimals),
                                    declared ? declared : "null"));
        else
            write(line() << "  " << (i == 0 ? " " : ",") << '\'' << type << "'," << static_cast<int>(v.sLength) << ','
                         << static_cast<int>(v.sDecimals) << ',' << (reference ? reference : "pX_NULL") << ' ');
    }
    P3109_Line("};");
}

/* The number and type texts of one argument or return value; false when a
** working list it names has no DEF_LIST (PRC1006 is then issued). */
bool valueTexts(const std::string& value, char cDefinedType, bool fReturn, std::string& number, std::string& type)
{
    const std::string head = P3109_TrimRight(value.substr(0, std::min<size_t>(value.size(), 10)));
    const bool none = head.empty() || head == "*N" || (!fReturn && (head == "*DFT" || head == "*DEFAULT"));
    const char* vectorType = fReturn ? "X_PARM_BIF_VECTOR_RETURN_VALUE" : "X_PARM_BIF_VECTOR_ARGUMENT";
    if (none) {
        number = "V_NOT_AVAILABLE";
        type = vectorType;
        return true;
    }
    if (cDefinedType == 'L') {
        const int16_t list = P3109_sFindListDefinition(head);
        if (list < 0) {
            P3109_sIssueMessage(Msg::ListNotDefined, P3109_Padded(head, 10));
            return false;
        }
        number = P3109_ListDefinitions()[static_cast<size_t>(list)].vectorName;
        type = fReturn ? "X_PARM_BIF_LIST_RETURN_VALUE" : "X_PARM_BIF_LIST_ARGUMENT";
        return true;
    }
    /* a special value without a value of its own is passed as not
       available; a field or literal the generation cannot resolve stops
       it, never passing as the field of an earlier look-up */
    number = P3109_OperandVector(fReturn ? "TO_GET" : "WITH_ARGS", value, fReturn ? 20 : GEN_OPERAND_NAME_WIDTH);
    type = vectorType;
    return true;
}

void branchOnFailure(long lNumber)
{
    P3109_Line(" ");
    write(line() << "if ( ( X_BIF_" << lNumber << ".chReturnCode != YES ) || ( pX_Ids" << (cs() ? "." : "->")
                 << "chFatalError == YES ) )");
    P3109_Line("{");
    P3109_EmitBranchToTarget("*ERROR", static_cast<uint16_t>(g().out.usIndent + 3));
    P3109_Line("}");
}

}  // namespace

void P3109_EmitBifParmEntry(int32_t lEntry, std::string_view name, std::string_view type, std::string_view count,
                            std::string_view value)
{
    const long n = lEntry;
    if (cs()) {
        /* C#: one parameter object; a type of the run time is a member of
           its X_BifStr class, an address the object itself */
        const auto text = [](std::string_view v) {
            const std::string t(v);
            if (t.rfind("&(", 0) == 0 && t.size() > 3)
                return t.substr(2, t.find('[') != std::string::npos ? t.find('[') - 2 : t.size() - 3);
            return t[0] == '&' ? t.substr(1) : t;
        };
        const std::string typeText =
            type.rfind("X_PARM_", 0) == 0 ? "X_BifStr." + std::string(type) : std::string(type);
        P3109_Line(P3109_Format(
            "aZOPHBIFParms[%ld] = new X_PARM( %s, %s, %s, %s );", n, type.empty() ? "0" : typeText.c_str(),
            name.empty() ? "null" : std::string(name).c_str(), count.empty() ? "0" : std::string(count).c_str(),
            value.empty() ? "null" : text(value).c_str()));
        return;
    }
    if (!type.empty())
        write(line() << "aZOPHBIFParms[" << n << "].sType = ((X_SHORT) " << type << ");");
    if (!name.empty())
        write(line() << "aZOPHBIFParms[" << n << "].vchName = " << name << ';');
    if (!count.empty())
        write(line() << "aZOPHBIFParms[" << n << "].sNumberOf = ((X_SHORT) " << count << ");");
    if (!value.empty())
        write(line() << "aZOPHBIFParms[" << n << "].pValue = ((X_PVOID) " << value << ");");
}

void P3109_EmitUse()
{
    P3109_EmitCommandPrologue();
    GEN_BIF_DEFINITION* def = findDefinition(P3109_Parm("BUILTIN"));
    if (!def)
        return;
    const long n = P3109_sCurrentSequence();
    const int32_t a = givenCount("WITH_ARGS", def->sArgumentCount);
    const int32_t r = givenCount("TO_GET", def->sReturnCount);
    const bool zoph = def->cKind == 'R';
    P3109_Line("{");
    P3109_IndentIn();
    const bool csharp = cs();
    if (csharp)
        write(line() << "X_BIF X_BIF_" << n << " = new X_BIF();");
    else
        write(line() << "struct X_BIF X_BIF_" << n << ';');
    if (zoph) {
        const long entries = a + r + 2 + (def->sArgumentCount > 0 ? 1 : 0) + (def->sReturnCount > 0 ? 1 : 0);
        if (csharp) {
            P3109_Line(P3109_Format("X_PARM[] aZOPHBIFParms = new X_PARM[%ld];", entries));
            P3109_Line("int scZOPHBIFParms = aZOPHBIFParms.Length;");
        } else {
            write(line() << "struct X_PARM aZOPHBIFParms[" << entries << "];");
            P3109_Line("X_SHORT scZOPHBIFParms = (sizeof(aZOPHBIFParms) / sizeof(struct X_PARM));");
        }
        if (def->sArgumentCount > 0)
            writeDefaults("XZOPHArgDefaults", def->arguments, def->sArgumentCount);
        if (def->sReturnCount > 0)
            writeDefaults("XZOPHRetDefaults", def->returns, def->sReturnCount);
        if (componentRun())
            P3109_Line(csharp ? "object pvZOPHTrackInfo = null;" : "X_PVOID pvZOPHTrackInfo = pX_NULL;");
        P3109_Line(" ");
    } else if (csharp) {
        P3109_Line(P3109_Format("short[] X_BIF_Arg_%ld = new short[%ld];", n, static_cast<long>(a == 0 ? 1 : a)));
        P3109_Line(P3109_Format("short[] X_BIF_Ret_%ld = new short[%ld];", n, static_cast<long>(r == 0 ? 1 : r)));
    } else {
        write(line() << "X_SHORT X_BIF_Arg_" << n << '[' << static_cast<long>(a == 0 ? 1 : a) << "];");
        write(line() << "X_SHORT X_BIF_Ret_" << n << '[' << static_cast<long>(r == 0 ? 1 : r) << "];");
    }

    std::string routine, flag;
    switch (def->cKind) {
    case 'L': routine = def->routine; break;
    case 'D': {
        def->dllAlias = literalValue(0);
        def->entryAlias = literalValue(1);
        char dll[33] = {};
        const USEDLL_ENTRY* entry =
            g().pUserDlls ? USEDLL_pFindEntry(g().pUserDlls, def->dllAlias.c_str(), def->entryAlias.c_str(), dll)
                          : nullptr;
        routine = entry ? "X_" + std::string(dll) + entry->szName : "UNKNOWN_NAME";
        /* a call of no entry cannot be compiled: say which function it is */
        if (!entry)
            P3109_sIssueMessage(Msg::BuiltinNotInUserDll, def->name);
        break;
    }
    default:
        routine = "X_PDF_Execute_User_BIF";
        flag = def->cCall == 'Y' ? "YES," : "NO,";
        break;
    }
    def->cUsed = 'Y';
    if (def->sIdentifier == 148)
        P3109_Line("X_Always_Exchange_" + P3109_ModuleName() + " (" + P3109_StdParms() + ");");
    const bool evaluations = P3109_CountStatementEvaluations();
    EXPR_WriteDefineVarFrame(P3109_ExpressionWriter(), evaluations ? 1 : 0);

    long next = 0;
    if (zoph) {
        P3109_EmitBifParmEntry(next++, "", "X_PARM_BIF_CALLER_PX_FUN", "", "pX_Fun");
        P3109_EmitBifParmEntry(next++, "", "X_PARM_BIF_CALLER_PX_BIF", "", "&X_BIF_" + std::to_string(n));
        if (def->sArgumentCount > 0)
            P3109_EmitBifParmEntry(next++, "", "X_PARM_BIF_DEFAULT_ARG_INFO", std::to_string(def->sArgumentCount),
                                   "&(XZOPHArgDefaults[0])");
        if (def->sReturnCount > 0)
            P3109_EmitBifParmEntry(next++, "", "X_PARM_BIF_DEFAULT_RET_INFO", std::to_string(def->sReturnCount),
                                   "&(XZOPHRetDefaults[0])");
        P3109_Line(" ");
    }
    write(line() << "X_BIF_" << n << ".sUID = " << static_cast<long>(def->sIdentifier) << ';');
    write(line() << "X_BIF_" << n << ".chShutDown = NO;");
    write(line() << "X_BIF_" << n << ".chReturnCode = YES;");
    std::vector<std::string> arguments;
    for (int32_t i = 0; i < a; ++i)
        arguments.push_back(P3109_ParmField("WITH_ARGS", 0, i));
    P3109_EmitDynamicSysVars(arguments, GEN_OPERAND_NAME_WIDTH);

    for (int pass = 0; pass < 2; ++pass) {
        const bool returns = pass == 1;
        const int32_t count = returns ? r : a;
        for (int32_t i = 0; i < count; ++i) {
            if (i == 0)
                P3109_WriteComment(returns ? "Prepare builtin return values vector list"
                                           : "Prepare builtin argument values vector list");
            const GEN_BIF_VALUE& defined = (returns ? def->returns : def->arguments)[static_cast<size_t>(i)];
            std::string number, type;
            if (!valueTexts(P3109_ParmField(returns ? "TO_GET" : "WITH_ARGS", 0, i), defined.cType, returns, number,
                            type)) {
                /* the fatal message stops generation: the block is still
                   closed, so the text written so far stays balanced */
                EXPR_WriteTerminateVarFrame(P3109_ExpressionWriter(), evaluations ? 1 : 0);
                P3109_IndentOut();
                P3109_Line("}");
                return;
            }
            if (zoph) {
                P3109_EmitBifParmEntry(next++, "", type, number, "");
            } else {
                write(line() << "X_BIF_" << (returns ? "Ret" : "Arg") << '_' << n << '[' << static_cast<int>(i)
                             << "] = " << number << ';');
            }
        }
    }
    if (def->cCall == 'Y') {
        P3109_Line(" ");
        P3109_Line(P3109_Instance(def->routine + "_Called") + " = YES;");
        P3109_Line(" ");
    }
    if (zoph && csharp) {
        if (componentRun())
            P3109_Line("X_RUN_DLL.X_Start_Call_ZOPH_from_ZOPHX(pX_Ids,pX_Pro,pX_Fun,ref pvZOPHTrackInfo);");
        P3109_Line("X_RUN_DLL.X_PDF_Execute_Function (pX_Ids,pX_Pro,pX_Fun," +
                   P3109_QuotedText(P3109_TrimRight(def->program)) + ",scZOPHBIFParms,aZOPHBIFParms);");
        if (componentRun())
            P3109_Line("X_RUN_DLL.X_End_Call_ZOPH_from_ZOPHX(pX_Ids,pX_Pro,pX_Fun,ref pvZOPHTrackInfo);");
    } else if (zoph) {
        if (componentRun())
            P3109_Line("X_Start_Call_ZOPH_from_ZOPHX(pX_Ids,pX_Pro,pX_Fun,&(pvZOPHTrackInfo));");
        P3109_Line("X_PDF_Execute_Function (pX_Ids,pX_Pro,pX_Fun,\"" +
                   P3109_QuotedCText(P3109_TrimRight(def->program)) + "\",scZOPHBIFParms,aZOPHBIFParms);");
        if (componentRun())
            P3109_Line("X_End_Call_ZOPH_from_ZOPHX(pX_Ids,pX_Pro,pX_Fun,&(pvZOPHTrackInfo));");
    } else if (csharp) {
        /* C# declares no routines of other modules: a built-in function's
           routine or a user DLL's entry is found by the run time by name */
        const std::string call = def->cKind == 'L' || def->cKind == 'D'
                                     ? "X_RUN_DLL.X_PDF_Execute_BuiltIn( " + P3109_MakeStringLiteral(routine) + ", "
                                     : "X_RUN_DLL." + routine + "( ";
        P3109_Line(P3109_Format("%spX_Ids, pX_Pro, pX_Fun, X_BIF_%ld, %spX_Fld, %s, ", call.c_str(), n, flag.c_str(),
                                "pX_List"));
        P3109_Line(P3109_Format("    %d, X_BIF_Arg_%ld, %d, X_BIF_Ret_%ld );", static_cast<int>(a), n,
                                static_cast<int>(r), n));
    } else {
        write(line() << routine << "( pX_Ids, pX_Pro, pX_Fun, &(X_BIF_" << n << "), " << flag << "pX_Fld, pX_List, ");
        write(line() << "    " << static_cast<int>(a) << ", X_BIF_Arg_" << n << ", " << static_cast<int>(r)
                     << ", X_BIF_Ret_" << n << " );");
    }
    EXPR_WriteTerminateVarFrame(P3109_ExpressionWriter(), evaluations ? 1 : 0);
    branchOnFailure(n);
    P3109_IndentOut();
    P3109_Line("}");
}
