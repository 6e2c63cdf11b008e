#include "framework/chain.h"

#include "framework/numtext.h"

namespace mezura {

void runStep(Fields& fields, const Step& step)
{
    double value = parseNumber(fields.text(step.source));
    for (const Operation& operation : step.ops) {
        value = apply(value, operation.op, operation.constant);
    }
    if (step.limited) {
        value = setCol(value, kLimiterDigits);
    }
    fields.setText(step.target, numberText(value));
}

void runChain(Fields& fields, const Chain& chain, const std::function<void(int)>& call)
{
    for (const Action& action : chain) {
        if (const auto* step = std::get_if<Step>(&action)) {
            runStep(fields, *step);
        } else if (const auto* copy = std::get_if<CopyText>(&action)) {
            const std::string text = fields.text(copy->source);
            fields.setText(copy->target, text);
        } else {
            call(std::get<Call>(action).procedure);
        }
    }
}

} // namespace mezura
