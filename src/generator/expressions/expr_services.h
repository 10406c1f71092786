/*
** expr_services.h: the generator core as the expression writers see it.
**
** P3109_ExprServices implements the expression writers' line-sink
** interface on the core's line writer: the target language, the current
** stream and indent, P3109_WriteLine, the last-I/O-status flag and the
** internal-error exit. By default a field node is looked up among the
** checked object's used fields (used_fields.h); a caller may hand in
** another dictionary.
*/
#ifndef GENERATOR_EXPRESSIONS_EXPR_SERVICES_H
#define GENERATOR_EXPRESSIONS_EXPR_SERVICES_H

#include "generator/expressions/expr_generator_services.h"

class P3109_ExprServices final : public ExprGeneratorServices {
public:
    P3109_ExprServices();
    explicit P3109_ExprServices(const ExprFieldDictionary& fields) : fields_(&fields) {}

    char TargetLanguage() const override;
    uint32_t OutputStream() const override;
    uint16_t OutputIndent() const override;
    void WriteLine(uint32_t stream, uint16_t indent, std::string_view text) override;
    void SetLastIoStatusFlag() override;
    void InternalError(std::string_view where) override;
    const ExprFieldDictionary& Fields() const override { return *fields_; }

private:
    const ExprFieldDictionary* fields_;
};

#endif
