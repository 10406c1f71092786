// The inliner's own TSML document: the frame of run-time context and
// options (all of them wd: calls kept for run time), into which one
// inlining copies its column, weblet and runtime data, and which is emptied
// again after each inlining.
#pragma once

#include <libxml/tree.h>

#include "classlib/xml/dom.h"

class WdInlinerTsmlDoc {
public:
    // requester 0: the generator asks, any other value: the editor.
    explicit WdInlinerTsmlDoc(int requester);
    WdInlinerTsmlDoc(const WdInlinerTsmlDoc&) = delete;
    WdInlinerTsmlDoc& operator=(const WdInlinerTsmlDoc&) = delete;
    virtual ~WdInlinerTsmlDoc() = default;

    // Empties the runtime data.  With swallow a failure while emptying is
    // ignored; without it the failure passes on.
    virtual void reset(bool swallow);
    static void removeChildren(LDOMElement& element);

    LDOMDocument document;
    LDOMElement data;      // tsml:data
    LDOMElement qvmlData;  // tsml:qvml-data
};

class WdGenInlinerTsmlDoc : public WdInlinerTsmlDoc {
public:
    enum ListMode { kNothing = 0, kList = 1, kFields = 2 };

    WdGenInlinerTsmlDoc();
    void reset(bool swallow) override;

    // Copies of nodes of another document (the transformation's input).
    void setColumn(xmlNodePtr column);
    void setWeblet(xmlNodePtr weblet);
    void setRuntimeData(xmlNodePtr node);
    LDOMNode importNode(xmlNodePtr source);

    int listMode = kNothing;
    LDOMElement weblets;  // tsml:weblets
    LDOMElement fields;   // tsml:fields (not attached)
    LDOMElement lists;    // tsml:lists (not attached)
    LDOMAttribute name;   // the name of tsml:list
    LDOMElement list;     // tsml:list
    LDOMElement entry;    // tsml:entry
};
