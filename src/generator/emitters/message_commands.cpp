/*
** message_commands.cpp: MESSAGE, ABORT, EXIT and MENU, the call of the
** run-time message handler that they share with the validation blocks, and
** the shorter message arguments of the check commands. Message texts given
** in the source become text literals of the program's text strings.
*/
#include "generator/core/model/field_helpers.h"
#include "generator/core/model/field_values.h"
#include "generator/core/model/name_services.h"
#include "generator/core/output/line_writer.h"
#include "generator/core/output/services.h"
#include "generator/core/output/static_lists.h"
#include "generator/emitters/emit_support.h"
#include "generator/emitters/emitters.h"
#include "generator/expressions/expr_routines.h"
#include "runcontrol/message_table.h"

using dqov::Msg;

namespace {

bool cs()
{
    return P3109_fCSharp();
}

/* The substitution variables of a message: their count and their vector. */
std::string substitutionCount()
{
    return cs() ? "SubVariables.Length" : "(sizeof(SubVariables)/sizeof(X_SHORT))";
}

std::string literalName(const char* prefix, std::string_view text)
{
    CGEN_SetTextLiteralPrefix(prefix);
    const char* reference = nullptr;
    const char* declared = nullptr;
    CGEN_GetTextLiteralDefineName(text, nullptr, nullptr, GEN_LITERAL_AS_IS, &reference, &declared);
    return reference ? reference : "pX_NULL";
}

std::string typeConstant(const std::string& type)
{
    const std::string head = type.substr(0, 5);
    if (head == "*INFO")
        return "X_MESSAGE_TYPE_INFO";
    if (head == "*STAT")
        return "X_MESSAGE_TYPE_STATUS";
    if (head == "*WIND")
        return "X_MESSAGE_TYPE_WINDOW";
    return "X_MESSAGE_TYPE_INFO"; /* the checker defaults TYPE */
}

/* The vector identifiers of the substitution operands. */
std::vector<std::string> substitutionVectors()
{
    std::vector<std::string> vectors;
    const int32_t count = std::min<int32_t>(P3109_ParmCount("MSGDTA"), 20);
    for (int32_t i = 0; i < count; ++i)
        vectors.push_back(P3109_OperandVector("MSGDTA", P3109_ParmField("MSGDTA", 0, i), 21));
    return vectors;
}

void declareSubstitutions(const std::vector<std::string>& vectors)
{
    P3109_WriteComment("Declare substitution variables");
    P3109_Line(cs() ? "short[] SubVariables =" : "X_SHORT SubVariables[] =");
    P3109_Line("{");
    for (size_t i = 0; i < vectors.size(); ++i)
        P3109_Line("   " + vectors[i] + (i + 1 < vectors.size() ? "," : ""));
    P3109_Line("};");
}

bool isNone(const std::string& text)
{
    return text.empty() || text == "*NONE";
}

/* A message text naming a multilingual variable: "*MTXT" and its name. */
bool isMultilingualName(const std::string& text)
{
    return text.size() > 5 && P3109_CopyUpper(text, 5) == "*MTXT";
}

}  // namespace

void P3109_EmitMessage()
{
    P3109_EmitCommandPrologue();
    const bool abort = P3109_fCommandIs("ABORT");
    P3109_EmitMessageCall(abort ? 1 : 0);
    const std::string type = P3109_Parm("TYPE");
    if (P3109_fCommandIs("MESSAGE")) {
        if (type.compare(0, 8, "*WINDOWB") == 0)
            P3109_sIssueMessage(Msg::OptionIgnored, "*WINDOWBUZ");
        if (type == "*STATUS" && P3109_ParmNumber("MIN_TIME") != 1)
            P3109_sIssueMessage(Msg::OptionIgnored, "MIN_TIME");
        return;
    }
    const char* target = abort ? "*ERROR" : P3109_fCommandIs("EXIT") ? "*EXIT" : "*MENU";
    P3109_EmitBranchToTarget(target, g().out.usIndent);
}

