// The builder of one STANDARD web routine: its TSML document, assembled
// while the enumerator walks the web routine, and, when the routine is
// complete, its stylesheets and runtime-data document.
#pragma once

#include <memory>

#include "web/wam/wam_builder.h"

class WebRoutineBuilder {
public:
    WebRoutineBuilder(WAMBuilder& wam, const WebRoutineInfo& info, uint32_t inlineOption);
    ~WebRoutineBuilder();
    WebRoutineBuilder(const WebRoutineBuilder&) = delete;
    WebRoutineBuilder& operator=(const WebRoutineBuilder&) = delete;

    // Enumerator callback of a web routine's start.
    static long startWebRoutine(void* module, void* argument, void* user, void* record);

    void setWebRoutineInfo(WebGenerationContext& context, const WebRoutineInfo& info);
    void startList(const ListInfo& list);
    void finish(WebGenerationContext& context);

    // Field and column steps.
    void addWebletField(const TsmlFieldRecord& field);
    void addWebletColumn(const TsmlFieldRecord& column);

    // Stylesheets and runtime data.
    void createXsltDocuments(WebGenerationContext& context);
    void createQvmlDocument(WebGenerationContext& context);
    void addReplacedQVMLDocFragments(WebGenerationContext& context);
    static long extractQVMLDocFragments(void* user, long word, void* record);

    WebRoutineTsmlDoc& document() { return *m_tsml; }
    std::unique_ptr<ListTsmlNode>& currentList() { return m_list; }
    std::string name() const { return m_name.toUtf8(); }

private:
    static long onLanguageCount(void* user, void* application, long* languages);

    WAMBuilder& m_wam;
    LWString m_name;
    LDOMDocument m_document;
    std::unique_ptr<WebRoutineTsmlDoc> m_tsml;
    std::unique_ptr<ListTsmlNode> m_list;
    bool m_listsInline;
    std::unique_ptr<TechnologyServiceList> m_services;
};
