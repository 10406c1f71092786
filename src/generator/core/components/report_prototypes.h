/*
** report_prototypes.h: the prototypes of a function's report and cursor
** routines, the number of temporary storage areas, and the resource
** script entry of one resource.
*/
#ifndef GENERATOR_CORE_REPORT_PROTOTYPES_H
#define GENERATOR_CORE_REPORT_PROTOTYPES_H

#include <cstdint>

#include "generator/core/model/component_model.h"
#include "generator/core/output/gen_state.h"

/* Point 36: the prototypes of the printed reports and their print lines. */
void P3109_WriteReportPrototypes();
/* Point 49: the cursor tracking prototype and variables. */
void P3109_WriteCursorPrototypes();
/* Point 40: V_TEMP_STORE_AREAS. */
void P3109_WriteTempStoreCount();
/* One resource into the resource script: data resources inline, others
** written as files of the partition's source directory and listed; the
** script's resource counter is raised for every resource with data. */
void P3109_WriteResourceReference(GEN_RESOURCE& resource, GEN_STREAM stream, int32_t& lCounter);

#endif