void P3109_EmitMessageCall(int iAbort)
{
    const std::string kind = P3109_Parm("@MSGKIND");
    if (kind.empty() || kind == "N")
        return;
    const std::string type = P3109_Parm("TYPE");
    const std::string constant = typeConstant(type);
    const std::string msgId = literalName("MSGID", P3109_ParmField("MSGID"));
    const std::string msgFile = literalName("MSGFILE", P3109_ParmField("MSGFILE"));
    const char* reference = P3109_pRoutineReference();
    const bool compiledText = reference != nullptr && reference[1] == 'E';
    /* a text naming a multilingual variable gives its text in the run's
    ** language, fetched into the variable a compiled text is evaluated in */
    const std::string written = P3109_TrimRight(P3109_Parm("MSGTXT"));
    const bool multilingual = kind == "T" && !compiledText && isMultilingualName(written);
    const std::string msgText = compiledText || multilingual ? std::string("pvchMessageText")
                                                             : literalName("MESSAGE", P3109_ParmField("MSGTXT"));
    std::string field = "V_NOT_AVAILABLE";
    const std::string window = P3109_Parm("WINDOW_FLD");
    if (type.compare(0, 7, "*WINDOW") == 0 && !isNone(window))
        field = P3109_RequiredFieldVector("WINDOW_FLD", P3109_ParmField("WINDOW_FLD"));

    const bool frame = P3109_fFrameIndicator();
    if (frame) {
        EXPR_WriteDefineVarFrame(P3109_ExpressionWriter(), 1);
    } else {
        P3109_LineAt(0, " ");
        P3109_Line("{");
        P3109_IndentIn();
    }
    const std::vector<std::string> vectors = substitutionVectors();
    if (!vectors.empty())
        declareSubstitutions(vectors);
    if (compiledText) {
        P3109_WriteComment("Evaluate MSGTXT expression");
        if (cs()) {
            P3109_Line("X_FLD_CHAR   fldChar          = new X_FLD_CHAR( -1, 0, X_DEFS.X_MAX_CHAR_FIELD_LEN, null );");
            P3109_Line("string       pvchMessageText  = null;");
        } else {
            P3109_Line("X_FLD_CHAR   fldChar          = { -1, 0, X_MAX_CHAR_FIELD_LEN, NULL };");
            P3109_Line("X_VCHAR      *pvchMessageText = NULL;");
        }
        P3109_WriteComment("Evaluate expression and retrieve MSGTXT as a string");
        EXPR_WriteStringEvaluationCall(P3109_ExpressionWriter(), reference, "fldChar", "pvchMessageText");
    }
    if (multilingual) {
        P3109_WriteComment("Retrieve MSGTXT in the language of the run");
        P3109_Line(cs() ? "string       pvchMessageText;" : "X_PVCHAR     pvchMessageText;");
        P3109_WriteGetMultilingualText("pvchMessageText",
                                       P3109_pFindMultilingualVariable(P3109_CopyUpper(written, 20)));
    }
    P3109_WriteComment("Invoke the Message Handler");
    P3109_Line(iAbort ? "X_Handle_Message_Abort (pX_Ids," : "X_Handle_Message (pX_Ids,");
    P3109_Line("          pX_Pro,");
    P3109_Line("          pX_Fun,");
    P3109_Line("          pX_Fld,");
    /* the argument lines are put together in a buffer kept between calls */
    static std::string line;
    const auto argument = [](std::string_view before, std::string_view text, std::string_view after) {
        P3109_Line(line.assign(before).append(text).append(after));
    };
    argument("          ", constant, ",");
    const std::string option = P3109_ParmField("MSG_OPTION");
    P3109_Line(std::string("          '") + (option.empty() || option[0] == '\0' ? ' ' : option[0]) + "',");
    if (kind == "T") {
        argument("          pX_NULL, /* ", msgId, " */");
        argument("          pX_NULL, /* ", msgFile, " */");
        argument("          ", msgText, ",");
    } else {
        argument("          ", msgId, ",");
        argument("          ", msgFile, ",");
        argument("          pX_NULL, /* ", msgText, " */");
    }
    argument("          ", field, ",");
    if (!vectors.empty()) {
        P3109_Line("          " + substitutionCount() + ",");
        P3109_Line("          SubVariables);");
    } else {
        P3109_Line("          0,");
        P3109_Line("          pX_NULL);");
    }
    if (compiledText) {
        P3109_WriteComment("Release VarChar containing MSGTXT string");
        EXPR_WriteVarCharRelease(P3109_ExpressionWriter(), reference, "fldChar");
    }
    if (frame) {
        EXPR_WriteTerminateVarFrame(P3109_ExpressionWriter(), 1);
    } else {
        P3109_IndentOut();
        P3109_Line("}");
    }
    P3109_EmitFatalErrorTest();
}

bool P3109_EmitCheckMessage(GEN_CHECK_MESSAGE& out, char cMode)
{
    out = GEN_CHECK_MESSAGE{};
    if (cs())
        out.msgFile = "pX_Ids.vchStandardMessageFile";
    const std::string msgTxt = P3109_Parm("MSGTXT");
    const std::string msgFile = P3109_Parm("MSGFILE");
    const bool noText = isNone(msgTxt.substr(0, std::min<size_t>(msgTxt.size(), 7)));
    const bool declare = cMode == 'B' || cMode == 'D';
    const bool set = cMode == 'B' || cMode == 'S';
    if (noText)
        out.msgId = out.msgIdName = literalName("MSGID", P3109_ParmField("MSGID"));
    if (!isNone(msgFile) && msgTxt == "*NONE")
        out.msgFile = out.msgFileName = literalName("MSGFILE", P3109_ParmField("MSGFILE"));
    auto useVector = [&out]() {
        out.count = substitutionCount();
        out.vector = "SubVariables";
    };
    if (noText) {
        const std::vector<std::string> vectors = substitutionVectors();
        if (vectors.empty())
            return true;
        if (declare)
            declareSubstitutions(vectors);
        useVector();
        return true;
    }
    /* a message text given in the check, or a field holding it */
    const FFC_CONTEXT* ctx = P3109_Context();
    const char marker = ctx && ctx->cNatChar1 != ' ' ? ctx->cNatChar1 : '#';
    const bool textField = msgTxt[0] == marker;
    const std::string field = textField ? P3109_Padded(msgTxt, 10) : P3109_SpecialFieldName("IO", "MSGTXT");
    GEN_FIELD_INFO info;
    if (!P3109_fFindUsedField(field, info)) {
        P3109_sIssueMessage(Msg::FieldNotUsedByFunction, field);
        return false;
    }
    if (declare) {
        P3109_WriteComment("Declare vector to message text");
        P3109_Line((cs() ? "short[] SubVariables = {" : "X_SHORT SubVariables[] = {") + info.vectorName + "};");
    }
    if (set && !textField) {
        P3109_WriteComment("Set message text");
        /* a multilingual variable gives its text in the run's language */
        if (isMultilingualName(msgTxt))
            P3109_WriteSetToMultilingualText(info, P3109_CopyUpper(P3109_TrimRight(msgTxt), 20));
        else
            P3109_WriteSetFromVchar(info, literalName("MESSAGE", P3109_ParmField("MSGTXT")));
    }
    useVector();
    return true;
}
