/*
** rt_module.h: the run-time blocks of one generated component module as the
** drivers of tests/runtime/component set them up. Included after the
** module (GENERATED), whose field vector, static areas and routine (ENTRY)
** it names.
*/
#ifndef RT_MODULE_H
#define RT_MODULE_H

#define RT_VECTOR_SIZE ((int)(sizeof(FUNCTION_FIELD_DEF) / sizeof(struct X_FLD)))

typedef struct RT_MODULE {
    struct X_IDS ids;
    struct X_IDS_COMPONENT component;
    struct X_PRO pro;
    struct X_FUN fun;
    struct FUNCTION_STATIC_GLOBAL_1 global1;
    struct FUNCTION_STATIC_GLOBAL_2 global2;
    struct FUNCTION_STATIC_GLOBAL_3 global3;
    struct X_FLD fields[sizeof(FUNCTION_FIELD_DEF) / sizeof(struct X_FLD)];
    struct X_FKEY keys[X_FKEY_TOTAL];
    X_COMP_MODULE_FRAME frame;             /* what a component routine runs on */
    X_COMP_SERVICES_POINT_REQUEST request; /* the request block of a routine's call */
} RT_MODULE;

/* Begins the run, runs the module's routine once (which binds and clears
** its fields and registers its tables), and fills the module frame and the
** request block. The module is static storage: its blocks start zero. */
static void RT_StartModule(RT_MODULE* m)
{
    RT_BeginRun(&m->ids, &m->fun, m->fields, FUNCTION_FIELD_DEF, RT_VECTOR_SIZE, &m->global3);
    m->component.pX_ProComponent = &m->pro;
    m->ids.pX_IdsComponent = &m->component;
    ENTRY(&m->ids, &m->pro, &m->fun, m->fields, pX_NULL, m->keys, &m->global1, &m->global2);
    m->frame.pX_Fun = &m->fun;
    m->frame.pX_Fld = m->fields;
    m->frame.pX_List = pX_NULL;
    m->frame.pGlobal1 = &m->global1;
    m->frame.pGlobal2 = &m->global2;
    m->request.pX_Ids = &m->ids;
}

#endif
