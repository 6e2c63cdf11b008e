#include "framework/chain.h"

#include "framework/fullwidth.h"
#include "framework/numtext.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace mezura {

Operations::Operations(std::initializer_list<Operation> operations)
    : m_count(operations.size())
{
    if (m_count > kMaxOperations) {
        throw std::invalid_argument("a step of " + std::to_string(m_count) + " operations");
    }
    std::copy(operations.begin(), operations.end(), m_operations.begin());
}

double applyOperations(double value, const Operations& ops, bool limited)
{
    for (const Operation& operation : ops) {
        value = apply(value, operation.op, operation.constant);
    }
    return limited ? setCol(value, kLimiterDigits) : value;
}

void runStep(Fields& fields, const Step& step)
{
    fields.setText(step.target,
                   numberText(applyOperations(parseNumber(fields.text(step.source)), step.ops, step.limited)));
}

void checkChain(const Chain& chain, int fields, int procedures, const std::string& where)
{
    const auto field = [&](int index) {
        if (index < 0 || index >= fields) {
            throw std::invalid_argument(where + ": no field " + std::to_string(index));
        }
    };
    for (const Action& action : chain) {
        if (const auto* step = std::get_if<Step>(&action)) {
            field(step->target);
            field(step->source);
        } else if (const auto* copy = std::get_if<CopyText>(&action)) {
            field(copy->target);
            field(copy->source);
        } else if (const int procedure = std::get<Call>(action).procedure; procedure < 0 || procedure >= procedures) {
            throw std::invalid_argument(where + ": no procedure " + std::to_string(procedure));
        }
    }
}

void runChain(Fields& fields, const Chain& chain, const std::function<void(int)>& call)
{
    for (const Action& action : chain) {
        if (const auto* step = std::get_if<Step>(&action)) {
            runStep(fields, *step);
        } else if (const auto* copy = std::get_if<CopyText>(&action)) {
            // A copy is written as the other fields are: full-width forms as ASCII.
            fields.setText(copy->target, foldFullWidth(fields.text(copy->source)));
        } else {
            call(std::get<Call>(action).procedure);
        }
    }
}

} // namespace mezura
