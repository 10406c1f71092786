// The field vector: symbols, storage, descriptor rows and bindings in one
// order; the sizes of extended fields; work fields; arrays; fields the
// runtime cannot hold.
#include "generator/core/gen_fixture.h"

#include "generator/core/components/arrays.h"
#include "generator/core/components/field_vector.h"
#include "generator/core/output/static_lists.h"

namespace gencore_test {
namespace {

class FieldVector : public GenFixture {
protected:
    std::string stg;

    void write()
    {
        Capture storage;
        P3109_State().stg = storage.stream();
        CGEN_SetTextLiteralLanguage("", "ENG");
        P3109_WriteFieldVector();
        P3109_State().stg = GEN_NO_STREAM;
        stg = storage.text();
    }
    static std::string queue(int n)
    {
        std::string text;
        for (const GEN_QUEUED_LINE& l : P3109_State().out.queues[static_cast<size_t>(n - 1)])
            text.append(l.usIndent, ' ').append(l.text).append("\n");
        return text;
    }
    static std::string declarations(int16_t list)
    {
        std::string text;
        for (const GEN_STATIC_ENTRY& e : CGEN_StaticWorkingList(list))
            text += std::string(e.cDeclaration) + (e.cInitialiser.empty() ? "" : " | " + std::string(e.cInitialiser)) + "\n";
        return text;
    }
    static size_t at(const std::string& text, const std::string& part)
    {
        const size_t p = text.find(part);
        EXPECT_NE(p, std::string::npos) << part << "\n" << text;
        return p;
    }
};

TEST_F(FieldVector, SymbolsRowsAndBindingsAgree)
{
    defineField("CUSTNO", 'P', 7, 0);
    defineField("FLAG", 'A', 1, 0);
    defineField("BIGDEC", 'P', 31, 2);
    defineField("VARTXT", 'A', 10, 0);
    useField("#CUSTNO", "FL", "CUSTNO", 'Y', {{59, "0000012"}, {66, "CHANGE    "}});
    useField("#FLAG", "FL", "FLAG");
    useField("#BIGDEC", "FL", "BIGDEC");
    useField("#VARTXT", "FL", "VARTXT");
    useField("VARTXT", "FL", "VARTXT");                /* the same field once more */
    useField("#QUAL", "FL", "QUAL", 'Y', {{28, "r"}}); /* reached through a qualified name */
    setUp();
    P3109_AddWorkField("wWORK9", "V_WORK_9", 'N', 9, 0);
    P3109_AddWorkField("wWORK10", "V_WORK_10", 'N', 10, 0);
    write();

    /* indexes in record order, then the work fields, then the total */
    const size_t big = at(stg, "#define V_FIELD_BIGDEC                                      0");
    const size_t cust = at(stg, "#define V_FIELD_CUSTNO                                      1");
    at(stg, "#define V_FIELD_VARTXT                                      3");
    const size_t work = at(stg, "#define V_WORK_9                                            4");
    at(stg, "#define X_VECTOR_TOTAL                                      6");
    EXPECT_LT(big, cust);
    EXPECT_LT(cust, work);
    at(stg, "#define BYTE_LEN_V_FIELD_BIGDEC                             (sizeof( X_FLD_PACKED ) - 1 + 16)");
    at(stg, "#define BYTE_LEN_V_FIELD_CUSTNO                             4 ");
    at(stg, "#define BYTE_LEN_V_WORK_9                                   sizeof(X_LONG) ");
    at(stg, "#define BYTE_LEN_V_WORK_10                                  sizeof(X_DOUBLE) ");
    EXPECT_EQ(stg.find("V_FIELD_QUAL"), std::string::npos);

    EXPECT_EQ(declarations(1), "X_ULONG ulStructureSize | INSTANCE_S2(ulStructureSize) = sizeof( struct "
                               "FUNCTION_STATIC_GLOBAL_2 );\n"
                               "X_DICTIONARY_PACKED fBIGDEC[BYTE_LEN_V_FIELD_BIGDEC]\n"
                               "X_DICTIONARY_PACKED fCUSTNO[BYTE_LEN_V_FIELD_CUSTNO]\n"
                               "X_DICTIONARY_ALPHA fFLAG\n"
                               "X_DICTIONARY_ALPHA fVARTXT[BYTE_LEN_V_FIELD_VARTXT]\n"
                               "X_LONG wWORK9\n"
                               "X_DOUBLE wWORK10 | INSTANCE_S2(wWORK10) = 0.0;\n");

    const std::string rows = queue(1);
    at(rows, "   static struct X_FLD FUNCTION_FIELD_DEF[] =\n   {\n"
             "       U_NAME_TEXT_1,LL2FIELD,X_TYPE_PACKED,X_SUBTYPE_SIMPLE_FIELD,'N',31,BYTE_LEN_V_FIELD_BIGDEC,\n"
             "         2,pX_NULL,0,NO \n"
             "      ,U_NAME_TEXT_2,0,X_TYPE_PACKED,X_SUBTYPE_SIMPLE_FIELD,'N',7,BYTE_LEN_V_FIELD_CUSTNO,\n");
    at(rows, "      ,U_NAME_TEXT_4,0,X_TYPE_ALPHA,X_SUBTYPE_SIMPLE_FIELD,'N',10,BYTE_LEN_V_FIELD_VARTXT,\n");
    at(rows, "      ,U_NAME_TEXT_5,0,X_TYPE_LONG,X_SUBTYPE_SIMPLE_FIELD,'N',9,BYTE_LEN_V_WORK_9,\n");
    at(rows, "      ,U_NAME_TEXT_6,0,X_TYPE_DOUBLE,X_SUBTYPE_SIMPLE_FIELD,'N',10,BYTE_LEN_V_WORK_10,\n");
    EXPECT_EQ(rows.substr(rows.size() - 6), "   };\n");

    const std::string bindings = queue(2);
    EXPECT_EQ(bindings,
              "   pX_Fld[V_FIELD_BIGDEC].pField = &(INSTANCE_S2(fBIGDEC[0]));\n"
              "   memset( pX_Fld[V_FIELD_BIGDEC].pField, 0, pX_Fld[V_FIELD_BIGDEC].sByteLen );\n"
              "   ((X_FLD_INFO*)pX_Fld[V_FIELD_BIGDEC].pField)->i8Version = X_FLDDATA_V1;\n"
              "   memset( ((PX_FLD_PACKED)pX_Fld[V_FIELD_BIGDEC].pField)->fchData, ' ', BYTE_LEN_V_FIELD_BIGDEC - "
              "sizeof( X_FLD_PACKED ) + 1 );\n"
              "    \n"
              "   pX_Fld[V_FIELD_CUSTNO].pField = &(INSTANCE_S2(fCUSTNO[0]));\n"
              "    \n"
              "   pX_Fld[V_FIELD_FLAG].pField = &(INSTANCE_S2(fFLAG));\n"
              "    \n"
              "   pX_Fld[V_FIELD_VARTXT].pField = &(INSTANCE_S2(fVARTXT[0]));\n"
              "    \n"
              "   pX_Fld[V_WORK_9].pField = (X_PDICTIONARY_FIELD) &(INSTANCE_S2(wWORK9));\n"
              "   pX_Fld[V_WORK_10].pField = (X_PDICTIONARY_FIELD) &(INSTANCE_S2(wWORK10));\n");
    /* no extended field computed by a routine: no evaluation table */
    EXPECT_EQ(declarations(2).find("EvaluationRoutineTable_1"), std::string::npos);
}

TEST_F(FieldVector, CSharpRowsAndFieldsTheRuntimeCannotHold)
{
    defineField("CUSTNO", 'P', 7, 0);
    defineField("ODDINT", 'I', 3, 0);
    useField("#CUSTNO", "FL", "CUSTNO");
    useField("#ODDINT", "FL", "ODDINT", 'Y', {{59, "0000007"}, {66, "CHANGE    "}});
    useField("#NODEF", "FL", "NODEF");
    setUp();
    P3109_State().cTarget = GEN_TARGET_CSHARP;
    write();
    P3109_State().cTarget = GEN_TARGET_C;
    at(queue(1), "       new X_FLD( U_NAME_TEXT_1,0,X_DEFS.X_TYPE_PACKED,X_DEFS.X_SUBTYPE_SIMPLE_FIELD,'N',7,"
                 "BYTE_LEN_V_FIELD_CUSTNO,\n         0,pX_NULL,0,NO \n         )\n");
    EXPECT_EQ(stg.find("ODDINT"), std::string::npos);
    std::vector<std::string> issued = issuedMessages();
    std::sort(issued.begin(), issued.end());
    EXPECT_EQ(issued, (std::vector<std::string>{"PRC0056 F NODEF", "PRC1601 F ODDINT    I0000003"}));
}

TEST_F(FieldVector, ArraysOwnTheStorageOfTheirFields)
{
    defineField("ELEM1", 'A', 1, 0);
    defineField("IDX", 'P', 3, 0);
    useField("#ELEM1", "FL", "ELEM1");
    useField("#IDX", "FL", "IDX");
    /* DEF_ARRAY NAME(#ARR) INDEXES(#IDX) OF_FIELDS(#ELEM1) ENTRYS(1) */
    FFC_PARSED_COMMAND parsed;
    std::memset(&parsed, ' ', sizeof parsed);
    std::memcpy(parsed.acName, "DEF_ARRAY ", 10);
    const int32_t one = 1, elementLength = 1;
    std::memcpy(parsed.acParms + 0, &elementLength, 4);
    std::memcpy(parsed.acParms + 5, "#ARR", 4);
    std::memcpy(parsed.acParms + 12, &one, 4);
    std::memcpy(parsed.acParms + 16, &one, 4);
    std::memcpy(parsed.acParms + 20, "#IDX", 4);
    std::memcpy(parsed.acParms + 120, "*NONE", 5);
    std::memcpy(parsed.acParms + 134, &one, 4);
    std::memcpy(parsed.acParms + 138, "#ELEM1", 6);
    for (int k = 0; k < 4; ++k) {
        std::map<size_t, std::string> data = {{0, std::string(parsed.acParms + 500 * k, 250)},
                                              {2550, std::string(parsed.acParms + 500 * k + 250, 250)}};
        writeRecord("ARRAYNAM", "#ARR", std::to_string(k + 1), data);
    }
    setUp();
    write();
    ASSERT_EQ(P3109_ArrayTable().size(), 1u);
    EXPECT_EQ(P3109_sFindArrayDefinition("ARR"), 1);
    EXPECT_EQ(P3109_sFindArrayDefinition("#ARR"), 1);
    EXPECT_EQ(P3109_sFindArrayDefinition("XYZ"), 0);
    /* one entry of one byte: no dimension, no "[0]" */
    at(declarations(1), "X_DICTIONARY_ARRAY fARRhARRAY\n");
    EXPECT_EQ(declarations(1).find("fELEM1"), std::string::npos);
    at(queue(2), "pX_Fld[V_FIELD_ELEM1].pField = (X_PDICTIONARY_FIELD) &(INSTANCE_S2(fARRhARRAY));");
    /* the array's index field is described as an index */
    at(queue(1), "X_TYPE_PACKED,X_SUBTYPE_INDEX,'N',3,BYTE_LEN_V_FIELD_IDX,");
}

/* An array element's descriptor names its index field's vector entry in
** its last column, from the array data the checker leaves in the element's
** used-field record (kind, array name, index field): the run time finds the
** element's index through it. An array over a field holds its fields in
** that field's storage. */
TEST_F(FieldVector, ArrayElementsNameTheirIndexField)
{
    defineField("ELEM1", 'P', 5, 0);
    defineField("ELEM2", 'P', 5, 0);
    defineField("IDX", 'P', 3, 0);
    defineField("ARR#IDX", 'P', 5, 0);
    useField("#ARR#IDX", "FL", "ARR#IDX", 'Y', {{83, "A#ARR      #IDX      "}});
    useField("#ELEM1", "FL", "ELEM1");
    useField("#ELEM2", "FL", "ELEM2");
    useField("#IDX", "FL", "IDX");
    /* DEF_ARRAY NAME(#ARR) INDEXES(#IDX) OF_FIELDS(#ELEM1 #ELEM2) */
    FFC_PARSED_COMMAND parsed;
    std::memset(&parsed, ' ', sizeof parsed);
    std::memcpy(parsed.acName, "DEF_ARRAY ", 10);
    const int32_t one = 1, two = 2, elementLength = 3;
    std::memcpy(parsed.acParms + 0, &elementLength, 4);
    std::memcpy(parsed.acParms + 5, "#ARR", 4);
    std::memcpy(parsed.acParms + 12, &one, 4);
    std::memcpy(parsed.acParms + 16, &one, 4);
    std::memcpy(parsed.acParms + 20, "#IDX", 4);
    std::memcpy(parsed.acParms + 120, "*NONE", 5);
    std::memcpy(parsed.acParms + 134, &two, 4);
    std::memcpy(parsed.acParms + 138, "#ELEM1", 6);
    std::memcpy(parsed.acParms + 148, "#ELEM2", 6);
    for (int k = 0; k < 4; ++k) {
        std::map<size_t, std::string> data = {{0, std::string(parsed.acParms + 500 * k, 250)},
                                              {2550, std::string(parsed.acParms + 500 * k + 250, 250)}};
        writeRecord("ARRAYNAM", "#ARR", std::to_string(k + 1), data);
    }
    setUp();
    write();
    at(queue(1), "X_TYPE_PACKED,X_SUBTYPE_ARRAY,'N',5,3,\n         0,pX_NULL,V_FIELD_IDX,NO \n");
    at(queue(2), "pX_Fld[V_FIELD_ARRhIDX].pField = &(INSTANCE_S2(fARRhARRAY[0]));");
    at(queue(2), "pX_Fld[V_FIELD_ELEM2].pField = (X_PDICTIONARY_FIELD) &(INSTANCE_S2(fARRhARRAY[3]));");
}

TEST_F(FieldVector, AnArrayOverAFieldHoldsItsFieldsInThatField)
{
    defineField("CODES", 'A', 12, 0);
    defineField("CODE", 'A', 3, 0);
    defineField("IX", 'P', 3, 0);
    useField("#CODES", "FL", "CODES");
    useField("#CODE", "FL", "CODE");
    useField("#IX", "FL", "IX");
    /* DEF_ARRAY NAME(#OA) INDEXES(#IX) OVERLAYING(#CODES 4) ENTRYS(3) OF_FIELDS(#CODE) */
    FFC_PARSED_COMMAND parsed;
    std::memset(&parsed, ' ', sizeof parsed);
    std::memcpy(parsed.acName, "DEF_ARRAY ", 10);
    const int32_t one = 1, three = 3, four = 4;
    std::memcpy(parsed.acParms + 0, &three, 4);
    std::memcpy(parsed.acParms + 5, "#OA", 3);
    std::memcpy(parsed.acParms + 12, &three, 4);
    std::memcpy(parsed.acParms + 16, &one, 4);
    std::memcpy(parsed.acParms + 20, "#IX", 3);
    std::memcpy(parsed.acParms + 120, "#CODES", 6);
    std::memcpy(parsed.acParms + 130, &four, 4);
    std::memcpy(parsed.acParms + 134, &one, 4);
    std::memcpy(parsed.acParms + 138, "#CODE", 5);
    for (int k = 0; k < 4; ++k) {
        std::map<size_t, std::string> data = {{0, std::string(parsed.acParms + 500 * k, 250)},
                                              {2550, std::string(parsed.acParms + 500 * k + 250, 250)}};
        writeRecord("ARRAYNAM", "#OA", std::to_string(k + 1), data);
    }
    setUp();
    write();
    /* the array's first field is the overlaid field's fourth byte on; no
       storage of the array's own is declared */
    at(queue(2), "pX_Fld[V_FIELD_CODE].pField = (X_PDICTIONARY_FIELD) &(INSTANCE_S2(fCODES[3]));");
    EXPECT_EQ(declarations(1).find("fOAhARRAY"), std::string::npos);
}

/* A field that overlays part of another field (array kind 'O') is bound
** to the referenced field's storage at its start position less one, or to
** the storage itself for a start of 1 in a field of one byte; a start past
** the referenced field and a part that runs past its end are warned of,
** the binding written all the same. */
TEST_F(FieldVector, OverlaidPartsStartAtTheirPosition)
{
    defineField("CODES", 'A', 12, 0);
    defineField("FLAG1", 'A', 1, 0);
    for (const char* part : {"PARTA", "PARTB", "PARTC", "PARTD", "PARTE"})
        defineField(part, 'A', 3, 0);
    defineField("FLAGO", 'A', 1, 0);
    useField("#CODES", "FL", "CODES");
    useField("#FLAG1", "FL", "FLAG1");
    auto overlay = [&](const char* name, const char* referenced, int start) {
        char digits[6];
        std::snprintf(digits, sizeof digits, "%05d", start);
        std::string data = std::string("O") + referenced;
        data.resize(21, ' ');
        useField(std::string("#") + name, "FL", name, 'Y', {{83, data + digits}});
    };
    overlay("PARTA", "#CODES", 1);
    overlay("PARTB", "#CODES", 4);
    overlay("PARTC", "#CODES", 10); /* its last byte is the field's last */
    overlay("PARTD", "#CODES", 11); /* one byte past the end */
    overlay("PARTE", "#CODES", 13); /* beyond the field */
    overlay("FLAGO", "#FLAG1", 1);
    setUp();
    write();
    const std::string bindings = queue(2);
    at(bindings, "pX_Fld[V_FIELD_PARTA].pField = &(INSTANCE_S2(fCODES[0]));");
    at(bindings, "pX_Fld[V_FIELD_PARTB].pField = &(INSTANCE_S2(fCODES[3]));");
    at(bindings, "pX_Fld[V_FIELD_PARTC].pField = &(INSTANCE_S2(fCODES[9]));");
    at(bindings, "pX_Fld[V_FIELD_PARTD].pField = &(INSTANCE_S2(fCODES[10]));");
    at(bindings, "pX_Fld[V_FIELD_PARTE].pField = &(INSTANCE_S2(fCODES[12]));");
    at(bindings, "pX_Fld[V_FIELD_FLAGO].pField = &(INSTANCE_S2(fFLAG1));");
    const std::vector<std::string> messages = issuedMessages();
    ASSERT_EQ(messages.size(), 2u) << ::testing::PrintToString(messages);
    EXPECT_EQ(messages[0], "PRC0047 W The substring extends 1 bytes beyond the end of the referenced field.");
    EXPECT_EQ(messages[1], "PRC0047 W The start position is beyond the end of the referenced field.");
}

}  // namespace
}  // namespace gencore_test
