// Conversion chains: the steps that an Enter press, a slider move or a range button runs
// over a window's unit fields.
//
// A step reads the current text of one field, applies one to three operations with fixed
// constants, optionally passes the result through the digit limiter, and writes it as
// number text into another field. The next step reads that written text, so each written
// field's rounding feeds the next step.
#pragma once

#include "framework/arith.h"

#include <array>
#include <cstddef>
#include <functional>
#include <initializer_list>
#include <string>
#include <variant>
#include <vector>

namespace mezura {

// The small interface the chains see: field texts by index in the window's field table.
class Fields {
public:
    virtual ~Fields() = default;
    virtual const std::string& text(int field) const = 0;
    virtual void setText(int field, const std::string& text) = 0;
};

struct Operation {
    Op op;
    double constant;
};

// The operations of a step or a reading, in order: none to kMaxOperations, held in place so
// that a table of steps is plain data, copied without allocation.
class Operations {
public:
    static constexpr std::size_t kMaxOperations = 3;

    Operations() = default;
    // Throws std::invalid_argument for more than kMaxOperations, when the table is built.
    Operations(std::initializer_list<Operation> operations); // NOLINT(google-explicit-constructor)

    const Operation* begin() const { return m_operations.data(); }
    const Operation* end() const { return m_operations.data() + m_count; }
    std::size_t size() const { return m_count; }
    bool empty() const { return m_count == 0; }

private:
    std::array<Operation, kMaxOperations> m_operations = {};
    std::size_t m_count = 0;
};

// target <- source op constant [op constant ...], written through SetCol(.., 6) when `limited`.
struct Step {
    int target;
    int source;
    Operations ops;
    bool limited = true;
};

// A call of a named procedure of the window (a group recompute such as lineC, or tindicator).
struct Call {
    int procedure;
};

// target <- the text of source, no parse, no limiter ("12abc" stays "12abc"); full-width
// forms are written as ASCII, as in every written field ("１２" gives "12").
struct CopyText {
    int target;
    int source;
};

using Action = std::variant<Step, Call, CopyText>;
using Chain = std::vector<Action>;

// value op constant ... in order, then through the digit limiter (SetCol(.., 6)) when
// `limited`: what a step or the slider writes, and (not limited) what the gauge reads.
// Throws ArithmeticError at the first failing operation.
double applyOperations(double value, const Operations& ops, bool limited);

// Runs one step; throws ArithmeticError at the first failing operation without writing.
void runStep(Fields& fields, const Step& step);

// Runs a chain in order; calls are resolved through `call`. Throws at the failing step.
void runChain(Fields& fields, const Chain& chain, const std::function<void(int)>& call);

// A data error in a chain shows when its window is built: every field it names lies in
// [0, fields) and every procedure it calls in [0, procedures). Throws std::invalid_argument
// naming `where`.
void checkChain(const Chain& chain, int fields, int procedures, const std::string& where);

// The digit count every limited step passes to SetCol.
inline constexpr int kLimiterDigits = 6;

} // namespace mezura
