/*
** object_data.h: what the generator asks of the object layer and of the
** object server about the object being generated: the component
** description and the version data of the resource script.
*/
#ifndef GENERATOR_CORE_OBJECT_DATA_H
#define GENERATOR_CORE_OBJECT_DATA_H

#include "generator/core/output/gen_state.h"
#include "platform/dqoo/dqoo_bom.h"
#include "platform/dqoosrv/dqoosrv.h"

/* The description of the checked object from the object layer, through
** the build of the job; null when the build has none (a function, or no
** build). The answer is also kept in the module state for the writers. */
const BOM_DESCRIPTION_NODE* P3109_pRetrieveDescription();

/* Asks the object server for the object's version data (kind 9) and has
** each record written into the stream by the version writer. */
void P3109_WriteVersionInfoFromServer(GEN_STREAM stream, const std::string& objectName, const std::string& partition);

/* The callback of the request: has the version writer of the resource
** script write the record's block (base indent 5) into the request's
** stream, and answers 1 so that the server goes on. An object without
** version data gets the block of the defaults. */
extern "C" long P3109_WriteVersionInfoCallback(void* pvUser, long lWord, void* pvRecord);

#endif
