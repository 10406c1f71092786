/*
** web_sections.cpp: the web-enabled function's sections, its text tag
** tables and the data lines of extended fields.
*/
#include "generator/core/model/web_sections.h"

#include "generator/core/model/definitions.h"
#include "generator/core/model/field_helpers.h"
#include "generator/core/model/field_types.h"
#include "generator/core/output/line_writer.h"
#include "generator/core/output/services.h"

namespace {

constexpr const char* kLines99[] = {
    "if ( pX_Ids->pWebInfo )",
    "{",
    "   pX_Ids->pWebInfo->chUseIFS = 'Y';",
    "   strcpy( pX_Ids->pWebInfo->fchIFSFileName, \"*DFT\" );",
    "   strcpy( pX_Ids->pWebInfo->fchIFSFileSuffix, \"*DFT\" );",
    "   strcpy( pX_Ids->pWebInfo->fchIFSPath, \"*DFT\" );",
    "   strcpy( pX_Ids->pWebInfo->fchIFSCodePage, \"*DFT\" );",
    "   strcpy( pX_Ids->pWebInfo->fchIFSFileExtension, \"htm\" );",
    "   strcpy( pX_Ids->pWebInfo->fchIFSPrimaryExtension, \"HTM\" );",
    "   strcpy( pX_Ids->pWebInfo->fchIFSSecondaryExtension, \"\" );",
    "}",
};
/* The execution state is kept from the start: it is read only where the
** switch was made, but the compiler cannot see that the switch flag ties
** the two (-O2 finds it "maybe uninitialized"). */
constexpr const char* kLines101[] = {
    "X_BOOL fSwitchedWebUIM = FALSE;",
    "struct X_WEB_INFO thisWebInfo;",
    "X_CHAR chOriginalExecState = pX_Ids->chExecutionState;",
    "X_MODULEHANDLE hOldUIMDLL;",
    "PFNUIMVOIDFUNCTION pfnOldManager;",
};
constexpr const char* kLines102[] = {
    "if (pX_Ids->pWebInfo == NULL)",
    "{",
    "   chOriginalExecState = pX_Ids->chExecutionState;",
    "   X_PDF_Switch_To_Web_UIM_DLL(pX_Ids, &thisWebInfo, &hOldUIMDLL, &pfnOldManager);",
    "   if (pX_Ids->chFatalError == YES)",
    "      return;",
    "   fSwitchedWebUIM = TRUE;",
    "}",
};
constexpr const char* kLines103[] = {"       if (fSwitchedWebUIM) pX_Ids->pWebInfo = NULL;"};
constexpr const char* kLines104[] = {"if (fSwitchedWebUIM) pX_Ids->pWebInfo = NULL;"};
constexpr const char* kLines105[] = {
    "if (fSwitchedWebUIM)",
    "{",
    "   X_CHAR chError = pX_Ids->chFatalError;",
    "   pX_Ids->chFatalError = NO;",
    "   X_PDF_Restore_Original_UIM_DLL(pX_Ids, chOriginalExecState, hOldUIMDLL, pfnOldManager);",
    "   pX_Ids->pWebInfo = NULL;",
    "   fSwitchedWebUIM = FALSE;",
    "   pX_Ids->chFatalError = chError;",
    "}",
};

/* Drops the directive line; a web-enabled function gets the lines at the
** directive's column. */
template <size_t N> void webLines(const char* const (&lines)[N])
{
    g().skel.cKeep = 'N';
    if (!P3109_fWebEnabled())
        return;
    for (const char* line : lines)
        P3109_WriteLine(g().out.current, static_cast<int16_t>(g().skel.usColumn), line);
}

/* The literal name of one text tag in one language, or the empty string
** literal when it has none. */
std::string tagName(const GEN_TEXT_REFERENCE& tag, size_t language)
{
    const GEN_WEB_NAME_BLOCKS& b = P3109_WebNameBlocks();
    std::string name;
    if (tag.lKind == 0 && b.fFunctionDescriptions && language < b.functionDescriptions.size())
        name = b.functionDescriptions[language];
    else if (tag.lKind == 1 && b.fFieldTexts && tag.lOrdinal >= 0 &&
             static_cast<size_t>(tag.lOrdinal) < b.fieldTexts.size() && tag.lValue >= 0 && tag.lValue < 5 &&
             language < b.fieldTexts[static_cast<size_t>(tag.lOrdinal)].size())
        name = b.fieldTexts[static_cast<size_t>(tag.lOrdinal)][language][static_cast<size_t>(tag.lValue)];
    else if (tag.lKind == 2 && b.fMultilingualTexts && tag.lOrdinal >= 0 &&
             static_cast<size_t>(tag.lOrdinal) < b.multilingualTexts.size() &&
             language < b.multilingualTexts[static_cast<size_t>(tag.lOrdinal)].size())
        name = b.multilingualTexts[static_cast<size_t>(tag.lOrdinal)][language];
    return name.empty() ? "\"\"" : name;
}

std::string number4(size_t n)
{
    std::string text = std::to_string(n);
    return text.size() < 4 ? std::string(4 - text.size(), '0') + text : text;
}

}  // namespace

GEN_WEB_NAME_BLOCKS& P3109_WebNameBlocks()
{
    static GEN_WEB_NAME_BLOCKS blocks;
    return blocks;
}

void P3109_ResetWebSections()
{
    P3109_WebNameBlocks() = GEN_WEB_NAME_BLOCKS{};
}

