// Checked double arithmetic for conversion chains.
//
// Every operation of a chain step is tested right after it: an overflow, a division by
// zero or an invalid operation throws ArithmeticError, which stops the chain at that step.
// Fields written before the failing step keep their new text.
#pragma once

#include <stdexcept>
#include <string>

namespace mezura {

enum class ArithmeticFault { Overflow, DivisionByZero, Invalid };

class ArithmeticError : public std::runtime_error {
public:
    explicit ArithmeticError(ArithmeticFault fault);
    ArithmeticFault fault() const { return m_fault; }

private:
    ArithmeticFault m_fault;
};

// The short message shown to the user for a fault, in Japanese.
std::string faultMessage(ArithmeticFault fault);

enum class Op { Add, Sub, Mul, Div };

// a op b, checked.
double apply(double a, Op op, double b);

// Throws when x is infinite (overflow) or not a number (invalid operation).
double checked(double x);

} // namespace mezura
