/*
** rt_service_driver.c: runs the record services of one generated component
** under the test run time.
**
** It is compiled with the component's module, which it includes (GENERATED:
** the .C file's name in quotes; ENTRY: the module's routine), with every
** part of the test run time but the function driver. It sets up the
** run-time blocks, runs the module's routine once (which binds and clears
** its fields and registers its tables), and then carries out the lines of
** the script named by its argument, one command a line:
**   SET <field> <value>      stores the value (the rest of the line) into a
**                            field of the component, a number as a decimal
**                            text;
**   RECORD <slot> <record>   assembles the dispatch record of that name from
**                            the fields into the slot NEW, OLD or CUR;
**   SERVICE <kind> <case>    calls the service routine of that kind in the
**                            component's description (2270 the
**                            CrossUpdateCheck, 2280 the Verify) for the case,
**                            with the module frame, the case number and the
**                            three record slots, and writes
**                            "RETURN <kind> <case> <return code>".
** The reports of the services are the run time's lines (rt_component.c).
** A script line it does not understand stops the run.
*/
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "x_funstd.h"
#include "x_glodef.h"

struct FUNCTION_STATIC_GLOBAL_1;
struct FUNCTION_STATIC_GLOBAL_2;

#include GENERATED

#include "rt.h"
#include "rt_module.h"
/* room for the largest record of a sample component */
#define RT_RECORD_BYTES 4096

int RT_EndCode = -1;

static const X_BOM_HEADER* contentItem(X_BOM_KIND eLow, X_BOM_KIND eHigh, const char* pszName)
{
    const X_BOM_CONTENT* pContent = (const X_BOM_CONTENT*)X_Get_Bom_Description();
    size_t i;
    if (pContent == pX_NULL)
        RT_Stop("the component has no description");
    for (i = 0; i < pContent->ulItems; i++) {
        const X_BOM_HEADER* pItem = pContent->ppItems[i];
        if (pItem == pX_NULL || pItem->eKind < eLow || pItem->eKind > eHigh)
            continue;
        if (pszName == pX_NULL || strcmp(((const X_BOM_DISPATCH_RECORD*)pItem)->pszName, pszName) == 0)
            return pItem;
    }
    return pX_NULL;
}

static struct X_FLD* fieldNamed(struct X_FLD* pX_Fld, const char* pszName)
{
    int i;
    for (i = 0; i < RT_VECTOR_SIZE; i++)
        if (pX_Fld[i].pField != pX_NULL && strcmp(RT_Name(&pX_Fld[i]), pszName) == 0)
            return &pX_Fld[i];
    RT_Stop("SET of %s, which is no field of the component", pszName);
    return pX_NULL;
}

static void setField(struct X_IDS* pX_Ids, struct X_FLD* pX_Fld, const char* pszName, const char* pszValue)
{
    struct X_FLD* f = fieldNamed(pX_Fld, pszName);
    if (RT_IsNumericKind(RT_KindOf(f))) {
        RT_DEC v;
        RT_DecFromText(&v, pszValue);
        RT_StoreDecimal(pX_Ids, f, (unsigned char*)f->pField, &v);
    } else {
        RT_StoreText(pX_Ids, f, (unsigned char*)f->pField, pszValue, strlen(pszValue));
    }
}

static int slotOf(const char* pszSlot)
{
    if (strcmp(pszSlot, "NEW") == 0)
        return 0;
    if (strcmp(pszSlot, "OLD") == 0)
        return 1;
    if (strcmp(pszSlot, "CUR") == 0)
        return 2;
    RT_Stop("RECORD into slot %s (NEW, OLD or CUR)", pszSlot);
    return 0;
}

int main(int argc, char** argv)
{
    static RT_MODULE m;
    static unsigned char records[3][RT_RECORD_BYTES];
    char line[512];
    FILE* script;
    if (argc != 2 || (script = fopen(argv[1], "r")) == pX_NULL) {
        fprintf(stderr, "usage: %s SCRIPT\n", argv[0]);
        return 2;
    }
    RT_StartModule(&m);
    while (fgets(line, sizeof line, script) != pX_NULL) {
        char command[16], name[64], rest[256];
        long kind, number;
        line[strcspn(line, "\r\n")] = '\0';
        if (line[0] == '\0' || line[0] == '#')
            continue;
        rest[0] = '\0';
        if (sscanf(line, "SET %63s %255[^\n]", name, rest) >= 1 && strncmp(line, "SET ", 4) == 0) {
            setField(&m.ids, m.fields, name, rest);
        } else if (sscanf(line, "RECORD %15s %63s", command, name) == 2) {
            const X_BOM_DISPATCH_RECORD* pRecord = (const X_BOM_DISPATCH_RECORD*)contentItem(
                X_BOM_KIND_DEF_DISPATCH_PROXY_RECORD, X_BOM_KIND_DEF_DISPATCH_IDENTIFIER_RECORD, name);
            if (pRecord == pX_NULL)
                RT_Stop("RECORD of %s, which is no dispatch record of the component", name);
            pRecord->pfnAssemble(&m.frame, records[slotOf(command)]);
        } else if (sscanf(line, "SERVICE %ld %ld", &kind, &number) == 2) {
            const X_BOM_SERVICE_ROUTINE* pService =
                (const X_BOM_SERVICE_ROUTINE*)contentItem((X_BOM_KIND)kind, (X_BOM_KIND)kind, pX_NULL);
            X_LONG lCase = (X_LONG)number;
            X_PVOID apvArgs[5];
            if (pService == pX_NULL)
                RT_Stop("SERVICE of kind %ld, which the component does not have", kind);
            apvArgs[0] = &m.frame;
            apvArgs[1] = &lCase;
            apvArgs[2] = records[0];
            apvArgs[3] = records[1];
            apvArgs[4] = records[2];
            printf("RETURN %ld %ld %ld\n", kind, number, (long)pService->pfnService(&m.request, apvArgs, 0, pX_NULL));
        } else {
            RT_Stop("script line \"%s\"", line);
        }
    }
    fclose(script);
    RT_EndRun(&m.ids);
    return 0;
}