bool P3109_fWebEnabled()
{
    return P3109_fSysFlag(SYSFLAG_WEBEVENT);
}

void P3109_WriteWebInfoLines99()
{
    webLines(kLines99);
}
void P3109_WriteWebInfoLines101()
{
    webLines(kLines101);
}
void P3109_WriteWebInfoLines102()
{
    webLines(kLines102);
}
void P3109_WriteWebInfoLines103()
{
    webLines(kLines103);
}
void P3109_WriteWebInfoLines104()
{
    webLines(kLines104);
}
void P3109_WriteWebInfoLines105()
{
    webLines(kLines105);
}

void P3109_WriteTextTagTables()
{
    g().skel.cKeep = 'N';
    const GEN_STREAM stream = g().out.current;
    const int16_t column = static_cast<int16_t>(g().skel.usColumn);
    const auto line = [&](int16_t indent, const std::string& text) { P3109_WriteLine(stream, indent, text); };
    const std::vector<GEN_TEXT_REFERENCE>& tags = P3109_TextReferences();
    if (tags.empty()) {
        line(column, "if (plLimit != pX_NULL) *plLimit = 0;");
        line(column, "return(pX_NULL);");
        return;
    }
    const size_t languages = P3109_ProcessDefinitions().languages.size();
    for (size_t n = 0; n < languages; ++n) {
        line(column, "static X_PVCHAR TextTags_Lang_" + std::to_string(n + 1) + "[] = {");
        for (size_t t = 0; t < tags.size(); ++t)
            line(column + 3, "/* @T" + number4(t + 1) + " */ " + tagName(tags[t], n) + ",");
        line(column, "};");
    }
    line(column, "static X_PPVCHAR TextTags[" + std::to_string(languages) + "] = {");
    for (size_t n = 0; n < languages; ++n)
        line(column + 3, "TextTags_Lang_" + std::to_string(n + 1) + ",");
    line(column, "};");
    line(column, "if (plLimit != pX_NULL) *plLimit = " + std::to_string(tags.size()) + ";");
    line(column, "return TextTags[sLangNo];");
}

void P3109_WriteFieldDataVersion(GEN_STREAM stream, int16_t sIndent, const GEN_FIELD_INFO& field,
                                 std::string_view storage)
{
    const bool extendedData = P3109_fIsBigDecimal(field.cType, field.lLength, field.sDecimals, field.fNullable()) ||
                              P3109_fIsZophxOnlyType(field.cType);
    if (!extendedData || field.cResolved == 'E')
        return;
    const bool cs = g().cTarget == GEN_TARGET_CSHARP;
    const std::string s(storage);
    const auto line = [&](const std::string& text) { P3109_WriteLine(stream, sIndent, text); };
    const char* version = field.fCharLength() ? (cs ? "X_FunStr.X_FLDDATA_V2" : "X_FLDDATA_V2")
                                              : (cs ? "X_FunStr.X_FLDDATA_V1" : "X_FLDDATA_V1");
    line(cs ? "((X_FLD_INFO) " + s + ").i8Version = " + version + ";"
            : "((X_FLD_INFO*)" + s + ")->i8Version = " + version + ";");
    const std::string length = std::to_string(field.lLength < 0 ? 65535 : field.lLength);
    switch (field.cType) {
    case 'P':
    case 'S':
        if (cs) {
            /* the digits of the field's class, its size a constant of the run time */
            line(std::string("X_DEFS.X_MEMSET( ") + (field.cType == 'P' ? "((X_FLD_PACKED) " : "((X_FLD_SIGNED) ") + s +
                 ").fchData, ' ', BYTE_LEN_" + field.vectorName + " - DqooDef.X_FLD_PACKED_SIZE + 1 );");
            return;
        }
        line(std::string("memset( ") + (field.cType == 'P' ? "((PX_FLD_PACKED)" : "((PX_FLD_SIGNED)") + s +
             ")->fchData, ' ', BYTE_LEN_" + field.vectorName + " - sizeof( X_FLD_PACKED ) + 1 );");
        return;
    case 'H':
    case '1':
        if (field.fCharLength()) {
            const std::string head = cs ? "((X_FLD_NCHAR) " + s + ")." : "((X_FLD_NCHAR*) " + s + ")->";
            line(head + (cs ? "bFieldState = (int) XFIELDSTATE.FsHasCharLength;"
                            : "bFieldState = ((XFIELDSTATE) FsHasCharLength);"));
            line(head + "ulMaxSize = " + length + ";");
            line(head + "ulMaxChars = " + std::to_string(field.lMaxChars) + ";");
        } else {
            line(cs ? "((X_FLD_CHAR)" + s + ").ulMaxSize = " + length + ";"
                    : "((PX_FLD_CHAR)" + s + ")->ulMaxSize = " + length + ";");
        }
        return;
    case 'B':
    case '2':
        line(cs ? "((X_FLD_BINARY) " + s + ").ulMaxSize  = " + length + ";"
                : "((PX_FLD_BINARY)" + s + ")->ulMaxSize  = " + length + ";");
        return;
    case 'F':
        if (cs)
            line(field.lLength == 4 ? "((X_FLD_FLT32) " + s + ").dFloat32 = 0.0f;"
                                    : "((X_FLD_FLT64) " + s + ").dFloat64 = 0.0;");
        else
            line(field.lLength == 4 ? "((PX_FLD_FLT32)" + s + ")->dFloat32 = 0.0;"
                                    : "((PX_FLD_FLT64)" + s + ")->dFloat64 = 0.0;");
        return;
    default: return;
    }
}
